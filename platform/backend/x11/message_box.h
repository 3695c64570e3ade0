// SPDX-License-Identifier: MIT
// A message box as a small X window of its own, on a connection of its own so that the
// program's windows keep their events for later, as a modal box leaves them on Windows.
#pragma once

#include <string>

namespace backend {

// Blocks until the user presses Return, Escape or Space, clicks OK or closes the box.
void ShowX11MessageBox(const std::string& captionUtf8, const std::string& textUtf8);

}  // namespace backend
