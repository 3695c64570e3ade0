// SPDX-License-Identifier: MIT
// The framework's dialogs and message maps, run modally on the headless backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx.h"
#include "platform/win32/resources.h"
#include "tests/helpers/headless.h"

namespace {

constexpr UINT kTemplate = 300;
constexpr UINT WM_PING = WM_APP + 5;

class TestDialog : public CDialog {
  public:
    enum class Init { kNormal, kEndAtOnce, kTimer };
    explicit TestDialog(Init init = Init::kNormal) : CDialog(kTemplate), m_init(init) {}

    std::vector<std::string> calls;

  protected:
    BOOL OnInitDialog() override {
        calls.emplace_back("init");
        CDialog::OnInitDialog();
        if (m_init == Init::kEndAtOnce) {
            OnCancel();
        } else if (m_init == Init::kTimer) {
            SetTimer(m_hWnd, 3, 500, nullptr);
        }
        return TRUE;
    }
    void OnOK() override { calls.emplace_back("ok"); }  // Enter does nothing here
    void OnCancel() override {
        calls.emplace_back("cancel");
        CDialog::OnCancel();
    }
    void OnClose() {
        calls.emplace_back("close");
        Default();
    }
    void OnTimer(UINT_PTR id) {
        calls.push_back("timer " + std::to_string(id));
        KillTimer(m_hWnd, id);
        PostMessage(WM_PING, 7, 0);
    }
    LRESULT OnPing(WPARAM wParam, LPARAM /*lParam*/) {
        calls.push_back("ping " + std::to_string(wParam));
        EndDialog(static_cast<int>(wParam));
        return 0;
    }

    DECLARE_MESSAGE_MAP()

  private:
    Init m_init;
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_WM_CLOSE()
ON_WM_TIMER()
ON_MESSAGE(WM_PING, OnPing)
END_MESSAGE_MAP()

// Takes Tab itself, before the dialog manager, as a program that moves its own focus does.
class TabDialog : public TestDialog {
  protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
            SendMessage(WM_KEYDOWN, msg->wParam, msg->lParam);
            return TRUE;
        }
        return TestDialog::PreTranslateMessage(msg);
    }
    void OnKeyDown(UINT key, UINT /*repeats*/, UINT /*flags*/) {
        calls.push_back("key " + std::to_string(key) +
                        (GetKeyState(static_cast<int>(VK_SHIFT)) < 0 ? " shift" : ""));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TabDialog, TestDialog)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class DialogTest : public testing_support::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        RegisterDialogTemplate({kTemplate, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_CENTER, 0, 0, 0,
                                320, 202, "Test", "MS Sans Serif", 8});
    }
};

TEST_F(DialogTest, KeysAndTheCloseBox) {
    InputAt(10, backend::EventType::kKeyDown, 0, 0, VK_RETURN);
    InputAt(20, backend::EventType::kKeyDown, 0, 0, VK_ESCAPE);
    TestDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"init", "ok", "cancel"}));
    EXPECT_EQ(dialog.m_hWnd, nullptr);  // destroyed when the modal run ends
    // 320 x 202 dialog units, centred on the 1024 x 768 screen.
    EXPECT_EQ(JournalLines("place").front(), "place 1 272 220 480 328 windowed");
    EXPECT_EQ(JournalLines("show").size(), 1u);
    // Neither WS_MINIMIZEBOX nor WS_MAXIMIZEBOX: a frame with neither box.
    EXPECT_EQ(JournalLines("frame buttons"), std::vector<std::string>{"frame buttons 1 none"});

    // The close box cancels through WM_CLOSE.
    InputAt(m_backend->Now() + 10, backend::EventType::kClose);
    TestDialog closed;
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
    EXPECT_EQ(closed.calls, (std::vector<std::string>{"init", "close", "cancel"}));

    // F4 alone is no key of the dialog's: Escape ends this one, without WM_CLOSE.
    m_backend->Script({backend::EventType::kKeyDown, m_backend->NewestWindow() + 1, 0, 0,
                       backend::MouseButton::kNone, static_cast<int>(VK_F4)},
                      m_backend->Now() + 10);
    InputAt(m_backend->Now() + 20, backend::EventType::kKeyDown, 0, 0, VK_ESCAPE);
    TestDialog notClosed;
    EXPECT_EQ(notClosed.DoModal(), IDCANCEL);
    EXPECT_EQ(notClosed.calls, (std::vector<std::string>{"init", "cancel"}));
    // Alt+F4 closes as the close box does (WM_SYSKEYDOWN, WM_SYSCOMMAND SC_CLOSE, WM_CLOSE),
    // where no window manager took it first.
    backend::InputEvent altF4{backend::EventType::kKeyDown, m_backend->NewestWindow() + 1};
    altF4.key = static_cast<int>(VK_F4);
    altF4.alt = true;
    m_backend->Script(altF4, m_backend->Now() + 10);
    TestDialog altClosed;
    EXPECT_EQ(altClosed.DoModal(), IDCANCEL);
    EXPECT_EQ(altClosed.calls, (std::vector<std::string>{"init", "close", "cancel"}));

    // A dialog that takes a key before the dialog manager gets it in OnKeyDown, with the Shift
    // state of that key's message; Enter and Escape stay the dialog manager's.
    const std::uint64_t t = m_backend->Now();
    backend::InputEvent key{backend::EventType::kKeyDown, m_backend->NewestWindow() + 1};
    key.key = static_cast<int>(VK_TAB);
    m_backend->Script(key, t + 10);
    key.shift = true;
    m_backend->Script(key, t + 20);
    key.key = static_cast<int>(VK_RETURN);
    m_backend->Script(key, t + 30);
    InputAt(t + 40, backend::EventType::kKeyDown, 0, 0, VK_ESCAPE);
    TabDialog tabs;
    EXPECT_EQ(tabs.DoModal(), IDCANCEL);
    EXPECT_EQ(tabs.calls,
              (std::vector<std::string>{"init", "key 9", "key 9 shift", "ok", "cancel"}));
    EXPECT_EQ(GetKeyState(static_cast<int>(VK_SHIFT)), 0) << "Escape came without Shift";
}

TEST_F(DialogTest, EndingInInitTimersAndAMissingTemplate) {
    TestDialog ended(TestDialog::Init::kEndAtOnce);
    EXPECT_EQ(ended.DoModal(), IDCANCEL);
    EXPECT_EQ(ended.calls, (std::vector<std::string>{"init", "cancel"}));
    EXPECT_TRUE(JournalLines("show").empty());

    EXPECT_EQ(CDialog(999).DoModal(), -1);

    // The idle loop sleeps until the timer is due: one wait, which the timer ended; the posted
    // message needed no wait.
    const std::uint64_t start = m_backend->Now();
    const int wakeups = m_backend->Wakeups();
    TestDialog timed(TestDialog::Init::kTimer);
    EXPECT_EQ(timed.DoModal(), 7);
    EXPECT_EQ(timed.calls, (std::vector<std::string>{"init", "timer 3", "ping 7"}));
    EXPECT_EQ(m_backend->Now() - start, 500u);
    EXPECT_EQ(m_backend->Wakeups() - wakeups, 1);
}

}  // namespace
