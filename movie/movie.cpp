// SPDX-License-Identifier: MIT
// Introduction and closing movies through a filter graph that plays in the picture window.
#include <cstdio>
#include <string>

#include "description/shell_description.h"
#include "window/shell_dlg.h"
#include "window/shell_window.h"

namespace {

template <typename Interface>
void Release(Interface*& pointer) {
    if (pointer != nullptr) {
        pointer->Release();
        pointer = nullptr;
    }
}

void ReportUnplayable(const char* path) {
    char text[MAX_PATH + 64];
    (void)std::snprintf(text, sizeof text, "IDS_CANT_RENDER_FILE -> %s", path);
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

}  // namespace

BOOL CShellDlg::PlayMovie(const char* path, UINT tag) {
    if (m_pGraph == nullptr) {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                         IID_IGraphBuilder, reinterpret_cast<void**>(&m_pGraph));
        if (m_pGraph != nullptr) {
            m_pGraph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_pMediaControl));
            m_pGraph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&m_pVideoWindow));
            m_pGraph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&m_pMediaEvent));
        }
        // Without a graph and all three of its interfaces there is no movie to play: say so as
        // for a file that cannot be rendered, and leave the menu usable with the pointer shown.
        if (m_pGraph == nullptr || m_pMediaControl == nullptr || m_pVideoWindow == nullptr ||
            m_pMediaEvent == nullptr) {
            ReportUnplayable(path);
            Release(m_pMediaControl);
            Release(m_pVideoWindow);
            Release(m_pMediaEvent);
            Release(m_pGraph);
            ShowCursor(TRUE);
            return TRUE;
        }
        WCHAR wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0 ||
            FAILED(m_pGraph->RenderFile(wide, nullptr))) {
            ReportUnplayable(path);
        }
        m_nMovieTag = tag;
        const HWND mainWindow = ::GetParent(m_pPictureWnd->m_hWnd);
        m_pMediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(mainWindow), WM_GRAPHNOTIFY,
                                       static_cast<LONG_PTR>(tag & 0xFFFF));
        m_pVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(mainWindow));
        m_pVideoWindow->put_Owner(reinterpret_cast<OAHWND>(m_pPictureWnd->m_hWnd));
        m_pVideoWindow->put_WindowStyle(static_cast<long>(WS_CHILD));
        m_pVideoWindow->SetWindowPosition(0, 0, 640, 480);
    }
    m_pMediaControl->Run();
    return TRUE;
}

void CShellDlg::StopMovie() {
    if (m_pGraph == nullptr) {
        return;
    }
    m_pMediaControl->Stop();
    Release(m_pMediaControl);
    Release(m_pVideoWindow);
    Release(m_pMediaEvent);
    Release(m_pGraph);
    ShowCursor(TRUE);
}

LRESULT CShellDlg::OnGraphNotify(WPARAM /*wParam*/, LPARAM lParam) {
    long code = 0;
    LONG_PTR param1 = 0;
    LONG_PTR param2 = 0;
    while (m_pMediaEvent != nullptr &&
           SUCCEEDED(m_pMediaEvent->GetEvent(&code, &param1, &param2, 0))) {
        m_pMediaEvent->FreeEventParams(code, param1, param2);
        if (code == EC_COMPLETE || code == EC_USERABORT) {
            StopMovie();
            EndMovie(static_cast<UINT>(lParam & 0xFFFF));
            return 0;
        }
    }
    return 0;
}

void CShellDlg::EndMovie(UINT tag) {
    if (tag != 0) {
        if (m_pButtons != nullptr) {
            m_pButtons[m_nMovieButton].Execute();
        }
        SendMessage(WM_CLOSE, 0, 0);
    } else if (m_pPictureWnd != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

LRESULT CShellDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHUTDOWNCLICK) {
        const ShellDescription& d = *g_pShellDescription;
        for (std::uint32_t i = 0; m_pButtons != nullptr && i < d.m_nButtons; ++i) {
            if (m_pButtons[i].m_nId == wParam) {
                m_nMovieButton = i;
            }
        }
        const auto tag = static_cast<UINT>(wParam);
        if (d.m_bPlayMovie == TRUE && d.m_movies.size() > 1) {
            const std::string path = kMediaFolder + d.m_movies[1];
            ShowCursor(FALSE);
            if (PlayMovie(path.c_str(), tag) == FALSE) {
                AfxMessageBox("Error playing movie!", MB_OK);
            }
        }
        // Without a closing movie to wait for (movies off, none named, or none playable), the
        // shutdown button does at once what the movie's end would do: run its command and close.
        if (m_pGraph == nullptr) {
            EndMovie(tag);
        }
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}
