// SPDX-License-Identifier: MIT
// The whole launcher on the headless backend: a generated media folder, scripted pointer and
// keys on a virtual clock, and checks of the frames shown and the effects journalled.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/launcher_fixture.h"

namespace {

using namespace testing_support;

TEST_F(LauncherTest, HoverBubbleAndLeave) {
    WriteMenu({{"a.btn", 100, 100}});
    ExpectShown(5, 150, 110, kLo, "normal");
    MoveAt(10, 150, 110);
    ExpectShown(20, 150, 110, kHi, "hovered");
    MoveAt(100, 151, 111);  // moving inside plays nothing again
    ExpectShown(509, 150, 110, kHi, "still hovered");
    ExpectShown(510, 150, 110, kBubble, "bubble 500 ms after entering");
    MoveAt(600, 300, 300);
    ExpectShown(610, 150, 110, kLo, "normal after leaving");
    // Leaving and coming back before 500 ms starts a new full delay.
    MoveAt(700, 150, 110);
    MoveAt(900, 300, 300);
    MoveAt(1000, 150, 110);
    ExpectShown(1499, 150, 110, kHi, "re-entered, delay restarted");
    ExpectShown(1500, 150, 110, kBubble, "bubble after the new delay");
    KeyAt(2000, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Effects(),
              (std::vector<std::string>{"cursor shellmedia\\lo.cur", "sound shellmedia\\over.wav",
                                        "cursor shellmedia\\hi.cur", "cursor shellmedia\\lo.cur",
                                        "sound shellmedia\\over.wav", "cursor shellmedia\\hi.cur",
                                        "cursor shellmedia\\lo.cur", "sound shellmedia\\over.wav",
                                        "cursor shellmedia\\hi.cur"}));
}

TEST_F(LauncherTest, EdgesOverlapAndButtonsWithoutPictures) {
    WriteMenu({{"a.btn", 100, 100},
               {"b.btn", 150, 110, "b.sh"},
               {"c.btn", 300, 300, "c.sh", false, false}});
    // The right and bottom edges are outside.
    MoveAt(10, 200, 105);
    ExpectShown(20, 120, 105, kLo, "right edge is outside");
    MoveAt(30, 120, 120);
    ExpectShown(40, 120, 105, kLo, "bottom edge is outside");
    // In the overlap both are hovered; the later one is drawn on top.
    MoveAt(50, 160, 115);
    ExpectShown(60, 120, 105, kHi, "a hovered");
    ExpectShown(60, 240, 125, kHi, "b hovered");
    // A button without its normal picture never reacts.
    MoveAt(100, 310, 305);
    ExpectShown(110, 310, 305, kBack, "no normal picture: not drawn");
    ClickAt(200, 310, 305);
    ClickAt(300, 160, 115);  // acts on the lower index only
    KeyAt(400, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    const auto effects = Effects();
    EXPECT_EQ(std::count(effects.begin(), effects.end(), "cursor shellmedia\\hi.cur"), 1);
    EXPECT_EQ(std::vector<std::string>(effects.end() - 2, effects.end()),
              (std::vector<std::string>{"sound shellmedia\\click.wav", "command <./run.sh>"}));
}

TEST_F(LauncherTest, ClicksRunCommandsAndTheWaysOut) {
    m_folder.Write("Guide.pdf", "%PDF");
    WriteMenu({{"a.btn", 100, 100},
               {"doc.btn", 100, 200, "guide.PDF"},
               {"off.btn", 100, 300, "off.sh", true},
               {"x.btn", 300, 100, "exit", true}});
    KeyAt(5, VK_RETURN);  // does nothing
    ClickAt(10, 150, 110);
    ClickAt(20, 150, 210);
    ClickAt(30, 150, 310);  // a shutdown button with movies off: its command, then the end
    EXPECT_EQ(Run(), 0);
    auto effects = Effects();
    effects.erase(std::remove_if(effects.begin(), effects.end(),
                                 [](const std::string& e) { return e.rfind("cursor", 0) == 0; }),
                  effects.end());
    EXPECT_EQ(effects, (std::vector<std::string>{
                           "sound shellmedia\\click.wav", "command <./run.sh>",
                           "sound shellmedia\\click.wav", "command <xdg-open> <Guide.pdf>",
                           "sound shellmedia\\click.wav"}));
    // off.sh does not exist: ShellExecute fails quietly, and the menu still closes.
    EXPECT_EQ(JournalLines("close").size(), 1u);

    // "exit" closes without a command, as does the close box.
    m_backend->ClearJournal();
    ClickAt(m_backend->Now() + 10, 350, 110);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(JournalLines("command").empty());
    InputAt(m_backend->Now() + 10, backend::EventType::kClose);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(JournalLines("watchdog").empty());
}

TEST_F(LauncherTest, WindowPlacementTitleFramesAndIcon) {
    WriteMenu({{"a.btn", 100, 100}}, false, true);
    // Hit rectangles framed one pixel wide, on top of the picture.
    ExpectShown(10, 100, 100, 0xFF00FF, "frame corner");
    ExpectShown(10, 150, 110, kLo, "inside the frame");
    ExpectShown(10, 320, 240, kBack, "the menu");
    InputAt(20, backend::EventType::kMinimize);
    // The icon, centred in the client area: (640 - 32 + 1) / 2, (480 - 32 + 1) / 2.
    ExpectShown(30, 304, 224, 0x808080, "icon's top-left corner");
    ExpectShown(30, 335, 255, 0x808080, "icon's bottom-right corner");
    ExpectShown(30, 303, 224, 0x000000, "black around the icon");
    InputAt(40, backend::EventType::kRestore);
    ExpectShown(50, 320, 240, kBack, "the menu again");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("title"), std::vector<std::string>{"title 1 Test Menu"});
    // The 640 x 480 client area, centred on the 1024 x 768 screen.
    EXPECT_EQ(JournalLines("place").back(), "place 1 192 144 640 480 windowed");

    // Full screen: the menu centred in black.
    WriteMenu({{"a.btn", 100, 100}}, true);
    const std::uint64_t t = m_backend->Now();
    ExpectShown(t + 10, 5, 5, 0x000000, "black around the menu");
    ExpectShown(t + 10, 192 + 150, 144 + 110, kLo, "button in the centred menu");
    MoveAt(t + 20, 150, 110);  // where the button would be without the offset
    ExpectShown(t + 30, 192 + 150, 144 + 110, kLo, "not hovered");
    MoveAt(t + 40, 192 + 150, 144 + 110);
    ExpectShown(t + 50, 192 + 150, 144 + 110, kHi, "hovered at the centred place");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("place").back(), "place 2 0 0 1024 768 fullscreen");
    EXPECT_EQ(JournalLines("title").back(), "title 2 Test Menu");

