// SPDX-License-Identifier: MIT
// The keyboard: Tab, Shift+Tab and the arrows move a focus from button to button, and the
// focused button is hovered as if the pointer had entered it; Enter or Space clicks it. Until
// one of them moves the focus, Enter does nothing and Escape closes, as ever.
#include <optional>

#include "buttons/focus_order.h"
#include "description/shell_description.h"
#include "window/shell_dlg.h"

namespace {

// The way an arrow key points; none for any other key.
std::optional<Toward> ArrowWay(WPARAM key) {
    switch (key) {
        case VK_LEFT:
            return Toward::kLeft;
        case VK_UP:
            return Toward::kUp;
        case VK_RIGHT:
            return Toward::kRight;
        case VK_DOWN:
            return Toward::kDown;
        default:
            return std::nullopt;
    }
}

bool MovesFocus(WPARAM key) {
    return key == VK_TAB || ArrowWay(key).has_value();
}

}  // namespace

BOOL CShellDlg::PreTranslateMessage(MSG* msg) {
    // The dialog manager would take Tab and the arrows to move among controls, and Enter for
    // IDOK. This dialog has no control that takes the focus, so the menu takes them itself;
    // Escape stays the dialog manager's, and so does Enter while nothing is focused (OnOK
    // ignores it).
    if (msg->message == WM_KEYDOWN && (msg->hwnd == m_hWnd || ::GetParent(msg->hwnd) == m_hWnd)) {
        const WPARAM key = msg->wParam;
        const bool clicks =
            key == VK_SPACE ||
            (key == VK_RETURN && (m_pGraph != nullptr || m_nFocusButton != kNoButton));
        if (MovesFocus(key) || clicks) {
            SendMessage(WM_KEYDOWN, msg->wParam, msg->lParam);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

void CShellDlg::OnKeyDown(UINT key, UINT /*repeats*/, UINT /*flags*/) {
    if (m_pGraph != nullptr) {
        // A movie takes Enter and Space as it takes a click; nothing moves under it.
        if (key == VK_RETURN || key == VK_SPACE) {
            ClickDuringMovie();
        }
        return;
    }
    if (m_pButtons == nullptr) {
        Default();
        return;
    }
    const auto count = static_cast<std::int32_t>(g_pShellDescription->m_nButtons);
    if (key == VK_TAB) {
        const bool shift = GetKeyState(static_cast<int>(VK_SHIFT)) < 0;
        FocusButton(StepInTabOrder(m_pButtons, count, m_nFocusButton,
                                   shift ? TabOrder::kPrevious : TabOrder::kNext));
    } else if (const auto way = ArrowWay(key)) {
        FocusButton(NearestToward(m_pButtons, count, m_nFocusButton, *way));
    } else if (key == VK_RETURN || key == VK_SPACE) {
        if (m_nFocusButton != kNoButton && m_pButtons[m_nFocusButton].Reacts() == TRUE) {
            m_pButtons[m_nFocusButton].Click();
            ::InvalidateRect(m_hWnd, nullptr, TRUE);  // as a click of the mouse repaints
        }
    } else {
        Default();
    }
}

void CShellDlg::FocusButton(std::int32_t index) {
    if (index == kNoButton) {
        return;
    }
    m_nFocusButton = index;
    // One button hovered, as after a mouse move onto it alone; the pointer's shape is the
    // pointer's own and stays.
    const auto count = static_cast<std::int32_t>(g_pShellDescription->m_nButtons);
    for (std::int32_t i = 0; i < count; ++i) {
        if (m_pButtons[i].Reacts() == FALSE) {
            continue;
        }
        if (i == index) {
            m_pButtons[i].BeginHover();
        } else {
            m_pButtons[i].EndHover();
        }
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}
