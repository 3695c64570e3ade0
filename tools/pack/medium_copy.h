// SPDX-License-Identifier: MIT
// The medium's files: the menu folder's, byte for byte, and what the launcher needs at its root.
#pragma once

#include <string>

#include "tools/pack/menu_tree.h"

enum class CopyResult { kDone, kFailed, kInterrupted };

// Writes into the folder `medium` (which exists) the entries of `tree`, except those of the
// medium's root names, then the kit's files and `autorunInf`. Files keep their run bits.
CopyResult WriteMedium(const MenuTree& tree, const std::string& kit, const std::string& autorunInf,
                       const std::string& medium, std::string& error);
