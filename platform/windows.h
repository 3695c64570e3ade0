// SPDX-License-Identifier: MIT
// The one header through which the application reaches the system: the real Windows headers on
// Windows, and this project's Win32-named layer everywhere else.
#pragma once

#ifdef _WIN32
#include <windows.h>
// The parts of the system API that <windows.h> leaves out: DrawDib, PlaySound, ShellExecute.
#include <mmsystem.h>
#include <shellapi.h>
#include <vfw.h>
#else
#include "platform/win32/windows.h"
#endif
