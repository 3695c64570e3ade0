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
