// SPDX-License-Identifier: MIT
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/backend/backend.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/user.h"

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT /*type*/) {
    const std::string program = program_invocation_short_name;
    const std::string title = caption != nullptr ? win32::AnsiToUtf8(caption) : "";
    const std::string body = text != nullptr ? win32::AnsiToUtf8(text) : "";
    std::string line = program + ": ";
    if (!title.empty() && title != program) {
        line += title + ": ";
    }
    (void)std::fprintf(stderr, "%s\n", (line + body).c_str());
    if (backend::IsInstalled()) {
        backend::Current().ShowMessageBox(title, body);
    }
    return IDOK;
}
