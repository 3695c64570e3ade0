// SPDX-License-Identifier: MIT
// What Windows can hold of a name on a disc: the names it refuses or changes, and the volume
// label ISO 9660 allows.
#pragma once

#include <string>

// Why Windows cannot keep `utf8Name` (one path component) as it is; empty when it can.
std::string WindowsNameProblem(const std::string& utf8Name);

// `text` as an ISO 9660 volume id: A-Z, 0-9 and '_', other characters '_', runs of '_' as one,
// none at either end, at most 32 characters; "MENU" when nothing is left.
std::string VolumeLabel(const std::string& text);
