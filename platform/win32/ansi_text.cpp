// SPDX-License-Identifier: MIT
#include "platform/win32/ansi_text.h"

#include <array>
#include <cstdint>

namespace win32 {
namespace {

// 0x80-0x9F of Windows-1252; the rest of the page is ASCII below and Latin-1 above.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Marks a byte that is not part of well-formed UTF-8; above every code point.
constexpr char32_t kMalformed = 0x110000;

char32_t AnsiToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one code point at `pos` and advances it; malformed input yields kMalformed + byte.
char32_t DecodeUtf8(const std::string& s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, min = 0x10000;
    } else {
        return kMalformed + lead;
    }
    std::size_t p = pos;
    for (int i = 0; i < extra; ++i, ++p) {
        if (p >= s.size() || (static_cast<unsigned char>(s[p]) & 0xC0) != 0x80) {
            return kMalformed + lead;
        }
        c = (c << 6) | (static_cast<unsigned char>(s[p]) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return kMalformed + lead;
    }
    pos = p;
    return c;
}

char CodePointToAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

char32_t Fold(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    switch (c) {
        case 0x0160:  // S with caron
        case 0x0152:  // OE
        case 0x017D:  // Z with caron
            return c + 1;
        case 0x0178:  // Y with diaeresis
            return 0x00FF;
        default:
            return c;
    }
}

}  // namespace

std::string AnsiToUtf8(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) {
        AppendUtf8(AnsiToCodePoint(static_cast<unsigned char>(ch)), out);
    }
    return out;
}

std::u32string AnsiToCodePoints(const std::string& ansi) {
    std::u32string out;
    out.reserve(ansi.size());
    for (char ch : ansi) {
        out += AnsiToCodePoint(static_cast<unsigned char>(ch));
    }
    return out;
}

std::string CodePointsToAnsi(const std::u32string& wide) {
    std::string out;
    out.reserve(wide.size());
    for (char32_t c : wide) {
        out += CodePointToAnsi(c);
    }
    return out;
}

std::string Utf8ToAnsi(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        out += CodePointToAnsi(DecodeUtf8(utf8, pos));
    }
    return out;
}

std::u32string FoldedName(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        out += Fold(DecodeUtf8(utf8, pos));
    }
    return out;
}

}  // namespace win32
