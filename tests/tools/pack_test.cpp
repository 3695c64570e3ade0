// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "tools/pack/windows_names.h"

TEST(PackVolumeLabel, KeepsWhatIso9660Allows) {
    EXPECT_EQ(VolumeLabel("menushell demo"), "MENUSHELL_DEMO");
    EXPECT_EQ(VolumeLabel("  --Hello,, World!! "), "HELLO_WORLD");
    EXPECT_EQ(VolumeLabel("snake_case_2"), "SNAKE_CASE_2");
    EXPECT_EQ(VolumeLabel(""), "MENU");
    EXPECT_EQ(VolumeLabel("\xe9\xe8 !"), "MENU");
    // Cut at 32 characters, and no '_' left where the cut fell.
    EXPECT_EQ(VolumeLabel(std::string(31, 'a') + " b"), std::string(31, 'A'));
    EXPECT_EQ(VolumeLabel(std::string(40, 'x')).size(), 32U);
}

TEST(PackWindowsNames, RefusesWhatWindowsCannotOpen) {
    for (const char* fine : {"setup.exe", "Read Me.txt", "console.txt", "COM0", "LPT10.txt",
                             "caf\xc3\xa9", ".hidden"}) {
        EXPECT_EQ(WindowsNameProblem(fine), "") << fine;
    }
    for (const char* bad :
         {"a<b", "a>b", "a:b", "a\"b", "a|b", "a?b", "a*b", "a\\b", "tab\tname", "dot.", "blank ",
          "CON", "prn.txt", "Aux.tar.gz", "nul", "com1", "LPT9.log"}) {
        EXPECT_NE(WindowsNameProblem(bad), "") << bad;
    }
    // Joliet counts UTF-16 units: 64 two-byte letters fit, one more does not.
    std::string name;
    for (int i = 0; i < 64; ++i) {
        name += "\xc3\xa9";
    }
    EXPECT_EQ(WindowsNameProblem(name), "");
    EXPECT_NE(WindowsNameProblem(name + "a"), "");
    EXPECT_NE(WindowsNameProblem(std::string(32, 'a') + "\xf0\x9f\x98\x80" + std::string(31, 'b')),
              "");
}
