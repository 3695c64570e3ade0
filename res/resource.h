// SPDX-License-Identifier: MIT
// Resource ids.
#pragma once

#define IDD_SHELL_DIALOG 102
#define IDR_MAINFRAME 128
#define ID_HELP 0xE146
