#include "description/shell_description.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::ScratchFolder;

const char kComplete[] =
    "app_name = \"My Menu\"\r\n"
    "app_icon = menu.ico\r\n"
    "app_cursor_lo = arrow.cur\r\n"
    "app_cursor_hi = hand.cur\r\n"
    "app_fullscreen = false\r\n"
    "app_drawrects = true\r\n"
    "bg_image = back.bmp\r\n"
    "num_movies = 1\r\n"
    "movie1 = intro.avi\r\n"
    "play_movie = true\r\n"
    "num_buttons = 2\r\n"
    "button1 = exit.txt\r\n"
    "button2 = play.txt\r\n";

struct Loaded {
    BOOL result;
    std::string messages;  // what the message boxes said, one line each
};

Loaded LoadIn(const ScratchFolder& /*folder*/, ShellDescription& d) {
    testing::internal::CaptureStderr();
    const BOOL result = d.Load();
    return {result, testing::internal::GetCapturedStderr()};
}

// A description whose settings before the lists are all plain.
std::string WithLists(const std::string& movies, const std::string& buttons) {
    return "app_name a app_icon b app_cursor_lo c app_cursor_hi d app_fullscreen e "
           "app_drawrects f bg_image g " +
           movies + " " + buttons + "\n";
}

TEST(ShellDescriptionTest, ReadsEverySetting) {
    ScratchFolder folder;
    folder.Write("shellmedia/menu.shl", kComplete);
    ShellDescription d;
    const Loaded loaded = LoadIn(folder, d);
    ASSERT_EQ(loaded.result, TRUE);
    EXPECT_EQ(loaded.messages, "");
    EXPECT_EQ(d.m_strAppName, "My Menu");
    EXPECT_EQ(d.m_strAppIcon, "menu.ico");
    EXPECT_EQ(d.m_strCursorLo, "arrow.cur");
    EXPECT_EQ(d.m_strCursorHi, "hand.cur");
    EXPECT_EQ(d.m_bFullscreen, FALSE);
    EXPECT_EQ(d.m_bDrawRects, TRUE);
    EXPECT_EQ(d.m_strBgImage, "back.bmp");
    EXPECT_EQ(d.m_nMovies, 1u);
    EXPECT_EQ(d.m_movies, std::vector<std::string>{"intro.avi"});
    EXPECT_EQ(d.m_bPlayMovie, TRUE);
    EXPECT_EQ(d.m_nButtons, 2u);
    EXPECT_EQ(d.m_buttonFiles, (std::vector<std::string>{"exit.txt", "play.txt"}));
}

TEST(ShellDescriptionTest, FindsTheFirstFileByName) {
    ScratchFolder folder;
    // Mixed case: the folder and the extension are found without regard to case.
    folder.Write("ShellMedia/b.SHL", WithLists("num_movies 0 play_movie 0", "num_buttons 0"));
    folder.Write("ShellMedia/A.shl", "app_name first\n");
    folder.Write("ShellMedia/c.shl", kComplete);
    ShellDescription d;
    const Loaded loaded = LoadIn(folder, d);
    // A.shl comes first and is the only one read: it stops after app_name.
    EXPECT_EQ(loaded.result, FALSE);
    EXPECT_EQ(loaded.messages, "");
    EXPECT_EQ(d.m_strAppName, "first");
}

TEST(ShellDescriptionTest, MissingOrUnreadableFile) {
    {
        ScratchFolder folder;
        ShellDescription d;
        const Loaded loaded = LoadIn(folder, d);
        EXPECT_EQ(loaded.result, FALSE);
        EXPECT_NE(loaded.messages.find("Error! Did not find .shl file. Exiting...\n"),
                  std::string::npos);
    }
    {
        ScratchFolder folder;
        folder.Write("shellmedia/menu.shl/inside", "a folder, not a file");
        ShellDescription d;
        EXPECT_NE(LoadIn(folder, d).messages.find("Error! Did not find .shl file. Exiting..."),
                  std::string::npos);
    }
    {
        ScratchFolder folder;
        folder.Write("shellmedia/menu.shl", "app_name " + std::string(300, 'x') + "\n");
        ShellDescription d;
        const Loaded loaded = LoadIn(folder, d);
        EXPECT_EQ(loaded.result, FALSE);
        EXPECT_NE(loaded.messages.find("Error! Could not parse file. Exiting..."),
                  std::string::npos);
    }
}

