// SPDX-License-Identifier: MIT
#include "description/key_value_file.h"

#include <array>
#include <cstring>

namespace {

constexpr std::size_t kMaxDelimiters = 32;
constexpr std::streamsize kLineBuffer = 256;  // 255 characters and the terminator
// Two per setting: room for a hundred thousand buttons.
constexpr std::size_t kMostTokens = 1000000;

}  // namespace

int TokenLine::ReplaceChar(char* text, char from, char to, int start, int end) {
    if (from == to) {
        return 0;
    }
    // The ANSI code page is Windows-1252, one byte per character, so stepping by bytes steps by
    // whole characters; double-byte code pages are not supported.
    const int length = static_cast<int>(std::strlen(text));
    const int stop = end < 0 || end > length ? length : end;
    int replaced = 0;
    for (int i = start < 0 ? 0 : start; i < stop; ++i) {
        if (text[i] == from) {
            text[i] = to;
            ++replaced;
        }
    }
    return replaced;
}

void TokenLine::Tokenize(const char* text, const char* delimiters) {
    std::string copy = text;
    const std::size_t n = std::strlen(delimiters);
    const bool quoted = copy.find('"') != std::string::npos;
    if (quoted) {
        if (n > kMaxDelimiters) {
            return;
        }
        std::size_t quotes = 0;
        for (char c : copy) {
            quotes += c == '"' ? 1 : 0;
        }
        if (quotes % 2 != 0) {
            return;
        }
        // Inside each pair, delimiter i is parked as the character i + 1 and restored below.
        for (std::size_t open = copy.find('"'); open != std::string::npos;
             open = copy.find('"', open + 1)) {
            const std::size_t close = copy.find('"', open + 1);
            for (std::size_t i = 0; i < n; ++i) {
                ReplaceChar(copy.data(), delimiters[i], static_cast<char>(i + 1),
                            static_cast<int>(open), static_cast<int>(close));
            }
            copy[open] = ' ';
            copy[close] = ' ';
            open = close;
        }
    }
    std::size_t pos = 0;
    while (pos < copy.size()) {
        const std::size_t begin = copy.find_first_not_of(delimiters, pos);
        if (begin == std::string::npos) {
            break;
        }
        std::size_t end = copy.find_first_of(delimiters, begin);
        if (end == std::string::npos) {
            end = copy.size();
        }
        std::string token = copy.substr(begin, end - begin);
        if (quoted) {
            for (std::size_t i = 0; i < n; ++i) {
                ReplaceChar(token.data(), static_cast<char>(i + 1), delimiters[i], 0, -1);
            }
        }
        m_tokens.push_back(std::move(token));
        pos = end;
    }
}

const char* TokenLine::NextToken() {
    if (m_tokens.empty()) {
        return nullptr;
    }
    if (m_nCurToken >= m_tokens.size()) {
        m_nCurToken = 0;
        return nullptr;
    }
    return m_tokens[m_nCurToken++].c_str();
}

bool KeyValueFile::Load(std::istream& in, const char* delimiters) {
    m_nCurLine = 0;
    m_lines.clear();
    std::size_t tokens = 0;
    std::array<char, kLineBuffer> buffer{};
    for (;;) {
        in.getline(buffer.data(), kLineBuffer, '\n');
        if (in.eof()) {
            return true;  // a last line without its line feed is dropped
        }
        if (in.fail()) {
            // A line over 255 characters: cutting it would hand out keys that were never
            // written, so the whole file is refused and the caller reports it.
            return false;
        }
        TokenLine line;
        line.Tokenize(buffer.data(), delimiters);
        // Lines without tokens add nothing to what the reader hands out: not kept, so a file of
        // blank lines costs nothing. More tokens than any menu has refuse the file like a long
        // line, rather than exhausting memory.
        if (line.Tokens().empty()) {
            continue;
        }
        tokens += line.Tokens().size();
        if (tokens > kMostTokens) {
            return false;
        }
        m_lines.push_back(std::move(line));
    }
}

const char* KeyValueFile::NextToken() {
    if (m_lines.empty()) {
        return nullptr;
    }
    if (m_nCurLine >= m_lines.size()) {
        m_nCurLine = 0;
        return nullptr;
    }
    for (;;) {
        if (const char* token = m_lines[m_nCurLine].NextToken()) {
            return token;
        }
        if (++m_nCurLine == m_lines.size()) {
            m_nCurLine = 0;
            return nullptr;
        }
    }
}
