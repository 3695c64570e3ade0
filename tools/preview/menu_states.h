// SPDX-License-Identifier: MIT
// The menu's frames in each state, as the launcher itself paints them: its dialog runs on the
// headless backend while scripted pointer moves hover each button in turn.
#pragma once

#include <string>
#include <vector>

#include "platform/backend/backend.h"

struct MenuFrame {
    std::string name;  // "normal", "button2-hovered", "button2-bubble", "hit-rectangles"
    backend::Image image;
};

// Runs the menu of the current folder (windowed, without its movies) on `headless`, which must
// be the installed backend. Empty when the launcher would not show the menu (no description, a
// background or button that does not load); its message boxes then went to standard error.
std::vector<MenuFrame> CaptureMenuStates();
