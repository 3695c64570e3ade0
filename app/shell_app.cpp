// SPDX-License-Identifier: MIT
#include "app/shell_app.h"

#include <new>

#include "description/shell_description.h"
#include "res/dialog_templates.h"
#include "res/resource.h"
#include "window/shell_dlg.h"

BEGIN_MESSAGE_MAP(CShellApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CShellApp::CShellApp() = default;

BOOL CShellApp::InitInstance() {
#ifndef _WIN32
    RegisterShellTemplates();
#endif
    Enable3dControls();
    if (CoInitialize(nullptr) != S_OK) {
        AfxMessageBox("Error initializing COM", MB_OK);
        return FALSE;
    }
    g_pShellDescription = new (std::nothrow) ShellDescription;
    if (g_pShellDescription == nullptr) {
        AfxMessageBox("Error allocating context", MB_OK);
        return FALSE;
    }
    if (g_pShellDescription->Load() == FALSE) {
        AfxMessageBox("Error creating context", MB_OK);
        // Nothing reads the description or uses COM after this; leave nothing behind.
        delete g_pShellDescription;
        g_pShellDescription = nullptr;
        CoUninitialize();
        return FALSE;
    }
    {
        CShellDlg dialog(nullptr);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        CoUninitialize();
        delete g_pShellDescription;
        g_pShellDescription = nullptr;
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
