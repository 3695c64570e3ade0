// The whole launcher on the headless backend: a generated media folder, scripted pointer and
// keys on a virtual clock, and checks of the frames shown and the effects journalled.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/shell_app.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/headless.h"
#include "tests/helpers/icon_writer.h"
#include "tests/helpers/scratch_folder.h"

namespace {

using testing_support::BmpSpec;
using testing_support::EncodeBmp;
using testing_support::EncodeIconFile;
using testing_support::ScratchFolder;

constexpr std::uint32_t kBack = 0x203040, kLo = 0xC00000, kHi = 0x00C000, kBubble = 0x0000C0;

struct Button {
    std::string file;
    int x, y;  // picture position; the hit rectangle is the same 100 x 20 area
    std::string command = "run.sh";
    bool shutdown = false;
    bool withLo = true;
};

std::string ButtonText(const Button& b) {
    const std::string r = " rect_l " + std::to_string(b.x) + " rect_t " + std::to_string(b.y) +
                          " rect_r " + std::to_string(b.x + 100) + " rect_b " +
                          std::to_string(b.y + 20);
    return std::string("image_lo ") + (b.withLo ? "lo.bmp" : "null") +
           " image_hi hi.bmp image_bubble bubble.bmp pos_x " + std::to_string(b.x) + " pos_y " +
           std::to_string(b.y) + r + " sound_hoover over.wav sound_click click.wav execute_cmd \"" +
           b.command + "\" shutdown " + (b.shutdown ? "true" : "false") + "\r\n";
}

class LauncherTest : public testing_support::HeadlessTest {
  protected:
    void WriteMenu(const std::vector<Button>& buttons, bool fullScreen = false,
                   bool drawRects = false) {
        std::string shl =
            "app_name \"Test Menu\"\r\napp_icon menu.ico\r\napp_cursor_lo lo.cur\r\n"
            "app_cursor_hi hi.cur\r\napp_fullscreen ";
        shl += std::string(fullScreen ? "true" : "false") + "\r\napp_drawrects " +
               (drawRects ? "true" : "false") +
               "\r\nbg_image back.bmp\r\nnum_movies 0\r\nplay_movie false\r\nnum_buttons " +
               std::to_string(buttons.size()) + "\r\n";
        for (const Button& b : buttons) {
            shl += "button " + b.file + "\r\n";
            m_folder.Write("ShellMedia/" + b.file, ButtonText(b));
        }
        m_folder.Write("ShellMedia/Menu.SHL", shl);
        auto solid = [](std::uint32_t rgb, int w, int h) {
            return EncodeBmp(BmpSpec{w, h, 24, 0, [rgb](int, int) { return rgb; }});
        };
        m_folder.Write("ShellMedia/back.bmp", solid(kBack, 640, 480));
        m_folder.Write("ShellMedia/LO.bmp", solid(kLo, 100, 20));
        m_folder.Write("ShellMedia/hi.bmp", solid(kHi, 100, 20));
        m_folder.Write("ShellMedia/bubble.bmp", solid(kBubble, 100, 20));
        m_folder.Write("ShellMedia/menu.ico", EncodeIconFile(false, {{32, 0x808080}}));
        m_folder.Write("ShellMedia/lo.cur", EncodeIconFile(true, {{32, 0xFFFFFF}}));
        m_folder.Write("ShellMedia/hi.cur",
                       EncodeIconFile(true, {{32, 0x000000, false, false, 9, 1}}));
        m_folder.Write("ShellMedia/over.wav", "RIFF");
        m_folder.Write("ShellMedia/click.wav", "RIFF");
        m_folder.Write("run.sh", "#!/bin/sh\n");
        chmod((m_folder.Path() + "/run.sh").c_str(), 0755);
    }

    // Runs the launcher to its end, as the program's entry does.
    int Run() {
        CShellApp app;
        return app.InitInstance() == TRUE ? app.Run() : app.ExitInstance();
    }

    void At(std::uint64_t t, std::function<void()> action) {
        m_backend->ScriptAction(std::move(action), t);
    }
    void Input(std::uint64_t t, backend::EventType type, int x = 0, int y = 0, int key = 0) {
        backend::InputEvent e;
        e.type = type;
        e.window = m_backend->NewestWindow() + 1;  // the dialog of the next run
        e.x = x;
        e.y = y;
        e.key = key;
        e.button = backend::MouseButton::kLeft;
        m_backend->Script(e, t);
    }
    void MoveAt(std::uint64_t t, int x, int y) { Input(t, backend::EventType::kMouseMove, x, y); }
    void ClickAt(std::uint64_t t, int x, int y) {
        Input(t, backend::EventType::kMouseDown, x, y);
        Input(t, backend::EventType::kMouseUp, x, y);
    }
    void KeyAt(std::uint64_t t, int vk) { Input(t, backend::EventType::kKeyDown, 0, 0, vk); }

