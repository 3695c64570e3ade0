// SPDX-License-Identifier: MIT
// Xlib's default answer to a protocol error is to end the program. A stale window id (a message
// box's window, torn down while events for it were under way) is no reason to: Windows never
// ends a program for one. The error is reported in one line and the program goes on. Losing the
// connection ends it with 1, also in one line, without running static destructors.
#pragma once

namespace backend {

void ReportXErrors();

}  // namespace backend
