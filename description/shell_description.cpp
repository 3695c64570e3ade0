// SPDX-License-Identifier: MIT
#include "description/shell_description.h"

#include <cstdio>

#include "description/description_reader.h"
#include "platform/afx.h"
#include "platform/file_stream.h"

ShellDescription* g_pShellDescription = nullptr;

namespace {

bool ReadSettings(KeyValueFile& file, ShellDescription& d) {
    DescriptionReader r(file);
    if (!(r.Store(r.Setting("app_name"), d.m_strAppName) &&
          r.Store(r.Setting("app_icon"), d.m_strAppIcon) &&
          r.Store(r.Setting("app_cursor_lo"), d.m_strCursorLo) &&
          r.Store(r.Setting("app_cursor_hi"), d.m_strCursorHi) &&
          r.StoreFlag(r.Setting("app_fullscreen"), d.m_bFullscreen) &&
          r.StoreFlag(r.Setting("app_drawrects"), d.m_bDrawRects) &&
          r.Store(r.Setting("bg_image"), d.m_strBgImage) &&
          r.StoreCount(r.Setting("num_movies"), d.m_nMovies))) {
        return false;
    }
    for (std::uint32_t i = 0; i < d.m_nMovies; ++i) {
        if (!r.Append(r.Entry(), d.m_movies)) {
            return false;
        }
    }
    if (!(r.StoreFlag(r.Setting("play_movie"), d.m_bPlayMovie) &&
          r.StoreCount(r.Setting("num_buttons"), d.m_nButtons))) {
        return false;
    }
    for (std::uint32_t i = 0; i < d.m_nButtons; ++i) {
        if (!r.Append(r.Entry(), d.m_buttonFiles)) {
            return false;
        }
    }
    return true;
}

// Every consumer of the button list indexes it without looking at its size, so a list that
// "null" entries left shorter than its count is refused here, where the author can be told why.
// The movie list is looked at before use: a menu that names no movie simply plays none.
bool ListsCoverTheirUses(const ShellDescription& d) {
    char message[160];
    if (d.m_buttonFiles.size() < d.m_nButtons) {
        (void)std::snprintf(message, sizeof message,
                            "Error! num_buttons is %u but %u button files are named. Exiting...",
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
    if (!ReadSettings(file, *this)) {
        return FALSE;
    }
    return ListsCoverTheirUses(*this) ? TRUE : FALSE;
}
