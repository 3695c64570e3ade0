// SPDX-License-Identifier: MIT
#include "platform/afx/app.h"

#include <cerrno>

namespace {
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName) : m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) == TRUE) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return nullptr;
}

LPCSTR AfxGetAppName() {
    if (g_app != nullptr && g_app->m_pszAppName != nullptr) {
        return g_app->m_pszAppName;
    }
#ifdef _WIN32
    return "menushell";
#else
    return program_invocation_short_name;
#endif
}

int AfxMessageBox(LPCSTR text, UINT type, UINT /*helpId*/) {
    return MessageBoxA(nullptr, text, AfxGetAppName(), type);
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    return app->InitInstance() == TRUE ? app->Run() : app->ExitInstance();
}