    // A desktop with a 24-pixel panel on top and frames of 1 pixel with a 20-pixel title: the
    // framed 642 x 501 window is centred in the 1024 x 744 work area; full screen still covers
    // the whole monitor.
    m_backend->SetDesktop({0, 24, 1024, 744}, {1, 20, 1, 1});
    WriteMenu({{"a.btn", 100, 100}});
    KeyAt(m_backend->Now() + 10, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("place").back(), "place 3 192 165 640 480 windowed");
    WriteMenu({{"a.btn", 100, 100}}, true);
    KeyAt(m_backend->Now() + 10, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("place").back(), "place 4 0 0 1024 768 fullscreen");
}

TEST_F(LauncherTest, SetUpFailures) {
    // The texts alone: these boxes all carry the program's name as their caption.
    auto messages = [this] {
        std::vector<std::string> m;
        for (const std::string& line : TakeMessages()) {
            m.push_back(line.substr(line.find(": ") + 2));
        }
        return m;
    };
    // No description: two messages and no window.
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Error! Did not find .shl file. Exiting...",
                                                    "Error creating context"}));
    EXPECT_TRUE(JournalLines("open").empty());

    m_folder.Write("ShellMedia/Menu.SHL", "app_icon x app_name y\r\n");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"Error creating context"});

    // Missing cursors: reported, and the menu still runs.
    WriteMenu({{"a.btn", 100, 100}});
    std::filesystem::remove("ShellMedia/lo.cur");
    std::filesystem::remove("ShellMedia/hi.cur");
    KeyAt(m_backend->Now() + 10, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Failed cursor 1", "Failed cursor 2"}));

    // The second of three buttons fails: one message; the first still reacts; no frame of
    // buttons is composed.
    WriteMenu({{"a.btn", 100, 100}, {"b.btn", 100, 200}, {"c.btn", 100, 300}});
    m_folder.Write("ShellMedia/b.btn", "image_lo missing.bmp\r\n");
    const std::uint64_t t = m_backend->Now();
    ClickAt(t + 10, 150, 110);
    KeyAt(t + 20, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("command"), std::vector<std::string>{"command <./run.sh>"});
    EXPECT_EQ(messages(), std::vector<std::string>{"Error loading button!"});

    // No background: the menu cannot be drawn and ends at once.
    WriteMenu({{"a.btn", 100, 100}});
    std::filesystem::remove("ShellMedia/back.bmp");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "Error loading background shellmedia\\back.bmp! exiting..."});
    EXPECT_TRUE(JournalLines("watchdog").empty());
}

