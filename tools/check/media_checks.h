// SPDX-License-Identifier: MIT
// Checks of the files a description names, each through the loader the launcher itself uses:
// pictures, sounds, icons and cursors, movies, and commands.
#pragma once

#include <optional>
#include <string>

#include "tools/check/description_walk.h"
#include "tools/check/problems.h"

struct PictureSize {
    int width = 0, height = 0;
};

// The file a name in a description stands for ("shellmedia\" + name), as the launcher finds it.
std::string MediaFile(const std::string& ansiName);

// The first `limit` bytes of the regular file `ansiPath` maps to; nullopt for anything else.
std::optional<std::string> ReadHead(const std::string& ansiPath, std::size_t limit);

// Each reports against `file` at the setting's line, naming the setting as `what`; a setting
// that is "null" or missing passes.
bool CheckNamedFile(const std::string& file, const Setting& s, const std::string& what,
                    Problems& out);
std::optional<PictureSize> CheckPicture(const std::string& file, const Setting& s,
                                        const std::string& what, Problems& out);
void CheckSound(const std::string& file, const Setting& s, const std::string& what, Problems& out);
void CheckIconFile(const std::string& file, const Setting& s, const std::string& what,
                   Problems& out);
void CheckMovie(const std::string& file, const Setting& s, const std::string& what, Problems& out);
void CheckCommand(const std::string& file, const Setting& s, Problems& out);
