// SPDX-License-Identifier: MIT
// The kit: the launcher's programs that a medium carries, built for Windows and for Linux by
// scripts/build-portable, and where menushell-pack finds them.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct KitFile {
    const char* path;  // in the kit and on the medium alike
    mode_t mode;
};

const std::vector<KitFile>& KitFiles();

// The kit folder: `given` when not empty, else the first of the installed place and the build
// tree's, from the program's own folder, that exists. Empty, with `error` saying what is missing
// where, when that folder lacks a kit file.
std::string FindKit(const std::string& given, std::string& error);
