// SPDX-License-Identifier: MIT
// The menu's one window: a modal dialog from template 102 with the picture window in it. Set-up
// is in shell_dlg.cpp, painting in painting.cpp, the pointer in buttons/, movies in movie/.
#pragma once

#include <cstdint>

#include "buttons/focus_order.h"
#include "description/shell_button.h"
#include "imaging/dib_image.h"
#include "platform/afx.h"
#include "platform/dshow.h"
#include "window/picture_wnd.h"

class CShellDlg : public CDialog {
  public:
    explicit CShellDlg(CWnd* parent = nullptr);
    // Deletes the picture window object when Escape or a failed set-up ended the dialog
    // without WM_CLOSE; the window itself went with the dialog's.
    ~CShellDlg() override;

    // Starts the movie at `path` in the picture window; `tag` 0 is the introduction movie, else
    // the id of the shutdown button whose closing movie it is.
    BOOL PlayMovie(const char* path, UINT tag);
    // Stops and releases the movie, showing the pointer again; nothing when none runs.
    void StopMovie();

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Answers WM_SHUTDOWNCLICK, then passes every message on.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Passes the menu's keys to OnKeyDown before the dialog manager can take them.
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnClose();
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    LRESULT OnGraphNotify(WPARAM wParam, LPARAM lParam);
    void OnKeyDown(UINT key, UINT repeats, UINT flags);

    DECLARE_MESSAGE_MAP()

  private:
    // Reports a set-up failure whose message ends the menu, and ends it.
    BOOL Abandon(LPCSTR message);
    // What follows the end of a movie: the closing movie's command and the close, or the menu.
    void EndMovie(UINT tag);
    // A click while a movie runs: it ends the introduction, or runs the closing movie's command
    // and closes.
    void ClickDuringMovie();
    // Hovers button `index` as if the pointer had entered it, and leaves every other one.
    void FocusButton(std::int32_t index);

    HICON m_hIcon;                         // for the life of the process
    CPictureWnd* m_pPictureWnd = nullptr;  // owned; deleted by OnClose
    DibImage* m_pOffscreen = nullptr;      // owned array of one; released by OnCancel
    DibImage* m_pBackground = nullptr;     // owned array of one; released by OnCancel
    HCURSOR m_hCursorLo = nullptr;         // for the life of the process
    HCURSOR m_hCursorHi = nullptr;         // for the life of the process
    std::uint32_t m_nMovieTag = 0;
    std::uint32_t m_nMovieButton = 0;
    ShellButton* m_pButtons = nullptr;  // owned array of m_nButtons; released by OnCancel
    std::uint32_t m_nHoverButton = 0;
    // The button the keyboard hovers; none while the pointer does.
    std::int32_t m_nFocusButton = kNoButton;
    IGraphBuilder* m_pGraph = nullptr;  // non-null exactly while a movie exists
    IMediaControl* m_pMediaControl = nullptr;
    IVideoWindow* m_pVideoWindow = nullptr;
    IMediaEventEx* m_pMediaEvent = nullptr;
};
