#include "platform/file_stream.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>

#include "platform/win32/path_mapping.h"
#endif

namespace {

std::unique_ptr<std::istream> Failed() {
    auto stream = std::make_unique<std::istringstream>();
    stream->setstate(std::ios::failbit);
    return stream;
}

}  // namespace

#ifdef _WIN32

std::unique_ptr<std::istream> OpenFileStream(const char* path, FileMode mode) {
    if (path == nullptr) {
        return Failed();
    }
    return std::make_unique<std::ifstream>(
        path, mode == FileMode::kText ? std::ios::in : std::ios::in | std::ios::binary);
}

#else

std::unique_ptr<std::istream> OpenFileStream(const char* path, FileMode mode) {
    if (path == nullptr) {
        return Failed();
    }
    const std::string mapped = win32::MapPath(path);
    struct stat st {};
    if (stat(mapped.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return Failed();
    }
    auto file = std::make_unique<std::ifstream>(mapped, std::ios::in | std::ios::binary);
    if (mode == FileMode::kBinary || !*file) {
        return file;
    }
    // Description files are small: translate the whole text at once, as a Windows C library
    // does in text mode. A lone CR stays, as it does there.
    const std::string raw{std::istreambuf_iterator<char>(*file), std::istreambuf_iterator<char>()};
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) {
            text += raw[i];
        }
    }
    return std::make_unique<std::istringstream>(std::move(text));
}

#endif
