// SPDX-License-Identifier: MIT
// What is already at the place a medium is to be written, and whether it may be replaced.
#pragma once

#include <string>

enum class OutState {
    kFree,        // nothing there, an empty folder or an empty file
    kMadeByPack,  // a medium written here before
    kForeign,     // anything else: never replaced
};

// `iso`: the medium is an image file, recognised by its application id; otherwise a folder,
// recognised by its autorun.inf.
OutState ClassifyOut(const std::string& out, bool iso);
