// Fuzzers that read a media folder work in a temporary folder of their own.
#pragma once

#include <unistd.h>

#include <sys/stat.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

inline std::string& ScratchFolderPath() {
    static std::string path;
    return path;
}

inline void EnterScratchFolder() {
    if (ScratchFolderPath().empty()) {
        char pattern[] = "/tmp/menushell-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0 || mkdir("shellmedia", 0700) != 0) {
            std::abort();
        }
        ScratchFolderPath() = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchFolderPath(), ignored);
        });
    }
}

inline void WriteFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
