// SPDX-License-Identifier: MIT
// What the layer does outside the window: sounds, programs, cursors and icons.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <tuple>

#include "platform/backend/backend.h"
#include "platform/backend/process.h"
#include "tests/helpers/headless.h"
#include "tests/helpers/icon_writer.h"
#include "tests/helpers/scratch_folder.h"

namespace {

using namespace testing_support;

class EffectsTest : public HeadlessTest {
  protected:
    ScratchFolder m_folder;
};

// Waits for a program started by a test to leave its file behind; bounded, so a program that
// never runs fails the test instead of hanging it.
std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::string text = ReadWholeFile(path);
        if (!text.empty() && text.back() == '\n') {
            return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

TEST_F(EffectsTest, SoundsPlayByNameAndMissingOnesPlayNothing) {
    m_folder.Write("Media/Over.WAV", "RIFF");
    EXPECT_TRUE(PlaySoundA("media\\over.wav", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_FALSE(PlaySoundA("media\\none.wav", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_FALSE(PlaySoundA("media\\", nullptr, SND_FILENAME | SND_ASYNC));
    EXPECT_EQ(JournalLines("sound"), std::vector<std::string>{"sound media\\over.wav"});
}

TEST_F(EffectsTest, ShellExecuteChoosesHowToOpen) {
    m_folder.WriteScript("Run Me; $(touch pwned).sh", "exit 0\n");
    auto open = [](const char* file) {
        return reinterpret_cast<std::intptr_t>(
            ShellExecuteA(nullptr, "open", file, nullptr, nullptr, SW_SHOWNORMAL));
    };
    // An executable starts itself, exactly as named, whatever the case of the name.
    EXPECT_GT(open("run me; $(touch pwned).sh"), 32);
    // Folders, documents and addresses go to the desktop's opener as one argument, never as
    // an option.
    EXPECT_GT(open("."), 32);
    EXPECT_GT(open("https://example.org/a b"), 32);
    m_folder.Write("-doc.txt", "read me");
    EXPECT_GT(open("-DOC.txt"), 32);
    // Nothing by that name: a failure code, nothing starts, and one line says so.
    testing::internal::CaptureStderr();
    EXPECT_EQ(open("setup.exe"), SE_ERR_FNF);
    EXPECT_EQ(open(""), SE_ERR_FNF);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  ": cannot open setup.exe: no file, folder or address by that name\n"),
              std::string::npos);
    EXPECT_EQ(
        JournalLines("command"),
        (std::vector<std::string>{"command <./Run Me; $(touch pwned).sh>", "command <xdg-open> <.>",
                                  "command <xdg-open> <https://example.org/a b>",
                                  "command <xdg-open> <./-doc.txt>"}));
    // No opener: no box, as on Windows, but a line that names what did not open and why.
    m_backend->SetProgramsStart(false);
    testing::internal::CaptureStderr();
    EXPECT_LE(open("."), 32);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  ": cannot open .: xdg-open, which opens it, could not be started"),
              std::string::npos);
}

TEST(ProcessTest, ProgramsRunAsWrittenWithoutAShell) {
    ScratchFolder folder;
    folder.WriteScript("mark $(touch pwned); x.sh",
                       "for a in \"$@\"; do printf '[%s]' \"$a\"; done > marker.tmp\n"
                       "pwd >> marker.tmp\nmv marker.tmp marker.txt\n");
    ASSERT_TRUE(backend::SpawnDetached({"./mark $(touch pwned); x.sh", "a b; $(c)", "d"}));
    EXPECT_EQ(WaitForFile("marker.txt"), "[a b; $(c)][d]" + folder.Path() + "\n");
    EXPECT_FALSE(std::filesystem::exists("pwned"));

    // The desktop's opener is found on PATH.
    std::filesystem::create_directories("bin");
    folder.WriteScript("bin/xdg-open", "echo \"opened $1\" > opened.txt\n");
    const std::string path = std::getenv("PATH");
    setenv("PATH", (folder.Path() + "/bin:" + path).c_str(), 1);
    EXPECT_TRUE(backend::SpawnDetached({"xdg-open", "Read Me.txt"}));
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(WaitForFile("opened.txt"), "opened Read Me.txt\n");

    EXPECT_FALSE(backend::SpawnDetached({"./no such program"}));
    EXPECT_FALSE(backend::SpawnDetached({}));
}

TEST_F(EffectsTest, IconsAndCursorsLoadAt32x32) {
    m_folder.Write("m/two.ico",
                   EncodeIconFile(false, {{16, 0xFF0000}, {32, 0x00FF00, false, true}}));
    m_folder.Write("m/hand.cur", EncodeIconFile(true, {{32, 0x0000FF, false, false, 5, 7}}));
    m_folder.Write("m/small.cur", EncodeIconFile(true, {{16, 0x0000FF, false, false, 8, 2}}));
    m_folder.Write("m/png.ico", EncodeIconFile(false, {{32, 0x123456, true}}));
    m_folder.Write("m/broken.ico", std::string("\0\0\1\0\5\0", 6) + "garbage");

    auto load = [](const char* name, UINT type) {
        return static_cast<const backend::Cursor*>(
            LoadImageA(nullptr, name, type, 32, 32, LR_LOADFROMFILE));
    };
    auto pixel = [](const backend::Cursor* c, int x, int y) {
        return c->image.pixels[static_cast<std::size_t>(y) * c->image.width + x];
    };
    const backend::Cursor* icon = load("M\\Two.ico", IMAGE_ICON);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->image.width, 32);
    EXPECT_EQ(pixel(icon, 31, 0), 0xFF00FF00u);  // the 32 x 32 entry, opaque
    EXPECT_EQ(pixel(icon, 0, 0) >> 24, 0u);      // masked: transparent
    const backend::Cursor* hand = load("m\\hand.cur", IMAGE_CURSOR);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(std::tie(hand->hotX, hand->hotY), std::make_tuple(5, 7));
    const backend::Cursor* small = load("m\\small.cur", IMAGE_CURSOR);
    ASSERT_NE(small, nullptr);
    // Scaled up, the hot spot with it.
    EXPECT_EQ(std::tie(small->image.width, small->hotX, small->hotY), std::make_tuple(32, 16, 4));
    // An icon file taken as a cursor points with its centre.
    const backend::Cursor* iconCursor = load("m\\two.ico", IMAGE_CURSOR);
    ASSERT_NE(iconCursor, nullptr);
    EXPECT_EQ(std::tie(iconCursor->hotX, iconCursor->hotY), std::make_tuple(16, 16));
    const backend::Cursor* png = load("m\\png.ico", IMAGE_ICON);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(pixel(png, 3, 3), 0xFF123456u);
    EXPECT_EQ(load("m\\broken.ico", IMAGE_ICON), nullptr);
    EXPECT_EQ(load("m\\missing.cur", IMAGE_CURSOR), nullptr);

    // The pointer shows the shape last set while the display count is not negative.
    m_backend->ClearJournal();
    SetCursor(reinterpret_cast<HCURSOR>(const_cast<backend::Cursor*>(hand)));
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    SetCursor(nullptr);
    EXPECT_EQ(JournalLines("cursor"),
              (std::vector<std::string>{"cursor m\\hand.cur", "cursor hidden", "cursor m\\hand.cur",
                                        "cursor hidden"}));
}

}  // namespace
