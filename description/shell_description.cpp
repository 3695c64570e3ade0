// SPDX-License-Identifier: MIT
#include "description/shell_description.h"

#include <cstdio>

#include "description/format_reader.h"
#include "description/formats.h"
#include "platform/afx.h"
#include "platform/file_stream.h"

ShellDescription* g_pShellDescription = nullptr;

namespace {

// Every consumer of the button list indexes it without looking at its size, so a list that
// "null" entries left shorter than its count is refused here, where the author can be told why.
// The movie list is looked at before use: a menu that names no movie simply plays none.
bool ListsCoverTheirUses(const ShellDescription& d) {
    char message[160];
    if (d.m_buttonFiles.size() < d.m_nButtons) {
        const char* key = FindField(ShellDescriptionFormat(), &ShellDescription::m_nButtons)->key;
        (void)std::snprintf(message, sizeof message,
                            "Error! %s is %u but %u button files are named. Exiting...", key,
                            d.m_nButtons, static_cast<unsigned>(d.m_buttonFiles.size()));
        AfxMessageBox(message, MB_OK);
        return false;
    }
    return true;
}

}  // namespace

BOOL ShellDescription::Load() {
    std::string path;
    {
        CFileFind finder;
        if (!finder.FindFile((std::string(kMediaFolder) + "*.shl").c_str())) {
            AfxMessageBox("Error! Did not find .shl file. Exiting...", MB_OK);
            return FALSE;
        }
        finder.FindNextFile();
        path = finder.GetFilePath();
    }
    const auto stream = OpenFileStream(path.c_str(), FileMode::kText);
    if (stream->fail()) {
        AfxMessageBox("Error! Did not find .shl file. Exiting...", MB_OK);
        return FALSE;
    }
    KeyValueFile file;
    if (!file.Load(*stream, " =")) {
        AfxMessageBox("Error! Could not parse file. Exiting...", MB_OK);
        return FALSE;
    }
    if (!ReadFormat(file, ShellDescriptionFormat(), *this)) {
        return FALSE;
    }
    return ListsCoverTheirUses(*this) ? TRUE : FALSE;
}
