// SPDX-License-Identifier: MIT
// The files of a menu folder as they go on a medium, and the names among them that Windows
// would lose or that cannot go on it at all.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/check/problems.h"

struct TreeEntry {
    std::string path;    // from the menu folder, '/' between names
    std::string source;  // where its bytes are read: links inside the menu resolved
    bool folder = false;
    bool runnable = false;  // any run bit set
    std::uint64_t size = 0;
};

struct MenuTree {
    std::vector<TreeEntry> entries;  // parents before their contents, names in byte order
    Problems problems;               // each one at line 1 of its file
};

// Whether `name`, in any case, is one the medium's root holds for the launcher itself.
bool IsMediumRootName(const std::string& name);

// Walks `root` (an absolute path without links). What cannot go on a medium (links leading out
// of the menu or nowhere, devices, pipes, sockets, folders a link loops back into) is left out of
// the entries, with a problem; a menu's own file of a root name of the medium stays in, with one.
MenuTree ScanMenuTree(const std::string& root);
