// Xlib's default answer to a protocol error is to end the program. A stale window id (a message
// box's window, torn down while events for it were under way) is no reason to: Windows never
// ends a program for one. The error is reported in one line and the program goes on; losing the
// connection itself still ends it, through the I/O error handler.
#pragma once

namespace backend {

void ReportXErrors();

}  // namespace backend
