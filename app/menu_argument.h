// SPDX-License-Identifier: MIT
// The launcher's command line on Linux, where a file manager opens a menu by its file: the path
// of a .shl file, or of a folder, names the folder that holds `shellmedia`, and the menu runs as
// if started there. Here, in the application, because `shellmedia` is the application's folder
// and not the framework's; the Linux entry reaches it through TakeArguments (platform/afx/entry.h).
#pragma once

#include <string>
#include <vector>

// Where a menu runs from, or why the arguments name none.
struct MenuFolder {
    std::string path;     // the folder that holds shellmedia; empty: the current folder
    std::string problem;  // what was given and what is expected; empty when a menu was found
};

// `args` are the arguments after the program's name. None: the current folder, as always. One:
// a .shl file whose folder is named shellmedia (any case), or a folder that holds a shellmedia
// folder (any case), or a shellmedia folder itself.
MenuFolder FindMenuFolder(const std::vector<std::string>& args);
