// SPDX-License-Identifier: MIT
// Which folder a path given on the command line runs a menu from, and what a path that names no
// menu is told.
#include "app/menu_argument.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::ScratchFolder;

const std::string kExpected =
    "; expected a .shl file in a shellmedia folder, or a folder that holds shellmedia";

TEST(MenuArgumentTest, PathsThatNameAMenu) {
    ScratchFolder scratch;
    const std::string& root = scratch.Path();
    scratch.Write("disc/ShellMedia/Menu.SHL", "");
    scratch.Write("stick/shellmedia/menu.shl", "");
    std::filesystem::create_symlink(root + "/disc/ShellMedia/Menu.SHL", root + "/link.shl");

    // No argument: the current folder, as always.
    EXPECT_EQ(FindMenuFolder({}).path, "");
    EXPECT_EQ(FindMenuFolder({}).problem, "");
    const std::pair<std::string, std::string> kFound[] = {
        {"disc/ShellMedia/Menu.SHL", root + "/disc"},  // relative; any case
        {root + "/disc/ShellMedia/../ShellMedia/./Menu.SHL", root + "/disc"},
        {"disc", root + "/disc"},  // the folder that holds shellmedia
        {"disc/", root + "/disc"},
        {"disc/ShellMedia", root + "/disc"},  // the shellmedia folder itself
        {"stick/shellmedia/", root + "/stick"},
        {"link.shl", root + "/disc"},  // a link to a menu's file: the menu it leads to
    };
    for (const auto& [given, folder] : kFound) {
        const MenuFolder menu = FindMenuFolder({given});
        EXPECT_EQ(menu.path, folder) << given;
        EXPECT_EQ(menu.problem, "") << given;
    }
    // From inside the shellmedia folder, its own name counts.
    ASSERT_EQ(chdir("disc/ShellMedia"), 0);
    EXPECT_EQ(FindMenuFolder({"Menu.SHL"}).path, root + "/disc");
    EXPECT_EQ(FindMenuFolder({"."}).path, root + "/disc");
}

// (The end-to-end test has the other messages, as the program shows them.)
TEST(MenuArgumentTest, PathsThatNameNoMenuSayWhatIsExpected) {
    ScratchFolder scratch;
    scratch.Write("disc/shellmedia/back.bmp", "");
    scratch.Write("plain/shellmedia", "");  // a file of that name, not a folder

    const std::pair<std::string, std::string> kRefused[] = {
        {"", "\"\" does not exist" + kExpected},
        {"disc/shellmedia/back.bmp", "\"disc/shellmedia/back.bmp\" is not a .shl file" + kExpected},
        {"plain", "\"plain\" holds no shellmedia folder" + kExpected},
    };
    for (const auto& [given, problem] : kRefused) {
        const MenuFolder menu = FindMenuFolder({given});
        EXPECT_EQ(menu.problem, problem);
        EXPECT_EQ(menu.path, "") << problem;
    }
}

}  // namespace
