// SPDX-License-Identifier: MIT
#include "window/shell_dlg.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "description/shell_description.h"
#include "res/resource.h"
#include "window/shell_window.h"

BEGIN_MESSAGE_MAP(CShellDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_CLOSE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_GRAPHNOTIFY, OnGraphNotify)
END_MESSAGE_MAP()

namespace {

std::string MediaPath(const std::string& name) {
    return kMediaFolder + name;
}

// A background whose pixels did not load, or that is not 24 bits deep, leaves the menu black
// with its buttons unseen (one cut short shows the rows it had); there is no message box for
// it, so one line on standard error says why.
void ReportBackgroundProblem(const DibImage& background, const std::string& path) {
    const WORD depth = background.m_pInfo->bmiHeader.biBitCount;
    const bool drawn = background.m_pBits != nullptr && depth == 24;
    std::string why = background.m_strLoadProblem;
    if (why.empty() && !drawn) {
        why = "has " + std::to_string(depth) + " bits per pixel: only 24-bit pictures are drawn";
    }
    if (!why.empty()) {
        (void)std::fprintf(stderr, "%s: background %s %s%s\n", AfxGetAppName(), path.c_str(),
                           why.c_str(), drawn ? "" : "; the menu is black");
    }
}

}  // namespace

CShellDlg::CShellDlg(CWnd* parent)
    : CDialog(IDD_SHELL_DIALOG, parent),
      m_hIcon(static_cast<HICON>(LoadImageA(nullptr,
                                            MediaPath(g_pShellDescription->m_strAppIcon).c_str(),
                                            IMAGE_ICON, 32, 32, LR_LOADFROMFILE))) {}

CShellDlg::~CShellDlg() {
    delete m_pPictureWnd;
}

void CShellDlg::DoDataExchange(CDataExchange* /*dx*/) {}

BOOL CShellDlg::PreCreateWindow(CREATESTRUCT& cs) {
    return CDialog::PreCreateWindow(cs);
}

BOOL CShellDlg::Abandon(LPCSTR message) {
    AfxMessageBox(message, MB_OK);
    OnCancel();
    return FALSE;
}

BOOL CShellDlg::OnInitDialog() {
    const ShellDescription& d = *g_pShellDescription;
    CDialog::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_hCursorLo = static_cast<HCURSOR>(LoadImageA(nullptr, MediaPath(d.m_strCursorLo).c_str(),
                                                  IMAGE_CURSOR, 32, 32, LR_LOADFROMFILE));
    if (m_hCursorLo == nullptr) {
        AfxMessageBox("Failed cursor 1", MB_OK);
    }
    m_hCursorHi = static_cast<HCURSOR>(LoadImageA(nullptr, MediaPath(d.m_strCursorHi).c_str(),
                                                  IMAGE_CURSOR, 32, 32, LR_LOADFROMFILE));
    if (m_hCursorHi == nullptr) {
        AfxMessageBox("Failed cursor 2", MB_OK);
    }
    SetCursor(m_hCursorLo);

    SetWindowText(d.m_strAppName.c_str());
    if (d.m_bFullscreen == TRUE) {
        ModifyStyle(WS_CAPTION | WS_SYSMENU, 0, 0);
        ShowWindow(SW_MAXIMIZE);
    } else {
        CRect window;
        CRect client;
        GetWindowRect(&window);
        GetClientRect(&client);
        MoveWindow(0, 0, window.Width() - client.Width() + 640,
                   window.Height() - client.Height() + 480, TRUE);
        CenterWindow();
    }

    m_pPictureWnd = new (std::nothrow) CPictureWnd(this);
    if (m_pPictureWnd == nullptr) {
        // Without the picture window there is nothing to show the menu in.
        return Abandon("Error allocating memory for picture window! exiting...");
    }
    m_pPictureWnd->Create("STATIC", "", WS_CHILD, CRect(0, 0, 640, 480), this, 1234);
    m_pPictureWnd->MoveWindow(0, 0, 640, 480, TRUE);
    m_pPictureWnd->CenterWindow();

    m_pBackground = new (std::nothrow) DibImage[1];
    if (m_pBackground == nullptr) {
        return Abandon("Error allocating memory for background! exiting...");
    }
    m_pBackground->Load(MediaPath(d.m_strBgImage).c_str());

    m_pOffscreen = new (std::nothrow) DibImage[1];
    if (m_pOffscreen == nullptr) {
        return Abandon("Error allocating memory for offscreen! exiting...");
    }
    // A background whose header could not be read leaves nothing to make the frame from: say
    // which file it was rather than only that the offscreen failed.
    if (m_pBackground->m_pInfo == nullptr) {
        const std::string message =
            "Error loading background " + MediaPath(d.m_strBgImage) + "! exiting...";
        return Abandon(message.c_str());
    }
    if (m_pOffscreen->Create(m_pBackground->m_pInfo->bmiHeader) == FALSE) {
        return Abandon("Error creating offscreen! exiting...");
    }
    ReportBackgroundProblem(*m_pBackground, MediaPath(d.m_strBgImage));
    // A background that loaded only its header, or one too small or not 24 bits deep, would
    // otherwise show uninitialised memory: black it is.
    std::memset(m_pOffscreen->m_pBits, 0,
                static_cast<std::size_t>(m_pOffscreen->m_pInfo->bmiHeader.biHeight) *
                    m_pOffscreen->m_nStride);
    std::memset(m_pOffscreen->m_pInfo->bmiColors, 0,
                static_cast<std::size_t>(m_pOffscreen->PaletteEntries()) * sizeof(RGBQUAD));

    m_pButtons = new (std::nothrow) ShellButton[d.m_nButtons];
    if (m_pButtons == nullptr) {
        return Abandon("Error allocating memory for buttons! exiting...");
    }
    SetMediaFolder(kMediaFolder);
    g_hPictureWnd = m_pPictureWnd->m_hWnd;
    // The description was refused at load time unless it names every button it counts.
    for (std::uint32_t i = 0; i < d.m_nButtons; ++i) {
        if (m_pButtons[i].Load(MediaPath(d.m_buttonFiles[i]).c_str()) == FALSE) {
            AfxMessageBox("Error loading button!", MB_OK);
            return FALSE;
        }
    }
    g_pOffscreen = m_pOffscreen;

    // Movies asked for but none named: no introduction, and the menu is usable at once.
    if (d.m_bPlayMovie == TRUE && !d.m_movies.empty()) {
        const std::string movie = MediaPath(d.m_movies[0]);
        ShowCursor(FALSE);
        if (PlayMovie(movie.c_str(), 0) == FALSE) {
            AfxMessageBox("Error playing movie!", MB_OK);
        }
    }
    m_pPictureWnd->ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

BOOL CShellDlg::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/) {
    return FALSE;  // the shape last given to SetCursor stays
}

void CShellDlg::OnOK() {}
