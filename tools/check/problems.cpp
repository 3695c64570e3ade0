// SPDX-License-Identifier: MIT
#include "tools/check/problems.h"

#include "platform/win32/ansi_text.h"

std::string Quoted(const std::string& ansiText) {
    return "\"" + win32::AnsiToUtf8(ansiText) + "\"";
}
