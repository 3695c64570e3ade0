// SPDX-License-Identifier: MIT
// The keyboard focus on the whole launcher: Tab and the arrows hover a button as the pointer
// does, Enter and Space click it, a pointer move takes hover back; on the headless backend's
// virtual clock.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/dshow.h"
#include "tests/helpers/launcher_fixture.h"
#include "tests/helpers/scripted_graph.h"

namespace {

using namespace testing_support;

class KeyboardTest : public LauncherTest {
  protected:
    void ShiftTabAt(std::uint64_t t) {
        backend::InputEvent e{backend::EventType::kKeyDown, m_backend->NewestWindow() + 1};
        e.key = static_cast<int>(VK_TAB);
        e.shift = true;
        m_backend->Script(e, t);
    }
    // At time `t`, the button of `buttons` at `hovered` shows its hovered picture and every
    // other one its normal picture.
    void ExpectHovered(std::uint64_t t, const std::vector<Button>& buttons, std::size_t hovered) {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const std::string what = "button " + std::to_string(i) + " after the key at " +
                                     std::to_string(t - 5) + " ms";
            ExpectShown(t, buttons[i].x + 50, buttons[i].y + 10, i == hovered ? kHi : kLo,
                        what.c_str());
        }
    }
    std::vector<std::string> Sounds() const { return JournalLines("sound"); }
    void Frame(std::uint64_t t, std::uint32_t rgb) {
        At(t, [this, rgb] { m_graphs.ShowFrame(rgb); });
    }
    void Signal(std::uint64_t t, long code) {
        At(t, [this, code] { m_graphs.Signal(code); });
    }

    ScriptedGraphs m_graphs;
};

const std::string kOver = "sound shellmedia\\over.wav";
const std::string kClick = "sound shellmedia\\click.wav";

TEST_F(KeyboardTest, TabOrderSkipsButtonsThatNeverReactAndGoesRound) {
    WriteMenu({{"a.btn", 100, 100, "a.sh"},
               {"b.btn", 100, 200, "b.sh", false, false},
               {"c.btn", 100, 300, "c.sh"}});
    m_folder.WriteScript("a.sh", "");
    m_folder.WriteScript("c.sh", "");
    KeyAt(10, VK_TAB);
    ExpectShown(15, 150, 110, kHi, "first button focused");
    KeyAt(20, VK_TAB);
    ExpectShown(25, 150, 110, kLo, "first button left");
    ExpectShown(25, 150, 210, kBack, "the button without a picture passed by");
    ExpectShown(25, 150, 310, kHi, "third button focused");
    KeyAt(30, VK_TAB);
    ExpectShown(35, 150, 110, kHi, "round to the first");
    ShiftTabAt(40);
    ExpectShown(45, 150, 310, kHi, "back to the last");
    KeyAt(50, VK_RETURN);
    KeyAt(60, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{kOver, kOver, kOver, kOver, kClick}));
    EXPECT_EQ(JournalLines("command"), std::vector<std::string>{"command <./c.sh>"});
    // The pointer's shape is the pointer's: the keyboard leaves it.
    EXPECT_EQ(JournalLines("cursor"), std::vector<std::string>{"cursor shellmedia\\lo.cur"});

    // Shift+Tab first: the last button.
    ShiftTabAt(m_backend->Now() + 10);
    ExpectShown(m_backend->Now() + 15, 150, 310, kHi, "Shift+Tab from nothing");
    KeyAt(m_backend->Now() + 20, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
}

