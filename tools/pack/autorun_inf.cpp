// SPDX-License-Identifier: MIT
#include "tools/pack/autorun_inf.h"

#include <sys/stat.h>

#include <algorithm>

#include "description/format_reader.h"
#include "description/formats.h"
#include "description/key_value_file.h"
#include "description/shell_description.h"
#include "platform/afx.h"
#include "platform/file_stream.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/path_mapping.h"

namespace {

// The file a name in the description stands for, as a path Windows reads in autorun.inf; empty
// when there is none or its name does not survive Windows-1252.
std::string IconOnMedium(const std::string& ansiName) {
    const std::string path = win32::MapPath(kMediaFolder + ansiName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return {};
    }
    std::string ansi = win32::Utf8ToAnsi(path);
    if (win32::AnsiToUtf8(ansi) != path) {
        return {};
    }
    std::replace(ansi.begin(), ansi.end(), '/', '\\');
    return ansi;
}

}  // namespace

MenuIdentity ReadMenuIdentity() {
    MenuIdentity menu;
    CFileFind finder;
    if (!finder.FindFile((std::string(kMediaFolder) + "*.shl").c_str())) {
        return menu;
    }
    finder.FindNextFile();
    const auto stream = OpenFileStream(finder.GetFilePath().c_str(), FileMode::kText);
    KeyValueFile file;
    if (stream->fail() || !file.Load(*stream, " =")) {
        return menu;
    }
    // Read as the launcher reads it; a wrong key after the name and the icon leaves them.
    ShellDescription read;
    (void)ReadFormat(file, ShellDescriptionFormat(), read);
    menu.name = read.m_strAppName;
    if (!read.m_strAppIcon.empty()) {
        menu.icon = IconOnMedium(read.m_strAppIcon);
    }
    return menu;
}

std::string AutorunInf(const MenuIdentity& menu) {
    const std::string icon = menu.icon.empty() ? "menushell.exe,0" : menu.icon;
    return std::string(kPackMark) +
           " " MENUSHELL_VERSION "\r\n[autorun]\r\nopen=menushell.exe\r\n" + "icon=" + icon +
           "\r\nlabel=" + menu.name + "\r\n";
}
