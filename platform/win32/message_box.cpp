#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32/ansi_text.h"
#include "platform/win32/messages.h"

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT /*type*/) {
    const std::string program = program_invocation_short_name;
    const std::string title = caption != nullptr ? win32::AnsiToUtf8(caption) : "";
    std::string line = program + ": ";
    if (!title.empty() && title != program) {
        line += title + ": ";
    }
    line += text != nullptr ? win32::AnsiToUtf8(text) : "";
    (void)std::fprintf(stderr, "%s\n", line.c_str());
    return IDOK;
}
