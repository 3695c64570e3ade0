// Problems in the bytes of a description file that its tokens no longer show: long lines, odd
// quotes, tabs, line ends, byte order marks and text that is not Windows-1252.
#pragma once

#include <string>
#include <vector>

#include "tools/check/problems.h"

void CheckText(const std::string& file, const std::string& bytes, Problems& out);

// The tokens of each line as the launcher's reader cuts them (" =" between tokens), line 1
// first; a last line without its line end is left out, as the launcher leaves it.
std::vector<std::vector<std::string>> TokenizeLines(const std::string& bytes);
