// SPDX-License-Identifier: MIT
#include "tools/check/menu_check.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>

#include "description/formats.h"
#include "description/shell_description.h"
#include "platform/afx.h"
#include "platform/win32/message_sink.h"
#include "platform/win32/path_mapping.h"
#include "tools/check/description_walk.h"
#include "tools/check/media_checks.h"
#include "tools/check/text_checks.h"

namespace {

constexpr int kMenuWidth = 640;
constexpr int kMenuHeight = 480;
// Far more than any description; what lies beyond is not looked at.
constexpr std::size_t kLongestDescription = std::size_t{16} << 20;

// Runs one of the launcher's loaders with its message boxes taken instead of shown; returns
// whether it accepted the file and the first message it showed.
bool LauncherAccepts(const std::function<bool()>& load, std::string& message) {
    // The boxes are shown again however the loader ends, an exception included.
    class Taken {
      public:
        explicit Taken(win32::MessageSink sink) : m_shown(win32::SetMessageSink(std::move(sink))) {}
        ~Taken() { win32::SetMessageSink(std::move(m_shown)); }
        Taken(const Taken&) = delete;
        Taken& operator=(const Taken&) = delete;

      private:
        win32::MessageSink m_shown;
    };
    const Taken taken([&](const std::string& /*caption*/, const std::string& text) {
        if (message.empty()) {
            message = text;
        }
    });
    return load();
}

bool Reported(const Problems& out, const std::string& file) {
    return std::any_of(out.begin(), out.end(), [&](const Problem& p) { return p.file == file; });
}

void CheckPlacement(const std::string& file, const WalkedDescription<ShellButton>& b,
                    const std::optional<PictureSize>& picture, Problems& out) {
    // As the launcher reads numbers: clamped to 32 bits; sums below are taken in 64.
    const auto number = [](const Setting& s) -> std::int64_t {
        if (!s.given || s.value == "null") {
            return 0;
        }
        return std::clamp<long long>(std::strtoll(s.value.c_str(), nullptr, 10), INT32_MIN,
                                     INT32_MAX);
    };
    const auto line = [](const Setting& s) { return s.given ? s.line : 1; };
    const Setting posX = b.Get(&ShellButton::m_nPosX);
    const std::int64_t x = number(posX), y = number(b.Get(&ShellButton::m_nPosY));
    if (picture &&
        (x < 0 || y < 0 || x + picture->width > kMenuWidth || y + picture->height > kMenuHeight)) {
        out.push_back({file, line(posX),
                       "the normal picture (" + std::to_string(picture->width) + "x" +
                           std::to_string(picture->height) + " at " + std::to_string(x) + "," +
                           std::to_string(y) + ") reaches outside the 640x480 menu"});
    }
    const auto side = [&](LONG RECT::*s) { return b.Get(&ShellButton::m_rcHit, s); };
    const Setting left = side(&RECT::left);
    const std::int64_t l = number(left), t = number(side(&RECT::top)),
                       r = number(side(&RECT::right)), bottom = number(side(&RECT::bottom));
    const std::string rect = "the hit rectangle " + std::to_string(l) + "," + std::to_string(t) +
                             " to " + std::to_string(r) + "," + std::to_string(bottom);
    if (r <= l || bottom <= t) {
        out.push_back({file, line(left), rect + " is empty: the button never reacts"});
    } else if (l < 0 || t < 0 || r > kMenuWidth || bottom > kMenuHeight) {
        out.push_back({file, line(left), rect + " reaches outside the 640x480 menu"});
    }
}

void CheckButton(const std::string& shl, const Setting& entry, Problems& out) {
    if (!CheckNamedFile(shl, entry, "button file", out)) {
        return;
    }
    const std::string file = MediaFile(entry.value);
    const std::string text = ReadHead(kMediaFolder + entry.value, kLongestDescription).value_or("");
    CheckText(file, text, out);
    const WalkedDescription b = WalkDescription(file, text, ShellButtonFormat(), out);
    const Setting lo = b.Get(&ShellButton::m_pLoImage);
    if (lo.given && lo.value == "null") {
        out.push_back(
            {file, lo.line, "\"" + std::string(lo.key) + "\" is null: the button is never drawn"});
    }
    const auto picture = CheckPicture(file, lo, "normal picture", out);
    CheckPicture(file, b.Get(&ShellButton::m_pHiImage), "hovered picture", out);
    CheckPicture(file, b.Get(&ShellButton::m_pBubbleImage), "bubble picture", out);
    CheckSound(file, b.Get(&ShellButton::m_strSoundHover), "hover sound", out);
    CheckSound(file, b.Get(&ShellButton::m_strSoundClick), "click sound", out);
    CheckCommand(file, b.Get(&ShellButton::m_strCommand), out);
    CheckPlacement(file, b, picture, out);

    std::string message;
    if (!LauncherAccepts(
            [&] {
                ShellButton button;
                SetMediaFolder(kMediaFolder);
                return button.Load((kMediaFolder + entry.value).c_str()) == TRUE;
            },
            message) &&
        !Reported(out, file)) {
        out.push_back(
            {file, 1, "the launcher cannot load this button (\"Error loading button!\")"});
    }
}

void CheckShellSettings(const std::string& shl, const WalkedDescription<ShellDescription>& d,
                        Problems& out) {
    CheckIconFile(shl, d.Get(&ShellDescription::m_strAppIcon), "icon", out);
    const std::pair<Setting, const char*> cursors[] = {
        {d.Get(&ShellDescription::m_strCursorLo), "Failed cursor 1"},
        {d.Get(&ShellDescription::m_strCursorHi), "Failed cursor 2"}};
    for (const auto& [s, failure] : cursors) {
        if (s.given && s.value == "null") {
            out.push_back(
                {shl, s.line,
                 "\"" + std::string(s.key) + "\" is null: the launcher says \"" + failure + "\""});
        }
        CheckIconFile(shl, s, "cursor", out);
    }
    const Setting bg = d.Get(&ShellDescription::m_strBgImage);
    if (bg.given && bg.value == "null") {
        out.push_back(
            {shl, bg.line, "\"" + std::string(bg.key) + "\" is null: the menu cannot be shown"});
    }
    if (const auto size = CheckPicture(shl, bg, "background", out);
        size && (size->width != kMenuWidth || std::abs(size->height) != kMenuHeight)) {
        out.push_back({shl, bg.line,
                       "background " + Quoted(bg.value) + " is " + std::to_string(size->width) +
                           "x" + std::to_string(std::abs(size->height)) +
                           ": the menu is 640x480 (more is cut off, less stays black)"});
    }
}

}  // namespace

