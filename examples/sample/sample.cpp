// SPDX-License-Identifier: MIT
// A small program on the framework, to see the platform layer work end to end: a picture that
// changes when the pointer is over it and gains a frame after 500 ms, a sound on entering
// ("sample.wav" in the current folder, if there is one) and a click that opens "sample_command".
#include <vector>

#include "platform/afx.h"
#ifndef _WIN32
#include "platform/afx/entry.h"
#include "platform/win32/resources.h"
#endif

namespace {

constexpr UINT kTemplate = 200;
constexpr RECT kPicture{60, 70, 260, 170};  // 200 x 100

struct Picture {
    BITMAPINFOHEADER header{40, 200, 100, 1, 24, 0, 0, 0, 0, 0, 0};
    std::vector<BYTE> bits = std::vector<BYTE>(std::size_t{600} * 100);

    explicit Picture(COLORREF color) {
        for (std::size_t i = 0; i < bits.size(); i += 3) {
            bits[i] = GetBValue(color);
            bits[i + 1] = GetGValue(color);
            bits[i + 2] = GetRValue(color);
        }
    }
};

class CSampleDlg : public CDialog {
  public:
    CSampleDlg() : CDialog(kTemplate) {}

  protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetWindowText("menushell sample");
        MoveWindow(0, 0, 320, 240, TRUE);
        CenterWindow();
        return TRUE;
    }

    BOOL OnEraseBkgnd(CDC* dc) {
        CRect client;
        GetClientRect(&client);
        CBrush black(RGB(0, 0, 0));
        dc->FillRect(&client, &black);
        return TRUE;
    }

    void OnPaint() {
        CPaintDC dc(this);
        Picture& picture = m_state == 0 ? m_normal : m_hovered;
        const HDRAWDIB hdd = DrawDibOpen();
        DrawDibDraw(hdd, dc.GetSafeHdc(), kPicture.left, kPicture.top, -1, -1, &picture.header,
                    picture.bits.data(), 0, 0, 200, 100, 0);
        DrawDibClose(hdd);
        if (m_state == 2) {
            CBrush white(RGB(255, 255, 255));
            dc.FrameRect(&kPicture, &white);
        }
    }

    void OnMouseMove(UINT /*flags*/, CPoint point) {
        const bool inside = PtInRect(&kPicture, point) == TRUE;
        if (inside && m_state == 0) {
            m_state = 1;
            SetTimer(m_hWnd, 1, 500, nullptr);
            PlaySoundA("sample.wav", nullptr, SND_FILENAME | SND_ASYNC);
        } else if (!inside && m_state != 0) {
            m_state = 0;
            KillTimer(m_hWnd, 1);
        }
        Invalidate(FALSE);
    }

    void OnTimer(UINT_PTR id) {
        KillTimer(m_hWnd, id);
        if (m_state == 1) {
            m_state = 2;
            Invalidate(FALSE);
        }
    }

    void OnLButtonDown(UINT /*flags*/, CPoint point) {
        if (PtInRect(&kPicture, point) == TRUE) {
            ShellExecuteA(nullptr, "open", "sample_command", nullptr, nullptr, SW_SHOWNORMAL);
        }
    }

    DECLARE_MESSAGE_MAP()

  private:
    int m_state = 0;  // 0 normal, 1 hovered, 2 hovered for 500 ms
    Picture m_normal{RGB(40, 80, 200)};
    Picture m_hovered{RGB(250, 150, 30)};
};

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CSampleApp : public CWinApp {
  public:
    BOOL InitInstance() override {
#ifndef _WIN32
        RegisterDialogTemplate({kTemplate,
                                WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER, 0, 0,
                                0, 213, 148, "", "MS Sans Serif", 8});
#endif
        CSampleDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        return FALSE;
    }
};

CSampleApp theApp;

}  // namespace

#ifndef _WIN32
// The sample leaves its arguments alone.
std::string TakeArguments(int /*argc*/, char** /*argv*/) {
    return {};
}
#endif
