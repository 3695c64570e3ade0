// SPDX-License-Identifier: MIT
// The subset of the Win32 API that menushell calls, for systems that do not have it.
// Names, types, layouts and constant values are those of the real API.
#pragma once

#include "platform/win32/com.h"
#include "platform/win32/files.h"
#include "platform/win32/gdi.h"
#include "platform/win32/shell.h"
#include "platform/win32/types.h"
#include "platform/win32/user.h"