TEST(ShellDescriptionTest, WrongKeysFailWithoutAMessage) {
    const std::string cases[] = {
        "App_Name x\n",                   // case counts
        "app_icon x app_name y\n",        // order counts
        "app_name My Menu app_icon x\n",  // unquoted blank splits the title
        "app_name x app_icon\n",          // tokens run out
        WithLists("num_movies 0 movie1 x play_movie 0", "num_buttons 0"),  // no entry for 0
        WithLists("num_movies -1 a b", ""),  // -1 is 4294967295 entries
    };
    for (const std::string& text : cases) {
        ScratchFolder folder;
        folder.Write("shellmedia/menu.shl", text);
        ShellDescription d;
        const Loaded loaded = LoadIn(folder, d);
        EXPECT_EQ(loaded.result, FALSE) << text;
        EXPECT_EQ(loaded.messages, "") << text;
    }
}

TEST(ShellDescriptionTest, ValuesFlagsAndCounts) {
    ScratchFolder folder;
    folder.Write("shellmedia/menu.shl",
                 "app_name null app_icon i app_cursor_lo null app_cursor_hi h\n"
                 "app_fullscreen True app_drawrects null bg_image b\n"
                 "num_movies 2 m1 null m2 bye.avi play_movie yes\n"
                 "num_buttons 3abc b1 one b2 two b3 three extra tokens are ignored\n");
    ShellDescription d;
    ASSERT_EQ(LoadIn(folder, d).result, TRUE);
    EXPECT_EQ(d.m_strAppName, "");
    EXPECT_EQ(d.m_strCursorLo, "");
    EXPECT_EQ(d.m_bFullscreen, FALSE);
    EXPECT_EQ(d.m_bDrawRects, FALSE);
    EXPECT_EQ(d.m_nMovies, 2u);
    EXPECT_EQ(d.m_movies, std::vector<std::string>{"bye.avi"});
    EXPECT_EQ(d.m_bPlayMovie, FALSE);
    EXPECT_EQ(d.m_nButtons, 3u);
    EXPECT_EQ(d.m_buttonFiles.size(), 3u);
    for (const char* flag : {"TRUE", "True", "yes", "1"}) {
        ScratchFolder again;
        again.Write("shellmedia/menu.shl",
                    std::string("app_name a app_icon b app_cursor_lo c app_cursor_hi d "
                                "app_fullscreen ") +
                        flag +
                        " app_drawrects f bg_image g num_movies 0 play_movie 0 num_buttons 0\n");
        ShellDescription e;
        ASSERT_EQ(LoadIn(again, e).result, TRUE);
        EXPECT_EQ(e.m_bFullscreen, FALSE) << flag;
    }
}

TEST(ShellDescriptionTest, ListsShorterThanTheirUse) {
    ScratchFolder folder;
    folder.Write("shellmedia/menu.shl",
                 WithLists("num_movies 0 play_movie 0", "num_buttons 2 b1 one b2 null"));
    ShellDescription d;
    const Loaded loaded = LoadIn(folder, d);
    EXPECT_EQ(loaded.result, FALSE);
    EXPECT_NE(
        loaded.messages.find("Error! num_buttons is 2 but 1 button files are named. Exiting..."),
        std::string::npos)
        << loaded.messages;

    // Movies asked for but none named: the menu loads and plays none.
    ScratchFolder other;
    other.Write("shellmedia/menu.shl",
                WithLists("num_movies 1 m1 null play_movie true", "num_buttons 0"));
    ShellDescription e;
    EXPECT_EQ(LoadIn(other, e).result, TRUE);
    EXPECT_EQ(e.m_bPlayMovie, TRUE);
    EXPECT_TRUE(e.m_movies.empty());
}

}  // namespace