    // Pixel of the dialog's last frame, in its client coordinates.
    std::uint32_t Shown(int x, int y) const {
        const backend::Image* frame = m_backend->LastFrame(m_backend->NewestWindow());
        if (frame == nullptr || x >= frame->width || y >= frame->height) {
            return 0xDEADBEEF;
        }
        return frame->pixels[static_cast<std::size_t>(y) * frame->width + x] & 0xFFFFFF;
    }
    // A check to make at time `t`, as a user would see the window then.
    void ExpectShown(std::uint64_t t, int x, int y, std::uint32_t rgb, const char* what) {
        At(t, [=] { EXPECT_EQ(Shown(x, y), rgb) << what << " at " << t << " ms"; });
    }
    std::vector<std::string> Effects() const {
        std::vector<std::string> effects;
        for (const std::string& line : m_backend->Journal()) {
            for (const char* kind : {"sound", "command", "messagebox", "cursor", "watchdog"}) {
                if (line.rfind(kind, 0) == 0) {
                    effects.push_back(line);
                }
            }
        }
        return effects;
    }

    ScratchFolder m_folder;
};

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

TEST_F(LauncherTest, ClicksRunCommandsAndExitEndsTheRun) {
    m_folder.Write("Guide.pdf", "%PDF");
    WriteMenu({{"a.btn", 100, 100},
               {"doc.btn", 100, 200, "guide.PDF"},
               {"off.btn", 100, 300, "off.sh", true},
               {"x.btn", 300, 100, "exit", true}});
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
    EXPECT_TRUE(JournalLines("watchdog").empty());
    EXPECT_EQ(JournalLines("close").size(), 1u);
}

TEST_F(LauncherTest, ExitButtonEnterEscapeAndCloseBox) {
    WriteMenu({{"x.btn", 100, 100, "exit", true}});
    KeyAt(10, VK_RETURN);  // does nothing
    ExpectShown(20, 150, 110, kLo, "still open after Enter");
    ClickAt(30, 150, 110);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(JournalLines("command").empty());
    EXPECT_TRUE(JournalLines("watchdog").empty());

    m_backend->ClearJournal();
    Input(m_backend->Now() + 10, backend::EventType::kClose);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(JournalLines("watchdog").empty());
}

TEST_F(LauncherTest, WindowPlacementTitleAndFrames) {
    WriteMenu({{"a.btn", 100, 100}}, false, true);
    // Hit rectangles framed one pixel wide, on top of the picture.
    ExpectShown(10, 100, 100, 0xFF00FF, "frame corner");
    ExpectShown(10, 150, 110, kLo, "inside the frame");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("title"), std::vector<std::string>{"title 1 Test Menu"});
    // The 640 x 480 client area, centred on the 1024 x 768 screen.
    EXPECT_EQ(JournalLines("place").back(), "place 1 192 144 640 480 windowed");
}

TEST_F(LauncherTest, MinimisedWindowShowsItsIcon) {
    WriteMenu({{"a.btn", 100, 100}});
    ExpectShown(10, 320, 240, kBack, "the menu");
    Input(20, backend::EventType::kMinimize);
    // The icon, centred in the client area: (640 - 32 + 1) / 2, (480 - 32 + 1) / 2.
    ExpectShown(30, 304, 224, 0x808080, "icon's top-left corner");
    ExpectShown(30, 335, 255, 0x808080, "icon's bottom-right corner");
    ExpectShown(30, 303, 224, 0x000000, "black around the icon");
    Input(40, backend::EventType::kRestore);
    ExpectShown(50, 320, 240, kBack, "the menu again");
    EXPECT_EQ(Run(), 0);
}

TEST_F(LauncherTest, FullScreenCentresTheMenu) {
    WriteMenu({{"a.btn", 100, 100}}, true);
    ExpectShown(10, 5, 5, 0x000000, "black around the menu");
    ExpectShown(10, 192 + 150, 144 + 110, kLo, "button in the centred menu");
    MoveAt(20, 150, 110);  // where the button would be without the offset
    ExpectShown(30, 192 + 150, 144 + 110, kLo, "not hovered");
    MoveAt(40, 192 + 150, 144 + 110);
    ExpectShown(50, 192 + 150, 144 + 110, kHi, "hovered at the centred place");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("place").back(), "place 1 0 0 1024 768 fullscreen");
    EXPECT_EQ(JournalLines("title"), std::vector<std::string>{"title 1 Test Menu"});
}

TEST_F(LauncherTest, SetUpFailures) {
    auto messages = [this] {
        std::vector<std::string> m;
        for (const std::string& line : JournalLines("messagebox")) {
            m.push_back(line.substr(line.find(": ") + 2));
        }
        m_backend->ClearJournal();
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

}  // namespace
