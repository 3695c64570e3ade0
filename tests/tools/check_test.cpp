// SPDX-License-Identifier: MIT
// The validator on menus written by the tests: a clean Windows-authored menu gives nothing, and
// each kind of problem is reported at its file and line, also many at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <map>
#include <string>

#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/headless.h"
#include "tests/helpers/icon_writer.h"
#include "tests/helpers/scratch_folder.h"
#include "tools/check/menu_check.h"

namespace {

using testing_support::BmpPicture;
using testing_support::EncodeBmp;
using testing_support::EncodeIconFile;
using testing_support::ScratchFolder;

// The files of a small menu as a Windows author writes it: CR LF, backslashes, names in
// another case than on disk. Tests change entries before writing.
struct Menu {
    std::vector<std::string> shl = {"app_name = \"Check Menu\"", "app_icon = menu.ico",
                                    "app_cursor_lo = Arrow.cur", "app_cursor_hi = arrow.cur",
                                    "app_fullscreen = false",    "app_drawrects = false",
                                    "bg_image = back.bmp",       "num_movies = 0",
                                    "play_movie = false",        "num_buttons = 1",
                                    "button1 = Buttons\\Run.btn"};
    std::vector<std::string> button = {"image_lo = pics\\lo.bmp",
                                       "image_hi = pics\\HI.bmp",
                                       "image_bubble = null",
                                       "pos_x = 100",
                                       "pos_y = 100",
                                       "rect_l = 100",
                                       "rect_t = 100",
                                       "rect_r = 200",
                                       "rect_b = 120",
                                       "sound_hoover = over.wav",
                                       "sound_click = null",
                                       "execute_cmd = run.sh",
                                       "shutdown = false"};
    std::map<std::string, std::string> files;

    Menu() {
        const auto solid = [](int w, int h) {
            return EncodeBmp(BmpPicture{w, h, 24, 0, [](int, int) { return 0x336699u; }});
        };
        files["ShellMedia/back.bmp"] = solid(640, 480);
        files["ShellMedia/Pics/LO.bmp"] = solid(100, 20);
        files["ShellMedia/Pics/hi.BMP"] = solid(100, 20);
        files["ShellMedia/menu.ico"] = EncodeIconFile(false, {{16, 0x808080}, {32, 0x808080}});
        files["ShellMedia/ARROW.CUR"] = EncodeIconFile(true, {{32, 0xFFFFFF, false, false, 1, 1}});
        files["ShellMedia/over.wav"] = Wav();
    }

    static std::string Wav() {
        std::string wav = "RIFF";
        testing_support::Put(wav, 36 + 4);
        wav += "WAVEfmt ";
        testing_support::Put(wav, 16);
        testing_support::Put(wav, 1, 2);   // PCM
        testing_support::Put(wav, 1, 2);   // mono
        testing_support::Put(wav, 22050);  // rate
        testing_support::Put(wav, 44100);  // bytes per second
        testing_support::Put(wav, 2, 2);   // block
        testing_support::Put(wav, 16, 2);  // bits
        wav += "data";
        testing_support::Put(wav, 4);
        testing_support::Put(wav, 0);
        return wav;
    }

    static std::string Lines(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        return text;
    }

