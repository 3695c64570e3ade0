// SPDX-License-Identifier: MIT
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <regex>

#include "platform/backend/backend.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/path_mapping.h"
#include "platform/win32/shell.h"

namespace {

HINSTANCE Result(int code) {
    return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code));
}

void Report(LPCSTR file, const char* why) {
    (void)std::fprintf(stderr, "%s: cannot open %s: %s\n", program_invocation_short_name,
                       win32::AnsiToUtf8(file).c_str(), why);
}

}  // namespace

bool win32::IsAddress(const std::string& utf8) {
    static const std::regex kScheme("^[A-Za-z][A-Za-z0-9+.-]+:.*");
    return std::regex_match(utf8, kScheme);
}

HINSTANCE ShellExecuteA(HWND /*owner*/, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                        LPCSTR /*directory*/, int /*show*/) {
    if (verb != nullptr && std::string(verb) != "open") {
        return Result(SE_ERR_NOASSOC);
    }
    if (file == nullptr || *file == '\0') {
        return Result(SE_ERR_FNF);
    }
    std::vector<std::string> argv;
    const std::string path = win32::MapPath(file);
    struct stat st {};
    const bool exists = stat(path.c_str(), &st) == 0;
    if (exists && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0) {
        // Started as written: a relative name is not looked up on PATH.
        argv.push_back(path.find('/') == std::string::npos ? "./" + path : path);
        if (parameters != nullptr && *parameters != '\0') {
            argv.push_back(win32::AnsiToUtf8(parameters));
        }
    } else if (exists) {
        // A name that starts with '-' would reach the opener as an option.
        argv = {"xdg-open", path[0] == '-' ? "./" + path : path};
    } else if (win32::IsAddress(win32::AnsiToUtf8(file))) {
        argv = {"xdg-open", win32::AnsiToUtf8(file)};
    } else {
        Report(file, "no file, folder or address by that name");
        return Result(SE_ERR_FNF);
    }
    if (!backend::Current().StartProgram(argv)) {
        // As on Windows the user sees no box; whoever reads standard error learns why.
        Report(file, argv[0] == "xdg-open" ? "xdg-open, which opens it, could not be started "
                                             "(is xdg-utils installed?)"
                                           : "it could not be started");
        return Result(SE_ERR_NOASSOC);
    }
    return Result(42);
}
