// SPDX-License-Identifier: MIT
// What the validator finds: one problem at one line of one file, in the author's words.
#pragma once

#include <string>
#include <vector>

struct Problem {
    std::string file;  // as the file system names it, from the menu's folder
    int line = 0;      // 1 for problems of a whole file
    std::string message;
};

using Problems = std::vector<Problem>;

// `text` as UTF-8 in double quotes: descriptions are Windows-1252, messages UTF-8.
std::string Quoted(const std::string& ansiText);
