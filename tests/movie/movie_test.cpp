// SPDX-License-Identifier: MIT
// Introduction and closing movies, driven through a scripted filter graph on the headless
// backend: frames and graph events arrive at virtual times, as the user would see them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/dshow.h"
#include "tests/helpers/launcher_fixture.h"
#include "tests/helpers/scripted_graph.h"
#include "window/shell_window.h"

namespace {

using namespace testing_support;

constexpr std::uint32_t kFrame1 = 0x112233, kFrame2 = 0x445566;
const char kCantRenderIntro[] = "Error: IDS_CANT_RENDER_FILE -> shellmedia\\intro.avi";
// The pointer hidden through the movie, then back and over a button.
const std::vector<std::string> kMovieThenHover = {"cursor shellmedia\\lo.cur", "cursor hidden",
                                                  "cursor shellmedia\\lo.cur",
                                                  "cursor shellmedia\\hi.cur"};

class MovieTest : public LauncherTest {
  protected:
    void Frame(std::uint64_t t, std::uint32_t rgb) {
        At(t, [this, rgb] { m_graphs.ShowFrame(rgb); });
    }
    void Signal(std::uint64_t t, long code) {
        At(t, [this, code] { m_graphs.Signal(code); });
    }

    ScriptedGraphs m_graphs;
};

TEST_F(MovieTest, IntroductionPlaysInThePictureWindowUntilItEndsOrAClick) {
    WriteMenu({{"a.btn", 100, 100}}, false, false, {"intro.avi"}, true);
    m_folder.Write("ShellMedia/Intro.AVI", "movie");
    ExpectShown(5, 150, 110, 0x000000, "black before the first frame");
    Frame(10, kFrame1);
    // A 320 x 240 frame fills the 640 x 480 picture window.
    ExpectShown(20, 0, 0, kFrame1, "top-left corner");
    ExpectShown(20, 639, 479, kFrame1, "bottom-right corner");
    MoveAt(30, 150, 110);  // ignored: no hover, no sound
    Frame(40, kFrame2);
    ExpectShown(50, 150, 110, kFrame2, "the next frame");
    // The dialog repaints (without WS_CLIPCHILDREN): the video window paints its frame again.
    At(60, [] { InvalidateRect(GetParent(g_hPictureWnd), nullptr, TRUE); });
    ExpectShown(70, 150, 110, kFrame2, "frame kept over a repaint");
    // Events other than the end codes are discarded; the movie goes on.
    Signal(80, EC_ERRORABORT);
    Signal(80, 0x0D);
    ExpectShown(90, 150, 110, kFrame2, "still the movie");
    Signal(100, EC_COMPLETE);
    ExpectShown(110, 150, 110, kLo, "the menu, not yet hovered");
    ExpectShown(110, 300, 300, kBack, "the background");
    At(110, [this] { EXPECT_EQ(m_graphs.Current(), nullptr); });
    MoveAt(120, 151, 111);
    ExpectShown(130, 150, 110, kHi, "hovered from the next move");
    KeyAt(200, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(m_graphs.Calls(), (std::vector<std::string>{"create", "render ShellMedia/Intro.AVI",
                                                          "run", "stop", "release"}));
    EXPECT_EQ(JournalLines("cursor"), kMovieThenHover);
    EXPECT_EQ(JournalLines("sound"), std::vector<std::string>{"sound shellmedia\\over.wav"});

    // A click ends the introduction and reaches no button: the menu at once, not the last frame
    // until the pointer moves. A notification still queued from the stopped movie changes nothing.
    m_backend->ClearJournal();
    const std::uint64_t t = m_backend->Now();
    Frame(t + 10, kFrame1);
    ClickAt(t + 20, 150, 110);
    ExpectShown(t + 30, 150, 110, kLo, "menu after the click");
    At(t + 40, [] { PostMessageA(GetParent(g_hPictureWnd), WM_GRAPHNOTIFY, 0, 0); });
    ExpectShown(t + 50, 150, 110, kLo, "menu after a late notification");
    KeyAt(t + 100, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(JournalLines("sound").empty());
    EXPECT_TRUE(JournalLines("command").empty());
    EXPECT_EQ(JournalLines("cursor").back(), "cursor shellmedia\\lo.cur");
    EXPECT_EQ(m_graphs.Calls().back(), "release");
}

TEST_F(MovieTest, ShutdownButtonsPlayTheClosingMovieThenTheirOwnCommand) {
    WriteMenu({{"a.btn", 100, 100, "a.sh", true}, {"b.btn", 100, 200, "b.sh", true}}, false, false,
              {"intro.avi", "bye.avi"}, true);
    m_folder.Write("ShellMedia/intro.avi", "movie");
    m_folder.Write("ShellMedia/bye.avi", "movie");
    m_folder.WriteScript("a.sh", "");
    m_folder.WriteScript("b.sh", "");
    auto commands = [this] {
        auto lines = JournalLines("command");
        m_backend->ClearJournal();
        return lines;
    };

    // The movie ends by itself: the clicked button's command, then the menu closes.
    Signal(10, EC_COMPLETE);
    ClickAt(20, 150, 210);
    Frame(30, kFrame1);
    ExpectShown(40, 150, 110, kFrame1, "the closing movie");
    Signal(50, EC_COMPLETE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(m_graphs.Calls(),
              (std::vector<std::string>{"create", "render ShellMedia/intro.avi", "run", "stop",
                                        "release", "create", "render ShellMedia/bye.avi", "run",
                                        "stop", "release"}));
    EXPECT_EQ(commands(), std::vector<std::string>{"command <./b.sh>"});
    EXPECT_TRUE(JournalLines("watchdog").empty());

    // A click during the closing movie ends it the same way, with the other button's command.
    std::uint64_t t = m_backend->Now();
    Signal(t + 10, EC_COMPLETE);
    ClickAt(t + 20, 150, 110);
    ClickAt(t + 30, 150, 210);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(commands(), std::vector<std::string>{"command <./a.sh>"});

    // Escape during either movie closes without any command.
    t = m_backend->Now();
    Signal(t + 10, EC_COMPLETE);
    ClickAt(t + 20, 150, 110);
    KeyAt(t + 30, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    t = m_backend->Now();
    KeyAt(t + 10, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(m_graphs.Current(), nullptr);
}

TEST_F(MovieTest, MoviesThatCannotPlay) {
    // Not a movie: the message, then movie mode (pointer hidden, moves ignored) until a click.
    WriteMenu({{"a.btn", 100, 100}}, false, false, {"intro.avi"}, true);
    m_folder.Write("ShellMedia/intro.avi", "not a movie at all");
    MoveAt(10, 150, 110);
    ExpectShown(20, 150, 110, 0x000000, "movie mode shows no menu");
    ClickAt(30, 150, 110);
    ExpectShown(40, 150, 110, kLo, "menu after the click");
    MoveAt(50, 151, 111);
    ExpectShown(60, 150, 110, kHi, "buttons react");
    KeyAt(100, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("messagebox"),
              std::vector<std::string>{"messagebox " + std::string(kCantRenderIntro)});
    EXPECT_EQ(JournalLines("cursor"), kMovieThenHover);
    EXPECT_TRUE(JournalLines("command").empty());

    // A missing file: the same.
    m_backend->ClearJournal();
    std::filesystem::remove("ShellMedia/intro.avi");
    KeyAt(m_backend->Now() + 10, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kCantRenderIntro});

    // Movies asked for but none named: no movie, no message, the menu at once. A shutdown button
    // without a closing movie runs its command and closes.
    WriteMenu({{"a.btn", 100, 100, "run.sh", true}}, false, false, {}, true);
    std::uint64_t t = m_backend->Now();
    ExpectShown(t + 10, 150, 110, kLo, "menu at once");
    ClickAt(t + 20, 150, 110);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("command"), std::vector<std::string>{"command <./run.sh>"});
    EXPECT_TRUE(JournalLines("messagebox").empty());
    EXPECT_EQ(m_graphs.Calls().back(), "release");
}

// Nothing registered for the filter graph and no module beside the test program: the class is
// not registered, and the menu goes on without the movie.
TEST_F(LauncherTest, NoFilterGraphOnTheMachine) {
    void* graph = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               &graph),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(graph, nullptr);

    WriteMenu({{"a.btn", 100, 100}}, false, false, {"intro.avi"}, true);
    m_folder.Write("ShellMedia/intro.avi", "movie");
    ExpectShown(10, 150, 110, kLo, "menu at once");
    MoveAt(20, 150, 110);
    ExpectShown(30, 150, 110, kHi, "buttons react");
    KeyAt(100, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kCantRenderIntro});
}

}  // namespace
