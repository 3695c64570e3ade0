// SPDX-License-Identifier: MIT
#include "tools/check/menu_check.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>

#include "description/shell_button.h"
#include "description/shell_description.h"
#include "platform/afx.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/win32/path_mapping.h"
#include "tools/check/description_walk.h"
#include "tools/check/media_checks.h"
#include "tools/check/text_checks.h"

namespace {

constexpr int kMenuWidth = 640;
constexpr int kMenuHeight = 480;
// Far more than any description; what lies beyond is not looked at.
constexpr std::size_t kLongestDescription = std::size_t{16} << 20;

// Runs one of the launcher's loaders with its message boxes kept off standard error; returns
// whether it accepted the file and the first message it showed.
bool LauncherAccepts(const std::function<bool()>& load, std::string& message) {
    auto& backend = static_cast<backend::HeadlessBackend&>(backend::Current());
    backend.ClearJournal();
    // Standard error goes back however the loader ends, an exception included.
    struct Silenced {
        int saved;
        Silenced() : saved(dup(STDERR_FILENO)) {
            (void)std::fflush(stderr);
            const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
            if (devNull >= 0) {
                dup2(devNull, STDERR_FILENO);
                close(devNull);
            }
        }
        ~Silenced() {
            (void)std::fflush(stderr);
            if (saved >= 0) {
                dup2(saved, STDERR_FILENO);
                close(saved);
            }
        }
        Silenced(const Silenced&) = delete;
        Silenced& operator=(const Silenced&) = delete;
    };
    bool accepted = false;
    {
        const Silenced silenced;
        accepted = load();
    }
    for (const std::string& line : backend.Journal()) {
        const std::size_t text = line.find(": ");
        if (line.rfind("messagebox ", 0) == 0 && message.empty() && text != std::string::npos) {
            message = line.substr(text + 2);
        }
    }
    return accepted;
}

bool Reported(const Problems& out, const std::string& file) {
    return std::any_of(out.begin(), out.end(), [&](const Problem& p) { return p.file == file; });
}

void CheckPlacement(const std::string& file, const WalkedDescription& b,
                    const std::optional<PictureSize>& picture, Problems& out) {
    // As the launcher reads numbers: clamped to 32 bits; sums below are taken in 64.
    const auto number = [&](const char* key) -> std::int64_t {
        const Setting s = b.Get(key);
        if (!s.given || s.value == "null") {
            return 0;
        }
        return std::clamp<long long>(std::strtoll(s.value.c_str(), nullptr, 10), INT32_MIN,
                                     INT32_MAX);
    };
    const auto line = [&](const char* key) { return b.Get(key).given ? b.Get(key).line : 1; };
    const std::int64_t x = number("pos_x"), y = number("pos_y");
    if (picture &&
        (x < 0 || y < 0 || x + picture->width > kMenuWidth || y + picture->height > kMenuHeight)) {
        out.push_back({file, line("pos_x"),
                       "the normal picture (" + std::to_string(picture->width) + "x" +
                           std::to_string(picture->height) + " at " + std::to_string(x) + "," +
                           std::to_string(y) + ") reaches outside the 640x480 menu"});
    }
    const std::int64_t l = number("rect_l"), t = number("rect_t"), r = number("rect_r"),
                       bottom = number("rect_b");
    const std::string rect = "the hit rectangle " + std::to_string(l) + "," + std::to_string(t) +
                             " to " + std::to_string(r) + "," + std::to_string(bottom);
    if (r <= l || bottom <= t) {
        out.push_back({file, line("rect_l"), rect + " is empty: the button never reacts"});
    } else if (l < 0 || t < 0 || r > kMenuWidth || bottom > kMenuHeight) {
        out.push_back({file, line("rect_l"), rect + " reaches outside the 640x480 menu"});
    }
}

void CheckButton(const std::string& shl, const Setting& entry, Problems& out) {
    if (!CheckNamedFile(shl, entry, "button file", out)) {
        return;
    }
    const std::string file = MediaFile(entry.value);
    const std::string text =
        ReadHead("shellmedia\\" + entry.value, kLongestDescription).value_or("");
    CheckText(file, text, out);
    const WalkedDescription b = WalkDescription(file, text, ButtonFields(), out);
    const auto setting = [&](const char* key) { return b.Get(key); };
    const Setting lo = setting("image_lo");
    if (lo.given && lo.value == "null") {
        out.push_back({file, lo.line, "\"image_lo\" is null: the button is never drawn"});
    }
    const auto picture = CheckPicture(file, lo, "normal picture", out);
    CheckPicture(file, setting("image_hi"), "hovered picture", out);
    CheckPicture(file, setting("image_bubble"), "bubble picture", out);
    CheckSound(file, setting("sound_hoover"), "hover sound", out);
    CheckSound(file, setting("sound_click"), "click sound", out);
    CheckCommand(file, setting("execute_cmd"), out);
    CheckPlacement(file, b, picture, out);

    std::string message;
    if (!LauncherAccepts(
            [&] {
                ShellButton button;
                SetMediaFolder("shellmedia\\");
                return button.Load(("shellmedia\\" + entry.value).c_str()) == TRUE;
            },
            message) &&
        !Reported(out, file)) {
        out.push_back(
            {file, 1, "the launcher cannot load this button (\"Error loading button!\")"});
    }
}

void CheckShellSettings(const std::string& shl, const WalkedDescription& d, Problems& out) {
    const auto setting = [&](const char* key) { return d.Get(key); };
    CheckIconFile(shl, setting("app_icon"), "icon", out);
    const char* cursors[][2] = {{"app_cursor_lo", "Failed cursor 1"},
                                {"app_cursor_hi", "Failed cursor 2"}};
    for (const auto& [key, failure] : cursors) {
        const Setting s = setting(key);
        if (s.given && s.value == "null") {
            out.push_back(
                {shl, s.line,
                 "\"" + std::string(key) + "\" is null: the launcher says \"" + failure + "\""});
        }
        CheckIconFile(shl, s, "cursor", out);
    }
    const Setting bg = setting("bg_image");
    if (bg.given && bg.value == "null") {
        out.push_back({shl, bg.line, "\"bg_image\" is null: the menu cannot be shown"});
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
        for (BOOL more = finder.FindFile("shellmedia\\*.shl"); more == TRUE;) {
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
    const WalkedDescription d = WalkDescription(shl, text, ShellFields(), out);
    CheckShellSettings(shl, d, out);
    if (const auto movies = d.lists.find("num_movies"); movies != d.lists.end()) {
        for (const Setting& movie : movies->second) {
            CheckMovie(shl, movie, "movie", out);
        }
    }
    if (const auto buttons = d.lists.find("num_buttons"); buttons != d.lists.end()) {
        for (const Setting& button : buttons->second) {
            if (button.value == "null") {
                out.push_back({shl, button.line,
                               "a button entry is null: the launcher refuses the "
                               "menu"});
                continue;
            }
            CheckButton(shl, button, out);
        }
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
