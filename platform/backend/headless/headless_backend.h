// SPDX-License-Identifier: MIT
// The headless backend, for tests and tools: no screen, a virtual clock that only the test moves
// (or a wait for the next timer), input from a script, and a journal of every effect. Nothing
// it does reaches the outside world: programs are recorded, not started.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/backend/backend.h"

namespace backend {

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(Rect screen = {0, 0, 1024, 768}) : m_screen(screen) {}

    // Input that arrives at virtual time `atMs` (events at the same time keep their order).
    void Script(const InputEvent& event, std::uint64_t atMs);
    // Runs `action` at virtual time `atMs`, once the loop has drawn everything and waits: the
    // moment to look at frames and the journal in the middle of a modal run.
    void ScriptAction(std::function<void()> action, std::uint64_t atMs);
    // Input that arrives now.
    void Input(const InputEvent& event) { Script(event, m_now); }
    void Advance(std::uint64_t ms) { m_now += ms; }
    void SetProgramsStart(bool start) { m_programsStart = start; }
    // A desktop with a panel and a window manager's frames (none by default).
    void SetDesktop(const Rect& workArea, const Margins& frame) {
        m_workArea = workArea;
        m_frame = frame;
    }

    // Effects in order: "open", "place", "show", "hide", "title", "icon", "cursor",
    // "messagebox", "sound", "command" lines.
    const std::vector<std::string>& Journal() const { return m_journal; }
    void ClearJournal() { m_journal.clear(); }
    // The last frame presented for a window, or null; the id of the newest window.
    const Image* LastFrame(int window) const;
    int NewestWindow() const { return m_nextId - 1; }
    // How many times a wait returned without input (the loop woke for a timer or a post).
    int Wakeups() const { return m_wakeups; }

    int OpenWindow(const std::string& titleUtf8, const Rect& screen) override;
    void CloseWindow(int window) override;
    void PlaceWindow(int window, const Rect& screen, Placement placement) override;
    void ShowWindow(int window, bool visible) override;
    void SetTitle(int window, const std::string& titleUtf8) override;
    void SetIcon(int window, const Image* icon) override;
    void SetFrameButtons(int window, bool minimize, bool maximize) override;
    void Present(int window, const Image& frame) override;
    std::optional<InputEvent> WaitEvent(int timeoutMs) override;
    void Wake() override;
    std::uint64_t Now() override { return m_now; }
    Rect Screen() override { return m_screen; }
    Rect Monitor(int /*window*/) override { return m_screen; }
    Rect WorkArea(int /*window*/) override { return m_workArea.width > 0 ? m_workArea : m_screen; }
    Margins FrameExtents(int /*window*/) override { return m_frame; }
    void SetCursor(const Cursor* cursor) override;
    void ShowMessageBox(const std::string& captionUtf8, const std::string& textUtf8) override;
    void PlaySound(const std::string& name, const std::vector<std::uint8_t>& wav) override;
    bool StartProgram(const std::vector<std::string>& argv) override;

  private:
    struct Scripted {
        std::uint64_t at;
        InputEvent event;
        std::function<void()> action;  // set for actions, which carry no event
    };
    void Insert(Scripted scripted);

    Rect m_screen;
    Rect m_workArea;
    Margins m_frame;
    std::uint64_t m_now = 0;
    std::deque<Scripted> m_script;
    std::vector<std::string> m_journal;
    std::map<int, Image> m_frames;
    std::vector<int> m_open;
    int m_nextId = 1;
    int m_wakeups = 0;
    int m_watchdogCloses = 0;
    std::atomic<bool> m_woken{false};  // set by PostMessageA from any thread
    bool m_programsStart = true;
};

}  // namespace backend
