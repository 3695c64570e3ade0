// SPDX-License-Identifier: MIT
// CWinApp: the one application object. The program's entry finds it, calls InitInstance, runs
// a message loop when that returns TRUE, and ends with ExitInstance's value.
#pragma once

#include "platform/afx/message_map.h"

class CWnd;

class CWinApp : public CCmdTarget {
  public:
    // Registers this object as the application; `appName` null takes the program's name.
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Pumps messages until WM_QUIT; returns ExitInstance's value.
    virtual int Run();
    virtual int ExitInstance();
    BOOL Enable3dControls() { return TRUE; }

    CWnd* m_pMainWnd = nullptr;
    LPCSTR m_pszAppName = nullptr;

  protected:
    void OnHelp() {}

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// The caption of every box shown with AfxMessageBox: the application's name.
LPCSTR AfxGetAppName();
// Shows `text` in a box captioned with the application's name; returns the button pressed.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// Runs the application object: InitInstance, then Run or ExitInstance. The exit code.
int AfxWinMain();