Problems CheckMenu() {
    Problems out;
    std::vector<std::string> found;
    {
        CFileFind finder;
        for (BOOL more = finder.FindFile((std::string(kMediaFolder) + "*.shl").c_str());
             more == TRUE;) {
            more = finder.FindNextFile();
            found.push_back(finder.GetFilePath());
        }
    }
    if (found.empty()) {
        out.push_back({"shellmedia", 1,
                       "holds no .shl description: the launcher says \"Error! Did not find .shl "
                       "file. Exiting...\""});
        return out;
    }
    const std::string shl = win32::MapPath(found.front());
    for (std::size_t i = 1; i < found.size(); ++i) {
        out.push_back({win32::MapPath(found[i]), 1,
                       "is not read: the launcher reads only the first .shl by name, " + shl});
    }
    const auto head = ReadHead(found.front(), kLongestDescription);
    if (!head) {
        out.push_back({shl, 1,
                       "is not a regular file that can be read: the launcher says \"Error! Did "
                       "not find .shl file. Exiting...\""});
        return out;
    }
    const std::string& text = *head;
    CheckText(shl, text, out);
    const WalkedDescription d = WalkDescription(shl, text, ShellDescriptionFormat(), out);
    CheckShellSettings(shl, d, out);
    for (const Setting& movie : d.Entries(&ShellDescription::m_movies)) {
        CheckMovie(shl, movie, "movie", out);
    }
    for (const Setting& button : d.Entries(&ShellDescription::m_buttonFiles)) {
        if (button.value == "null") {
            out.push_back(
                {shl, button.line, "a button entry is null: the launcher refuses the menu"});
            continue;
        }
        CheckButton(shl, button, out);
    }
    std::string message;
    if (!LauncherAccepts([] { return ShellDescription().Load() == TRUE; }, message) &&
        !Reported(out, shl)) {
        out.push_back({shl, 1, "the launcher refuses this description: \"" + message + "\""});
    }
    // File by file in the order met, each from its first line down.
    std::vector<std::string> files;
    for (const Problem& p : out) {
        if (std::find(files.begin(), files.end(), p.file) == files.end()) {
            files.push_back(p.file);
        }
    }
    const auto rank = [&](const Problem& p) {
        return std::make_pair(std::find(files.begin(), files.end(), p.file) - files.begin(),
                              p.line);
    };
    std::stable_sort(out.begin(), out.end(),
                     [&](const Problem& a, const Problem& b) { return rank(a) < rank(b); });
    return out;
}