// Pictures a Windows reader takes, taken as it takes them.
TEST_F(LauncherTest, PicturesOfEveryKindTheFormatAllows) {
    // 24-bit pictures that claim 2^24 palette colours: they read none, and show.
    WriteMenu({{"a.btn", 100, 100}});
    m_folder.Write("ShellMedia/back.bmp", SolidBmp(kBack, 640, 480, 1u << 24));
    m_folder.Write("ShellMedia/LO.bmp", SolidBmp(kLo, 100, 20, 1u << 24));
    ExpectShown(10, 300, 300, kBack, "background");
    ExpectShown(10, 150, 110, kLo, "button");
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(TakeMessages().empty());

    // A background cut short in its last (top) row shows the rows it has, black for the rest.
    const std::string whole = SolidBmp(kBack, 640, 480);
    m_folder.Write("ShellMedia/back.bmp", whole.substr(0, whole.size() - 100));
    std::uint64_t t = m_backend->Now();
    ExpectShown(t + 10, 300, 300, kBack, "the rows read");
    ExpectShown(t + 10, 639, 0, 0x000000, "the bytes missing");
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(TakeMessages().empty());

    // A width of -1 has rows of no bytes: no offscreen picture can be made from it.
    m_folder.Write("ShellMedia/back.bmp", std::string(whole).replace(18, 4, "\xFF\xFF\xFF\xFF"));
    EXPECT_EQ(Run(), 0);
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Error creating offscreen! exiting..."), std::string::npos);
}

// A background whose header reads but whose pixels cannot be shown: no box, as before, but one
// line on standard error that says why, and whether the menu is black.
TEST_F(LauncherTest, BackgroundsThatCannotBeDrawnSaySoOnStandardError) {
    const std::string whole = SolidBmp(kBack, 640, 480);
    const struct {
        std::string file;
        std::string line;  // empty: none
    } kCases[] = {
        {EncodeBmp(BmpPicture{640, 480, 32}),
         "background shellmedia\\back.bmp has a colour depth that cannot be read (8 or 24 bits "
         "per pixel are); the menu is black"},
        {EncodeBmp(BmpPicture{640, 480, 8}),
         "background shellmedia\\back.bmp has 8 bits per pixel: only 24-bit pictures are drawn; "
         "the menu is black"},
        {whole.substr(0, whole.size() - 100),
         "background shellmedia\\back.bmp is cut short: rows are missing at its top"},
        {whole, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        WriteMenu({{"a.btn", 100, 100}});
        m_folder.Write("ShellMedia/back.bmp", c.file);
        KeyAt(m_backend->Now() + 10, VK_ESCAPE);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), 0);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(TakeMessages().empty());
        if (c.line.empty()) {
            EXPECT_EQ(err.find("background"), std::string::npos) << err;
        } else {
            EXPECT_NE(err.find(": " + c.line + "\n"), std::string::npos) << err;
        }
    }
}

}  // namespace
