// SPDX-License-Identifier: MIT
#include "description/shell_button.h"

#include "description/format_reader.h"
#include "description/formats.h"
#include "imaging/dib_image.h"
#include "platform/file_stream.h"

std::uint32_t g_nNextButtonId = 1;
std::string g_strMediaFolder = " ";

void SetMediaFolder(std::string folder) {
    g_strMediaFolder = std::move(folder);
}

ShellButton::ShellButton() : m_nId(g_nNextButtonId++) {}

ShellButton::~ShellButton() {
    delete m_pLoImage;
    delete m_pHiImage;
    delete m_pBubbleImage;
}

BOOL ShellButton::Load(const char* path) {
    const auto stream = OpenFileStream(path, FileMode::kText);
    if (stream->fail()) {
        return FALSE;
    }
    KeyValueFile file;
    if (!file.Load(*stream, " =")) {
        return FALSE;
    }
    return ReadFormat(file, ShellButtonFormat(), *this) ? TRUE : FALSE;
}
