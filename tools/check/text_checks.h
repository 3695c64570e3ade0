// SPDX-License-Identifier: MIT
// Problems in the bytes of a description file that its tokens no longer show: long lines, odd
// quotes, tabs, line ends, byte order marks and text that is not Windows-1252.
#pragma once

#include <string>
#include <vector>

#include "tools/check/problems.h"

void CheckText(const std::string& file, const std::string& bytes, Problems& out);

struct TokenizedLine {
    int number;  // from 1
    std::vector<std::string> tokens;
};

// The lines that hold tokens, cut as the launcher's reader cuts them (" =" between tokens), in
// file order; a last line without its line end is left out, as the launcher leaves it.
std::vector<TokenizedLine> TokenizeLines(const std::string& bytes);
