// SPDX-License-Identifier: MIT
// The shell description: the menu's one configuration record, read once at start-up from the
// first "shellmedia\*.shl" and read-only afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows.h"

// The menu's folder below the current one, as the descriptions and the program name its files.
constexpr const char kMediaFolder[] = "shellmedia\\";

class ShellDescription {
  public:
    // Finds, reads and checks the description file; shows a message box for a missing or
    // unreadable file and for lists shorter than their counts. FALSE when the menu cannot run.
    BOOL Load();

    std::string m_strAppName;   // window title
    std::string m_strAppIcon;   // icon file in the media folder
    std::string m_strCursorLo;  // normal cursor file
    std::string m_strCursorHi;  // cursor over a button
    // "null" for a flag or count keeps these values.
    BOOL m_bFullscreen = FALSE;
    BOOL m_bDrawRects = FALSE;
    std::string m_strBgImage;  // background BMP
    std::uint32_t m_nMovies = 0;
    std::vector<std::string> m_movies;  // 0: introduction movie, 1: closing movie
    BOOL m_bPlayMovie = FALSE;
    std::uint32_t m_nButtons = 0;            // bounds every loop over the buttons
    std::vector<std::string> m_buttonFiles;  // button description files, in button order
};

// The one description, owned by the application object.
extern ShellDescription* g_pShellDescription;
