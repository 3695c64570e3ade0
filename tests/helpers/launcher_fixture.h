// SPDX-License-Identifier: MIT
// The whole launcher on the headless backend: a generated media folder, scripted pointer and keys
// on a virtual clock, and checks of the frames shown and the effects journalled.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/helpers/headless.h"
#include "tests/helpers/scratch_folder.h"

namespace testing_support {

constexpr std::uint32_t kBack = 0x203040, kLo = 0xC00000, kHi = 0x00C000, kBubble = 0x0000C0;

// A 24-bit BMP of one colour, claiming `colours` palette entries.
std::string SolidBmp(std::uint32_t rgb, int width, int height, std::uint32_t colours = 0);

struct Button {
    std::string file;
    int x, y;  // picture position; the hit rectangle is the same 100 x 20 area
    std::string command = "run.sh";
    bool shutdown = false;
    bool withLo = true;
};

class LauncherTest : public HeadlessTest {
  protected:
    void TearDown() override;
    // The menu in ShellMedia/, with the movie entries and play_movie flag given.
    void WriteMenu(const std::vector<Button>& buttons, bool fullScreen = false,
                   bool drawRects = false, const std::vector<std::string>& movies = {},
                   bool playMovie = false);
    // Runs the launcher to its end, as the program's entry does.
    int Run();

    void At(std::uint64_t t, std::function<void()> action) {
        m_backend->ScriptAction(std::move(action), t);
    }
    void MoveAt(std::uint64_t t, int x, int y) { InputAt(t, backend::EventType::kMouseMove, x, y); }
    void ClickAt(std::uint64_t t, int x, int y) {
        InputAt(t, backend::EventType::kMouseDown, x, y);
        InputAt(t, backend::EventType::kMouseUp, x, y);
    }
    void KeyAt(std::uint64_t t, int vk) { InputAt(t, backend::EventType::kKeyDown, 0, 0, vk); }
    // A check to make at time `t` of the dialog's frame, as a user would see it then; a check
    // that never came, the launcher having ended before, fails the test.
    void ExpectShown(std::uint64_t t, int x, int y, std::uint32_t rgb, const char* what);
    // Sounds, commands, message boxes, cursors and watchdog closes, in order.
    std::vector<std::string> Effects() const;
    // The text of every message box so far ("Caption: text"); clears the journal.
    std::vector<std::string> TakeMessages();

    ScratchFolder m_folder;
    int m_checksDue = 0;
};

}  // namespace testing_support
