// SPDX-License-Identifier: MIT
// Menu descriptions: where the file is found, every setting, and how a wrong one fails.
#include "description/shell_description.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/helpers/scratch_folder.h"

namespace {

using Strings = std::vector<std::string>;

const char kComplete[] =
    "app_name = \"My Menu\"\r\napp_icon = menu.ico\r\napp_cursor_lo = arrow.cur\r\n"
    "app_cursor_hi = hand.cur\r\napp_fullscreen = false\r\napp_drawrects = true\r\n"
    "bg_image = back.bmp\r\nnum_movies = 1\r\nmovie1 = intro.avi\r\nplay_movie = true\r\n"
    "num_buttons = 2\r\nbutton1 = exit.txt\r\nbutton2 = play.txt\r\n";

struct Loaded {
    BOOL result = FALSE;
    std::string messages;  // what the message boxes said, one line each
    ShellDescription d;
};

// Loads the description from the current folder.
Loaded LoadHere() {
    Loaded loaded;
    testing::internal::CaptureStderr();
    loaded.result = loaded.d.Load();
    loaded.messages = testing::internal::GetCapturedStderr();
    return loaded;
}

// Loads `text` written to `path` in a folder of its own.
Loaded Load(const std::string& text, const std::string& path = "shellmedia/menu.shl") {
    const testing_support::ScratchFolder folder;
    folder.Write(path, text);
    return LoadHere();
}

// A description whose other settings are all plain.
std::string Menu(const std::string& fullScreen, const std::string& lists) {
    return "app_name a app_icon b app_cursor_lo c app_cursor_hi d app_fullscreen " + fullScreen +
           " app_drawrects f bg_image g " + lists + "\n";
}

TEST(ShellDescriptionTest, ReadsSettingsFlagsAndCounts) {
    const Loaded loaded = Load(kComplete);
    const ShellDescription& d = loaded.d;
    ASSERT_EQ(loaded.result, TRUE);
    EXPECT_EQ(loaded.messages, "");
    EXPECT_EQ(
        std::tie(d.m_strAppName, d.m_strAppIcon, d.m_strCursorLo, d.m_strCursorHi, d.m_strBgImage),
        std::make_tuple("My Menu", "menu.ico", "arrow.cur", "hand.cur", "back.bmp"));
    EXPECT_EQ(std::tie(d.m_bFullscreen, d.m_bDrawRects, d.m_bPlayMovie, d.m_nMovies, d.m_nButtons),
              std::make_tuple(FALSE, TRUE, TRUE, 1u, 2u));
    EXPECT_EQ(d.m_movies, Strings{"intro.avi"});
    EXPECT_EQ(d.m_buttonFiles, (Strings{"exit.txt", "play.txt"}));

    // "null" leaves a value empty and a movie out; only "true" is true; counts read their leading
    // digits.
    const Loaded values = Load(
        "app_name null app_icon i app_cursor_lo null app_cursor_hi h\n"
        "app_fullscreen True app_drawrects 1 bg_image b\n"
        "num_movies 2 m1 null m2 bye.avi play_movie yes\n"
        "num_buttons 3abc b1 one b2 two b3 three extra tokens are ignored\n");
    const ShellDescription& v = values.d;
    ASSERT_EQ(values.result, TRUE);
    EXPECT_EQ(std::tie(v.m_strAppName, v.m_strCursorLo), std::make_tuple("", ""));
    EXPECT_EQ(std::tie(v.m_bFullscreen, v.m_bDrawRects, v.m_bPlayMovie, v.m_nMovies, v.m_nButtons),
              std::make_tuple(FALSE, FALSE, FALSE, 2u, 3u));
    EXPECT_EQ(v.m_movies, Strings{"bye.avi"});
    EXPECT_EQ(v.m_buttonFiles.size(), 3u);
}

TEST(ShellDescriptionTest, FindsTheFirstFileByName) {
    const testing_support::ScratchFolder folder;
    // Mixed case: the folder and the extension are found without regard to case.
    folder.Write("ShellMedia/b.SHL", Menu("e", "num_movies 0 play_movie 0 num_buttons 0"));
    folder.Write("ShellMedia/A.shl", "app_name first\n");
    folder.Write("ShellMedia/c.shl", kComplete);
    const Loaded loaded = LoadHere();
    // A.shl comes first and is the only one read: it stops after app_name.
    EXPECT_EQ(loaded.result, FALSE);
    EXPECT_EQ(loaded.messages, "");
    EXPECT_EQ(loaded.d.m_strAppName, "first");
}

TEST(ShellDescriptionTest, Failures) {
    const std::string notFound = "Error! Did not find .shl file. Exiting...\n";
    const std::string menuShl = "shellmedia/menu.shl";
    // The message each case shows; wrong keys fail without one.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"elsewhere/menu.shl", kComplete, notFound},
        {"shellmedia/menu.shl/inside", "a folder, not a file", notFound},
        {menuShl, "app_name " + std::string(300, 'x') + "\n",
         "Error! Could not parse file. Exiting...\n"},
        // The button list may not be shorter than its count.
        {menuShl, Menu("e", "num_movies 0 play_movie 0 num_buttons 2 b1 one b2 null"),
         "Error! num_buttons is 2 but 1 button files are named. Exiting...\n"},
        {menuShl, "App_Name x\n", ""},                   // case counts
        {menuShl, "app_icon x app_name y\n", ""},        // order counts
        {menuShl, "app_name My Menu app_icon x\n", ""},  // unquoted blank splits the title
        {menuShl, "app_name x app_icon\n", ""},          // tokens run out
        {menuShl, Menu("e", "num_movies 0 movie1 x play_movie 0 num_buttons 0"), ""},  // no 0th
        {menuShl, Menu("e", "num_movies -1 a b"), ""},  // -1 is 4294967295 entries
    };
    for (const auto& [path, text, message] : cases) {
        const Loaded loaded = Load(text, path);
        EXPECT_EQ(loaded.result, FALSE) << text;
        EXPECT_EQ(loaded.messages.empty(), message.empty()) << loaded.messages;
        EXPECT_NE(loaded.messages.find(message), std::string::npos) << loaded.messages;
    }
}

}  // namespace
