// SPDX-License-Identifier: MIT
#include "tools/check/text_checks.h"

#include <cstdio>

#include "description/key_value_file.h"

namespace {

constexpr std::size_t kLongestLine = 255;

// Calls `visit(number, line, ended)` for each line the launcher reads: split at line feeds, a CR
// before a line feed dropped as text mode drops it; `ended` is false for a last line without one.
template <typename Visit>
void ForEachLine(const std::string& bytes, Visit visit) {
    std::size_t start = 0;
    int number = 1;
    for (std::size_t lf = bytes.find('\n'); lf != std::string::npos;
         lf = bytes.find('\n', start), ++number) {
        std::size_t end = lf;
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        visit(number, bytes.substr(start, end - start), true);
        start = lf + 1;
    }
    if (start < bytes.size()) {
        visit(number, bytes.substr(start), false);
    }
}

std::vector<std::string> TokensOf(const std::string& line) {
    TokenLine reader;
    // The launcher's reader stops at a NUL as C strings do.
    reader.Tokenize(line.substr(0, line.find('\0')).c_str(), " =");
    return reader.Tokens();
}

// Length of the UTF-8 sequence at `i` of two bytes or more, else 0.
std::size_t Utf8Sequence(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead >= 0xF0 && lead < 0xF5   ? 4
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                                                             : 0;
    if (length == 0 || i + length > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

void CheckEncoding(const std::string& file, int number, const std::string& line, Problems& out) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c == 0) {
            out.push_back({file, number, "holds a NUL byte: the launcher's reader stops there"});
            return;
        }
        if (const std::size_t n = Utf8Sequence(line, i); n > 0) {
            out.push_back({file, number,
                           "is written in UTF-8: the launcher reads Windows-1252, so " +
                               line.substr(i, n) + " shows as " + Quoted(line.substr(i, n)) +
                               "; save the file as Windows-1252 (ANSI)"});
            return;
        }
        if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
            char text[96];
            (void)std::snprintf(text, sizeof text,
                                "holds byte 0x%02X, which is no Windows-1252 "
                                "character",
                                c);
            out.push_back({file, number, text});
            return;
        }
    }
}

}  // namespace

void CheckText(const std::string& file, const std::string& bytes, Problems& out) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        out.push_back({file, 1,
                       "starts with a UTF-8 byte order mark, which the launcher takes as part of "
                       "the first key; save the file as Windows-1252 (ANSI) without it"});
    }
    ForEachLine(bytes, [&](int number, const std::string& line, bool ended) {
        const std::size_t cr = line.find('\r');
        if (cr != std::string::npos && cr + 1 == line.size()) {
            out.push_back({file, number,
                           "ends with an extra CR, which becomes part of the line's last value"});
        } else if (cr != std::string::npos) {
            out.push_back({file, number,
                           "ends lines with a lone CR: the launcher sees one long line; use CR LF "
                           "or LF line ends"});
        }
        if (line.size() > kLongestLine) {
            out.push_back({file, number,
                           "is " + std::to_string(line.size()) + " characters long: at most " +
                               std::to_string(kLongestLine) +
                               " are read, and the launcher refuses the whole file"});
        }
        std::size_t quotes = 0;
        for (char c : line) {
            quotes += c == '"' ? 1 : 0;
        }
        if (quotes % 2 != 0) {
            out.push_back(
                {file, number, "has an odd number of double quotes: the launcher skips the line"});
        }
        if (line.find('\t') != std::string::npos) {
            out.push_back({file, number,
                           "has a tab, which does not separate a key from its value: use spaces "
                           "or \"=\""});
        }
        CheckEncoding(file, number,
                      number == 1 && bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? line.substr(3) : line,
                      out);
        if (!ended && !TokensOf(line).empty()) {
            out.push_back(
                {file, number, "has no line end: the launcher ignores a last line without one"});
        }
    });
}

std::vector<TokenizedLine> TokenizeLines(const std::string& bytes) {
    std::vector<TokenizedLine> lines;
    ForEachLine(bytes, [&](int number, const std::string& line, bool ended) {
        if (ended) {
            if (auto tokens = TokensOf(line); !tokens.empty()) {
                lines.push_back({number, std::move(tokens)});
            }
        }
    });
    return lines;
}
