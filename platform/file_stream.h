// SPDX-License-Identifier: MIT
// Opening the application's files. Paths are Windows paths in the ANSI code page, relative to the
// current directory; elsewhere they are mapped to the file system (win32/path_mapping.h).
#pragma once

#include <istream>
#include <memory>

enum class FileMode {
    kText,    // CR LF arrives as one line feed, on every system
    kBinary,  // bytes as stored
};

// Returns an open stream, or a stream already in the failed state when `path` names no regular
// file that can be read.
std::unique_ptr<std::istream> OpenFileStream(const char* path, FileMode mode);
