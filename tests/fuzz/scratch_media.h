// SPDX-License-Identifier: MIT
// Fuzzers that read a media folder work in a temporary folder of their own.
#pragma once

#include <unistd.h>

#include <sys/stat.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

inline void EnterScratchFolder() {
    // Static storage without a destructor: the exit handler still reads it.
    static char path[] = "/tmp/menushell-fuzz-XXXXXX";
    static const bool entered = [] {
        if (mkdtemp(path) == nullptr || chdir(path) != 0 || mkdir("shellmedia", 0700) != 0) {
            std::abort();
        }
        return std::atexit([] {
                   std::error_code ignored;
                   std::filesystem::remove_all(path, ignored);
               }) == 0;
    }();
    (void)entered;
}

inline void WriteFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// True when the text names a file outside the scratch folder ("..", or a path from the root):
// such names send the path mapping through whole system folders (a listing of thousands of
// names per lookup), which costs the fuzzer most of its time and tests nothing of the loaders.
// The mapping itself has tests of its own.
inline bool NamesOutsideScratch(const std::uint8_t* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const bool separator = text[i] == '/' || text[i] == '\\';
        const bool startsName = i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t' ||
                                text[i - 1] == '=' || text[i - 1] == '"' || text[i - 1] == '\n' ||
                                text[i - 1] == '\r';
        if ((separator && startsName) || (text[i] == '.' && i + 1 < size && text[i + 1] == '.')) {
            return true;
        }
    }
    return false;
}
