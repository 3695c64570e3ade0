// SPDX-License-Identifier: MIT
// Windows paths on a POSIX file system. The application names files as a menu authored on Windows
// does: "shellmedia\Back.BMP", 8-bit ANSI text. Every file access of the layer goes through
// MapPath, so such a menu, copied from its disc, runs unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win32 {

// Turns `\` into `/`, converts the name to UTF-8, and replaces each component that does not exist
// as written by the first entry of its directory (in DirectoryEntries order) that equals it
// without regard to case. Components that match nothing are kept as written.
std::string MapPath(const std::string& ansiPath);

// The bytes of the regular file that `ansiPath` maps to; nullopt when there is none to read, or
// when it is larger than 256 MiB.
std::optional<std::vector<std::uint8_t>> ReadMappedFile(const std::string& ansiPath);

// The names in `dir` ("" for the current directory) without "." and "..", sorted by name
// ignoring case, ties in byte order: the one stable order in which the layer lists files.
std::vector<std::string> DirectoryEntries(const std::string& dir);

// Windows wildcard match of one name (`*` any run, `?` one character), without regard to case.
bool MatchesPattern(const std::string& utf8Name, const std::string& utf8Pattern);

}  // namespace win32
