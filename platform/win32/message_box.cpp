// SPDX-License-Identifier: MIT
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "platform/backend/backend.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/message_sink.h"
#include "platform/win32/user.h"

namespace {

win32::MessageSink& Sink() {
    static win32::MessageSink sink;
    return sink;
}

void Show(const std::string& title, const std::string& body) {
    const std::string program = program_invocation_short_name;
    std::string line = program + ": ";
    if (!title.empty() && title != program) {
        line += title + ": ";
    }
    (void)std::fprintf(stderr, "%s\n", (line + body).c_str());
    if (backend::IsInstalled()) {
        backend::Current().ShowMessageBox(title, body);
    }
}

}  // namespace

win32::MessageSink win32::SetMessageSink(MessageSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT /*type*/) {
    const std::string title = caption != nullptr ? win32::AnsiToUtf8(caption) : "";
    const std::string body = text != nullptr ? win32::AnsiToUtf8(text) : "";
    if (Sink()) {
        Sink()(title, body);
    } else {
        Show(title, body);
    }
    return IDOK;
}
