// SPDX-License-Identifier: MIT
// The application framework subset that menushell is written on. Written on the Win32 names only,
// so that it builds against the real system API as well as against this project's layer.
#pragma once

#include "platform/afx/app.h"
#include "platform/afx/dialog.h"
#include "platform/afx/file_find.h"
#include "platform/afx/gdi.h"
#include "platform/afx/message_map.h"
#include "platform/afx/message_thunks.h"
#include "platform/afx/wnd.h"
