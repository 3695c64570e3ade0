// SPDX-License-Identifier: MIT
// Windows paths, ANSI names and file search on this file system.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/afx.h"
#include "platform/file_stream.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/message_sink.h"
#include "platform/win32/path_mapping.h"
#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::ScratchFolder;

TEST(AnsiTextTest, EveryByteMapsAsWindowsMapsIt) {
    EXPECT_EQ(win32::AnsiToUtf8("plain"), "plain");
    EXPECT_EQ(win32::AnsiToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(win32::AnsiToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(win32::AnsiToUtf8("caf\xE9"), "caf\u00E9");
    // The five bytes Windows-1252 leaves unassigned pass through as C1 controls.
    EXPECT_EQ(win32::AnsiToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        EXPECT_EQ(win32::Utf8ToAnsi(win32::AnsiToUtf8(ansi)), ansi) << byte;
    }
    // What Windows-1252 cannot hold, and broken UTF-8, become '?'.
    EXPECT_EQ(win32::Utf8ToAnsi("\u4E2D x"), "? x");
    EXPECT_EQ(win32::Utf8ToAnsi("\xC3"), "?");
    EXPECT_EQ(win32::Utf8ToAnsi("\xE0\x80\x80"), "???");
}

TEST(PathMappingTest, BackslashesCaseAndPatterns) {
    ScratchFolder folder;
    folder.Write("ShellMedia/Back.BMP", "x");
    folder.Write("ShellMedia/Sub Dir/Caf\u00C9.txt", "y");
    EXPECT_EQ(win32::MapPath("shellmedia\\back.bmp"), "ShellMedia/Back.BMP");
    EXPECT_EQ(win32::MapPath("SHELLMEDIA\\SUB DIR\\caf\xE9.TXT"),
              "ShellMedia/Sub Dir/Caf\u00C9.txt");
    EXPECT_EQ(win32::MapPath("ShellMedia/Back.BMP"), "ShellMedia/Back.BMP");
    // What matches nothing is kept as written, so the open fails with the name the author used.
    EXPECT_EQ(win32::MapPath("shellmedia\\gone\\x.bmp"), "ShellMedia/gone/x.bmp");
    EXPECT_EQ(win32::MapPath("shellmedia\\"), "ShellMedia/");
    EXPECT_EQ(win32::MapPath(folder.Path() + "/shellmedia\\back.bmp"),
              folder.Path() + "/ShellMedia/Back.BMP");
    // With two spellings on disk, the exact one wins, else the first in listing order.
    folder.Write("ShellMedia/a.txt", "lower");
    folder.Write("ShellMedia/A.TXT", "upper");
    EXPECT_EQ(win32::MapPath("shellmedia\\A.TXT"), "ShellMedia/A.TXT");
    EXPECT_EQ(win32::MapPath("shellmedia\\a.Txt"), "ShellMedia/A.TXT");
    // Patterns match names without regard to case (as the search below shows), dots and all.
    EXPECT_TRUE(win32::MatchesPattern(".shl", "*.shl"));
    EXPECT_FALSE(win32::MatchesPattern("menu.shl.bak", "*.shl"));
    EXPECT_TRUE(win32::MatchesPattern("a.b.shl", "*.shl"));
    EXPECT_TRUE(win32::MatchesPattern("abc", "a?c"));
    EXPECT_FALSE(win32::MatchesPattern("ac", "a?c"));
    EXPECT_TRUE(win32::MatchesPattern("x", "**"));
}

TEST(FileStreamTest, TextAndBinaryModes) {
    ScratchFolder folder;
    folder.Write("Media/Menu.SHL", "a\r\nb\r\r\nc\rd\n");
    auto text = OpenFileStream("media\\menu.shl", FileMode::kText);
    ASSERT_FALSE(text->fail());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*text), {}), "a\nb\r\nc\rd\n");
    auto binary = OpenFileStream("media\\menu.shl", FileMode::kBinary);
    ASSERT_FALSE(binary->fail());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*binary), {}), "a\r\nb\r\r\nc\rd\n");
    // A CR LF split across the reader's 4096-byte chunks, and a lone CR ending the file.
    folder.Write("media/long.shl", std::string(4095, 'x') + "\r\n" + std::string(5000, 'y') + "\r");
    auto chunked = OpenFileStream("media\\long.shl", FileMode::kText);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*chunked), {}),
              std::string(4095, 'x') + "\n" + std::string(5000, 'y') + "\r");
    EXPECT_TRUE(OpenFileStream("media\\none.shl", FileMode::kText)->fail());
    EXPECT_TRUE(OpenFileStream("media", FileMode::kBinary)->fail());
    EXPECT_TRUE(OpenFileStream(nullptr, FileMode::kText)->fail());
}

TEST(FileFindTest, SortedByNameIgnoringCase) {
    ScratchFolder folder;
    for (const char* name : {"c.shl", "B.SHL", "a.shl", "readme.txt", "\u00C9t\u00E9.shl"}) {
        folder.Write(std::string("ShellMedia/") + name, "");
    }
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile("shellmedia\\*.shl"));
    std::vector<std::string> paths;
    BOOL more = TRUE;
    while (more) {
        more = finder.FindNextFile();
        paths.push_back(finder.GetFilePath());
    }
    // Names come back in the ANSI code page; the folder as the pattern wrote it.
    EXPECT_EQ(paths, (std::vector<std::string>{"shellmedia\\a.shl", "shellmedia\\B.SHL",
                                               "shellmedia\\c.shl", "shellmedia\\\xC9t\xE9.shl"}));
    EXPECT_EQ(finder.GetFileName(), "\xC9t\xE9.shl");
    EXPECT_FALSE(finder.FindNextFile());
    finder.Close();
    EXPECT_FALSE(finder.FindFile("shellmedia\\*.none"));
    EXPECT_FALSE(finder.FindFile("nowhere\\*.shl"));
    EXPECT_EQ(FindFirstFileA(nullptr, nullptr), INVALID_HANDLE_VALUE);
}

TEST(MessageBoxTest, OneLineOnStandardError) {
    testing::internal::CaptureStderr();
    AfxMessageBox("Caf\xE9 closed");
    MessageBoxA(nullptr, "cannot render", "Error", MB_OK);
    // The program's name first; the caption after it where it says something else.
    const std::string program = program_invocation_short_name;
    const std::string app = AfxGetAppName();
    const std::string caption = program == app ? "" : app + ": ";
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        program + ": " + caption + "Caf\u00E9 closed\n" + program + ": Error: cannot render\n");
}

TEST(MessageBoxTest, ASinkTakesTheBoxesUntilItIsRemoved) {
    std::vector<std::string> taken;
    const win32::MessageSink none =
        win32::SetMessageSink([&](const std::string& caption, const std::string& text) {
            taken.push_back(caption + ": " + text);
        });
    EXPECT_FALSE(none);
    testing::internal::CaptureStderr();
    AfxMessageBox("Caf\xE9 closed");
    EXPECT_EQ(MessageBoxA(nullptr, "cannot render", "Error", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(taken, (std::vector<std::string>{std::string(AfxGetAppName()) + ": Caf\u00E9 closed",
                                               "Error: cannot render"}));

    // Without it, boxes are shown again.
    EXPECT_TRUE(win32::SetMessageSink(nullptr));
    testing::internal::CaptureStderr();
    MessageBoxA(nullptr, "again", "Error", MB_OK);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(": Error: again\n"), std::string::npos);
    EXPECT_EQ(taken.size(), 2u);
}

}  // namespace
