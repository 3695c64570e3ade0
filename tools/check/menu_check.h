// SPDX-License-Identifier: MIT
// The whole menu of the current folder: its description, every file it names and every button,
// checked as the launcher would read them.
#pragma once

#include "tools/check/problems.h"

Problems CheckMenu();
