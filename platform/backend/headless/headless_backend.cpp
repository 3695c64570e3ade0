// SPDX-License-Identifier: MIT
#include "platform/backend/headless/headless_backend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace backend {

void HeadlessBackend::Insert(Scripted scripted) {
    const auto after =
        std::upper_bound(m_script.begin(), m_script.end(), scripted.at,
                         [](std::uint64_t at, const Scripted& entry) { return at < entry.at; });
    m_script.insert(after, std::move(scripted));
}

void HeadlessBackend::Script(const InputEvent& event, std::uint64_t atMs) {
    InputEvent timed = event;
    timed.time = atMs;
    Insert({atMs, timed, nullptr});
}

void HeadlessBackend::ScriptAction(std::function<void()> action, std::uint64_t atMs) {
    Insert({atMs, InputEvent{}, std::move(action)});
}

const Image* HeadlessBackend::LastFrame(int window) const {
    const auto it = m_frames.find(window);
    return it == m_frames.end() ? nullptr : &it->second;
}

int HeadlessBackend::OpenWindow(const std::string& titleUtf8, const Rect& screen) {
    const int id = m_nextId++;
    m_open.push_back(id);
    m_journal.push_back("open " + std::to_string(id) + " " + titleUtf8);
    PlaceWindow(id, screen, Placement::kWindowed);
    return id;
}

void HeadlessBackend::CloseWindow(int window) {
    m_open.erase(std::remove(m_open.begin(), m_open.end(), window), m_open.end());
    m_journal.push_back("close " + std::to_string(window));
}

void HeadlessBackend::PlaceWindow(int window, const Rect& s, Placement placement) {
    char line[128];
    (void)std::snprintf(line, sizeof line, "place %d %d %d %d %d %s", window, s.x, s.y, s.width,
                        s.height, placement == Placement::kFullScreen ? "fullscreen" : "windowed");
    m_journal.emplace_back(line);
}

void HeadlessBackend::ShowWindow(int window, bool visible) {
    m_journal.push_back((visible ? "show " : "hide ") + std::to_string(window));
}

void HeadlessBackend::SetTitle(int window, const std::string& titleUtf8) {
    m_journal.push_back("title " + std::to_string(window) + " " + titleUtf8);
}

void HeadlessBackend::SetIcon(int window, const Image* icon) {
    m_journal.push_back("icon " + std::to_string(window) + (icon != nullptr ? " set" : " none"));
}

void HeadlessBackend::SetFrameButtons(int window, bool minimize, bool maximize) {
    m_journal.push_back("frame buttons " + std::to_string(window) + (minimize ? " minimize" : "") +
                        (maximize ? " maximize" : "") + (minimize || maximize ? "" : " none"));
}

void HeadlessBackend::Present(int window, const Image& frame) {
    m_frames[window] = frame;
}

std::optional<InputEvent> HeadlessBackend::WaitEvent(int timeoutMs) {
    for (;;) {
        const bool due = !m_script.empty() && m_script.front().at <= m_now;
        if (due && !m_script.front().action) {
            const InputEvent event = m_script.front().event;
            m_script.pop_front();
            return event;
        }
        if (timeoutMs == 0) {
            return std::nullopt;  // actions wait for the loop to be idle
        }
        if (m_woken) {
            m_woken = false;
            ++m_wakeups;
            return std::nullopt;
        }
        const bool waitsForever = timeoutMs < 0;
        const std::uint64_t until =
            waitsForever ? 0 : m_now + static_cast<std::uint64_t>(timeoutMs);
        if (m_script.empty() || (!waitsForever && m_script.front().at > until)) {
            break;
        }
        if (m_script.front().action && !waitsForever && m_script.front().at == until) {
            break;  // what falls due at the deadline (a timer) goes before a look at it
        }
        m_now = std::max(m_now, m_script.front().at);
        if (!m_script.front().action) {
            continue;  // an event: handed out at the top
        }
        const std::function<void()> action = std::move(m_script.front().action);
        m_script.pop_front();
        action();
        return std::nullopt;  // the action may have posted or changed what is due
    }
    if (timeoutMs >= 0) {
        m_now += static_cast<std::uint64_t>(timeoutMs);
        ++m_wakeups;
        return std::nullopt;
    }
    // The script is over and nothing will ever wake the loop: close the newest window, as a
    // user would, so that a test ends instead of hanging. A loop that ignores that is a fault.
    if (m_open.empty() || ++m_watchdogCloses > 3) {
        (void)std::fprintf(stderr, "headless: the message loop waits for input that never comes\n");
        std::abort();
    }
    m_journal.emplace_back("watchdog close");
    InputEvent close;
    close.type = EventType::kClose;
    close.window = m_open.back();
    return close;
}

void HeadlessBackend::Wake() {
    m_woken = true;
}

void HeadlessBackend::SetCursor(const Cursor* cursor) {
    m_journal.push_back("cursor " + (cursor != nullptr ? cursor->name : std::string("hidden")));
}

void HeadlessBackend::ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) {
    m_journal.push_back("messagebox " + captionUtf8 + ": " + textUtf8);
}

void HeadlessBackend::PlaySound(const std::string& name, const std::vector<std::uint8_t>& wav) {
    m_journal.push_back(wav.empty() ? std::string("sound stop") : "sound " + name);
}

bool HeadlessBackend::StartProgram(const std::vector<std::string>& argv) {
    std::string line = "command";
    for (const std::string& arg : argv) {
        line += " <" + arg + ">";
    }
    m_journal.push_back(line);
    return m_programsStart;
}

}  // namespace backend
