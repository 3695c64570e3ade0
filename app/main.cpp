// SPDX-License-Identifier: MIT
// The one application object; the framework's entry runs it.
#include "app/shell_app.h"

CShellApp theApp;