    // Writes everything into a fresh scratch folder and checks it there.
    std::vector<std::string> Check() const {
        ScratchFolder folder;
        folder.Write("ShellMedia/Menu.SHL", Lines(shl));
        folder.Write("ShellMedia/buttons/run.btn", Lines(button));
        folder.WriteScript("run.sh", "");
        for (const auto& [path, content] : files) {
            folder.Write(path, content);
        }
        std::vector<std::string> found;
        for (const Problem& p : CheckMenu()) {
            found.push_back(p.file + ":" + std::to_string(p.line) + ": " + p.message);
        }
        return found;
    }
};

constexpr const char* kShl = "ShellMedia/Menu.SHL";
constexpr const char* kBtn = "ShellMedia/buttons/run.btn";

class CheckTest : public testing_support::HeadlessTest {};

TEST_F(CheckTest, WindowsAuthoredMenuIsClean) {
    EXPECT_EQ(Menu().Check(), std::vector<std::string>{});
}

struct Case {
    const char* what;
    std::function<void(Menu&)> change;
    std::string where;  // "file:line"
    const char* says;
};

void ExpectAlone(const Case& c) {
    Menu menu;
    c.change(menu);
    const std::vector<std::string> found = menu.Check();
    ASSERT_EQ(found.size(), 1u) << c.what << ":\n" << testing::PrintToString(found);
    EXPECT_EQ(found[0].rfind(c.where + ": ", 0), 0u) << c.what << ": " << found[0];
    EXPECT_NE(found[0].find(c.says), std::string::npos) << c.what << ": " << found[0];
}

std::string At(const char* file, int line) {
    return std::string(file) + ":" + std::to_string(line);
}

TEST_F(CheckTest, EachProblemOfTheTextAloneIsReportedAtItsLine) {
    const std::vector<Case> cases = {
        {"key in another case", [](Menu& m) { m.shl[2] = "App_Cursor_Lo = arrow.cur"; },
         At(kShl, 3), "must be written \"app_cursor_lo\""},
        {"a key left out", [](Menu& m) { m.shl.erase(m.shl.begin() + 1); }, At(kShl, 2),
         "\"app_icon\" is missing before \"app_cursor_lo\""},
        {"flag that is no flag", [](Menu& m) { m.shl[4] = "app_fullscreen = yes"; }, At(kShl, 5),
         "must be true or false, found \"yes\""},
        {"number that is no number", [](Menu& m) { m.button[3] = "pos_x = left"; }, At(kBtn, 4),
         "must be a number"},
        {"a value with a space", [](Menu& m) { m.shl[0] = "app_name = Check Menu"; }, At(kShl, 1),
         "write a value with spaces in double quotes"},
        {"a key without value", [](Menu& m) { m.button[12] = "shutdown"; }, At(kBtn, 13),
         "\"shutdown\" has no value"},
        {"a count larger than its list", [](Menu& m) { m.shl[9] = "num_buttons = 2"; },
         At(kShl, 10), "\"num_buttons\" is 2 but the buttons listed after it are 1"},
        {"a null button entry", [](Menu& m) { m.shl[10] = "button1 = null"; }, At(kShl, 11),
         "a button entry is null"},
        {"a line too long",
         [](Menu& m) { m.shl[0] = "app_name = \"" + std::string(250, 'x') + "\""; }, At(kShl, 1),
         "at most 255 are read"},
        {"odd quotes", [](Menu& m) { m.shl.emplace_back("button2 = \"x.btn"); }, At(kShl, 12),
         "odd number of double quotes"},
        {"a tab after the key", [](Menu& m) { m.shl[5] = "app_drawrects\tfalse"; }, At(kShl, 6),
         "has a tab"},
        {"a byte order mark", [](Menu& m) { m.shl[0] = "\xEF\xBB\xBF" + m.shl[0]; }, At(kShl, 1),
         "byte order mark"},
        {"UTF-8 text", [](Menu& m) { m.shl[0] = "app_name = \"Caf\xC3\xA9\""; }, At(kShl, 1),
         "\xC3\xA9 shows as \"\xC3\x83\xC2\xA9\""},
        {"no Windows-1252 byte", [](Menu& m) { m.shl[0] = "app_name = \"a\x81\""; }, At(kShl, 1),
         "byte 0x81, which is no Windows-1252 character"},
        {"lone CR line ends", [](Menu& m) { m.button[12] = "shutdown = false\rx"; }, At(kBtn, 13),
         "lone CR"},
    };
    for (const Case& c : cases) {
        ExpectAlone(c);
    }
}

TEST_F(CheckTest, EachProblemOfTheMediaAloneIsReportedWhereTheFileIsNamed) {
    const auto picture = [](std::uint16_t bits) {
        return EncodeBmp(BmpPicture{100, 20, bits, 0, [](int, int) { return 1u; }});
    };
    const std::vector<Case> cases = {
        {"a name that matches no file", [](Menu& m) { m.shl[6] = "bg_image = bak.bmp"; },
         At(kShl, 7), "matches no file in shellmedia (there is \"back.bmp\")"},
        {"a folder for a file",
         [](Menu& m) {
             m.files["ShellMedia/dir.bmp/x"] = "";
             m.shl[6] = "bg_image = dir.bmp";
         },
         At(kShl, 7), "is not a regular file"},
        {"8-bit button picture", [&](Menu& m) { m.files["ShellMedia/Pics/LO.bmp"] = picture(8); },
         At(kBtn, 1), "8 bits per pixel: only 24-bit pictures are drawn"},
        {"unreadable depth", [&](Menu& m) { m.files["ShellMedia/Pics/LO.bmp"] = picture(32); },
         At(kBtn, 1), "colour depth that cannot be read"},
        {"a cut picture",
         [&](Menu& m) { m.files["ShellMedia/Pics/hi.BMP"] = picture(24).substr(0, 200); },
         At(kBtn, 2), "is cut short"},
        {"no BMP at all", [](Menu& m) { m.files["ShellMedia/Pics/hi.BMP"] = "GIF89a"; },
         At(kBtn, 2), "is not a BMP file"},
        {"a background of another size",
         [&](Menu& m) { m.files["ShellMedia/back.bmp"] = picture(24); }, At(kShl, 7),
         "is 100x20: the menu is 640x480"},
        {"a sound that does not decode", [](Menu& m) { m.files["ShellMedia/over.wav"] = "RIFF"; },
         At(kBtn, 10), "is not a WAV sound that plays"},
        {"an icon without 32x32",
         [](Menu& m) {
             m.files["ShellMedia/menu.ico"] = EncodeIconFile(false, {{16, 1}});
         },
         At(kShl, 2), "has no 32x32 picture"},
        {"a cursor that is no cursor",
         [](Menu& m) {
             m.files["ShellMedia/bad.cur"] = "text";
             m.shl[3] = "app_cursor_hi = bad.cur";
         },
         At(kShl, 4), "is not an icon or cursor file that loads"},
        {"a null cursor", [](Menu& m) { m.shl[3] = "app_cursor_hi = null"; }, At(kShl, 4),
         "the launcher says \"Failed cursor 2\""},
        {"a picture outside the menu", [](Menu& m) { m.button[3] = "pos_x = 600"; }, At(kBtn, 4),
         "reaches outside the 640x480 menu"},
        {"an empty hit rectangle", [](Menu& m) { m.button[7] = "rect_r = 100"; }, At(kBtn, 6),
         "is empty: the button never reacts"},
        {"a hit rectangle outside", [](Menu& m) { m.button[8] = "rect_b = 500"; }, At(kBtn, 6),
         "hit rectangle 100,100 to 200,500 reaches outside"},
        {"a command naming nothing", [](Menu& m) { m.button[11] = "execute_cmd = nothing.sh"; },
         At(kBtn, 12), "names no file in the menu's folder and no address"},
        {"a second description", [](Menu& m) { m.files["ShellMedia/other.shl"] = ""; },
         At("ShellMedia/other.shl", 1), "the launcher reads only the first .shl by name"},
    };
    for (const Case& c : cases) {
        ExpectAlone(c);
    }
    Menu menu;
    menu.button[11] = "execute_cmd = https://example.org/";
    EXPECT_EQ(menu.Check(), std::vector<std::string>{}) << "an address is a command";
}

TEST_F(CheckTest, ManyProblemsAreReportedAtOnceInFileAndLineOrder) {
    Menu menu;
    menu.shl[1] = "app_cursor_lo = arrow.cur";  // swapped with the next line
    menu.shl[2] = "app_icon = menu.ico";
    menu.shl[7] = "num_movies = 1";
    menu.button[0] = "image_lo = missing.bmp";
    menu.button[7] = "rect_r = 50";
    EXPECT_EQ(menu.Check(),
              (std::vector<std::string>{
                  At(kShl, 2) + ": expected key \"app_icon\", found \"app_cursor_lo\" (keys must "
                                "come in their fixed order)",
                  At(kShl, 3) + ": expected key \"app_cursor_lo\", found \"app_icon\" (keys must "
                                "come in their fixed order)",
                  At(kShl, 8) + ": \"num_movies\" is 1 but the movies listed after it are 0",
                  At(kBtn, 1) + ": normal picture \"missing.bmp\" matches no file in shellmedia",
                  At(kBtn, 6) + ": the hit rectangle 100,100 to 50,120 is empty: the button "
                                "never reacts",
              }));
}

TEST_F(CheckTest, AMenuWithoutDescriptionSaysWhatTheLauncherSays) {
    ScratchFolder folder;
    folder.Write("shellmedia/back.bmp", "");
    Problems found = CheckMenu();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].message.find("Error! Did not find .shl file. Exiting..."),
              std::string::npos);
    // A FIFO is never opened: opening one would wait for a writer that never comes.
    ASSERT_EQ(mkfifo("shellmedia/menu.shl", 0600), 0);
    found = CheckMenu();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file + ": " + found[0].message,
              "shellmedia/menu.shl: is not a regular file that can be read: the launcher says "
              "\"Error! Did not find .shl file. Exiting...\"");
}

}  // namespace