TEST_F(KeyboardTest, ArrowsGoToTheNearestButtonTiesToTheLowerIndex) {
    // 0 on the left; 1 and 2 right of it, as far below as above; 3 further right; 4 below 0.
    const std::vector<Button> buttons = {
        {"0.btn", 100, 100}, {"1.btn", 300, 150}, {"2.btn", 300, 50},
        {"3.btn", 500, 100}, {"4.btn", 100, 300},
    };
    WriteMenu(buttons);
    const struct {
        int key;
        std::size_t focused;
    } kSteps[] = {
        {VK_RIGHT, 0},                               // nothing focused: the first button
        {VK_RIGHT, 1},                               // 1 and 2 are as near: the lower index
        {VK_UP, 2},    {VK_RIGHT, 3}, {VK_LEFT, 1},  // 1 and 2 again
        {VK_DOWN, 4},  {VK_DOWN, 4},                 // nothing below: the focus stays
        {VK_UP, 0},
    };
    std::uint64_t t = 0;
    for (const auto& step : kSteps) {
        t += 10;
        KeyAt(t, step.key);
        ExpectHovered(t + 5, buttons, step.focused);
    }
    KeyAt(t + 10, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    // One hover sound per button entered; staying put plays none.
    EXPECT_EQ(Sounds().size(), std::size(kSteps) - 1);
}

TEST_F(KeyboardTest, FocusedButtonHoversAsThePointerWouldAndThePointerTakesOver) {
    WriteMenu({{"a.btn", 100, 100}, {"b.btn", 100, 200}});
    KeyAt(10, VK_TAB);
    KeyAt(100, VK_LEFT);  // no button to the left: the focus stays, nothing plays again
    ExpectShown(509, 150, 110, kHi, "hovered");
    ExpectShown(510, 150, 110, kBubble, "bubble 500 ms after the focus came");
    // A pointer move hands hover to the pointer: on the second button, the first is left.
    MoveAt(600, 150, 210);
    ExpectShown(605, 150, 110, kLo, "left by the pointer");
    ExpectShown(605, 150, 210, kHi, "hovered by the pointer");
    KeyAt(610, VK_RETURN);  // no focus any more: nothing
    KeyAt(620, VK_SPACE);
    ExpectShown(625, 150, 210, kHi, "still the pointer's");
    KeyAt(700, VK_TAB);  // the focus starts afresh, and the pointer's button is left
    ExpectShown(705, 150, 110, kHi, "focused again");
    ExpectShown(705, 150, 210, kLo, "pointer's button left");
    KeyAt(800, VK_ESCAPE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Effects(), (std::vector<std::string>{"cursor shellmedia\\lo.cur", kOver, kOver,
                                                   "cursor shellmedia\\hi.cur", kOver}));
}

TEST_F(KeyboardTest, EnterAndSpaceClickTheFocusedButton) {
    WriteMenu({{"x.btn", 100, 100, "exit"}});
    // Before any key that moves the focus, Enter and Space do nothing.
    KeyAt(10, VK_RETURN);
    KeyAt(20, VK_SPACE);
    ExpectShown(25, 150, 110, kLo, "nothing focused");
    KeyAt(30, VK_TAB);
    KeyAt(40, VK_RETURN);  // "exit": closes without a command
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{kOver, kClick}));
    EXPECT_TRUE(JournalLines("command").empty());
    EXPECT_EQ(JournalLines("close").size(), 1u);
    EXPECT_TRUE(JournalLines("watchdog").empty());

    // A shutdown button with movies on: the closing movie, then its command, then the end.
    m_backend->ClearJournal();
    WriteMenu({{"x.btn", 100, 100, "exit"}, {"off.btn", 100, 200, "off.sh", true}}, false, false,
              {"intro.avi", "bye.avi"}, true);
    m_folder.Write("ShellMedia/intro.avi", "movie");
    m_folder.Write("ShellMedia/bye.avi", "movie");
    m_folder.WriteScript("off.sh", "");
    const std::uint64_t t = m_backend->Now();
    Signal(t + 10, EC_COMPLETE);
    KeyAt(t + 20, VK_DOWN);
    KeyAt(t + 30, VK_DOWN);
    KeyAt(t + 40, VK_SPACE);
    At(t + 50, [this] { EXPECT_TRUE(JournalLines("command").empty()) << "not before the movie"; });
    Signal(t + 60, EC_COMPLETE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(m_graphs.Calls(),
              (std::vector<std::string>{"create", "render ShellMedia/intro.avi", "run", "stop",
                                        "release", "create", "render ShellMedia/bye.avi", "run",
                                        "stop", "release"}));
    EXPECT_EQ(JournalLines("command"), std::vector<std::string>{"command <./off.sh>"});
}

TEST_F(KeyboardTest, KeysDuringMoviesActAsClicks) {
    WriteMenu({{"a.btn", 100, 100}, {"off.btn", 100, 200, "off.sh", true}}, false, false,
              {"intro.avi", "bye.avi"}, true);
    m_folder.Write("ShellMedia/intro.avi", "movie");
    m_folder.Write("ShellMedia/bye.avi", "movie");
    m_folder.WriteScript("off.sh", "");
    // The introduction: Tab and the arrows move nothing under it; Enter ends it.
    Frame(10, 0x112233);
    KeyAt(20, VK_TAB);
    KeyAt(30, VK_DOWN);
    ExpectShown(35, 150, 110, 0x112233, "still the movie");
    KeyAt(40, VK_RETURN);
    ExpectShown(45, 150, 110, kLo, "the menu, nothing focused");
    // The closing movie: Space runs its command at once and closes.
    KeyAt(50, VK_DOWN);
    KeyAt(60, VK_DOWN);
    KeyAt(70, VK_RETURN);
    KeyAt(80, VK_SPACE);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(JournalLines("command"), std::vector<std::string>{"command <./off.sh>"});
    EXPECT_EQ(Sounds(), (std::vector<std::string>{kOver, kOver, kClick}));
    EXPECT_EQ(m_graphs.Current(), nullptr);
}

}  // namespace
