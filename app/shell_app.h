// SPDX-License-Identifier: MIT
// The application object: runs the whole program inside InitInstance.
#pragma once

#include "platform/afx.h"

class CShellApp : public CWinApp {
  public:
    CShellApp();
    // Starts COM, loads the shell description, runs the main window modally and tears down.
    // Always FALSE, so that no further message loop runs.
    BOOL InitInstance() override;

  protected:
    DECLARE_MESSAGE_MAP()
};
