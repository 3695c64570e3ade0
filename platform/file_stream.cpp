// SPDX-License-Identifier: MIT
#include "platform/file_stream.h"

#include <array>
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

namespace {

// Text mode as a Windows C library reads a file: CR LF becomes LF, a lone CR stays. Read as the
// reader asks, so a huge file costs no more than the lines taken from it.
class TextModeBuffer : public std::streambuf {
  public:
    explicit TextModeBuffer(const std::string& path) {
        m_file.open(path, std::ios::in | std::ios::binary);
    }
    bool IsOpen() const { return m_file.is_open(); }

  protected:
    int_type underflow() override {
        std::size_t n = 0;
        while (n == 0) {
            const std::streamsize got = m_file.sgetn(m_raw.data(), kChunk);
            if (got <= 0) {
                if (m_pendingCr) {
                    m_out[n++] = '\r';
                    m_pendingCr = false;
                }
                break;
            }
            for (std::streamsize i = 0; i < got; ++i) {
                const char c = m_raw[static_cast<std::size_t>(i)];
                if (m_pendingCr && c != '\n') {
                    m_out[n++] = '\r';
                }
                m_pendingCr = c == '\r';
                if (!m_pendingCr) {
                    m_out[n++] = c;
                }
            }
        }
        if (n == 0) {
            return traits_type::eof();
        }
        setg(m_out.data(), m_out.data(), m_out.data() + n);
        return traits_type::to_int_type(m_out[0]);
    }

  private:
    static constexpr std::streamsize kChunk = 4096;
    std::filebuf m_file;
    std::array<char, kChunk> m_raw{};
    std::array<char, kChunk + 1> m_out{};  // a CR held back from the chunk before, and a chunk
    bool m_pendingCr = false;
};

class TextModeStream : public std::istream {
  public:
    explicit TextModeStream(const std::string& path) : std::istream(nullptr), m_buffer(path) {
        rdbuf(&m_buffer);
        if (!m_buffer.IsOpen()) {
            setstate(std::ios::failbit);
        }
    }

  private:
    TextModeBuffer m_buffer;
};

}  // namespace

std::unique_ptr<std::istream> OpenFileStream(const char* path, FileMode mode) {
    if (path == nullptr) {
        return Failed();
    }
    const std::string mapped = win32::MapPath(path);
    struct stat st {};
    if (stat(mapped.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return Failed();
    }
    if (mode == FileMode::kBinary) {
        return std::make_unique<std::ifstream>(mapped, std::ios::in | std::ios::binary);
    }
    return std::make_unique<TextModeStream>(mapped);
}

#endif
