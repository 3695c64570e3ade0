// SPDX-License-Identifier: MIT
#include "tools/pack/windows_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace {

// Joliet holds 64 UTF-16 units per name; that is what Windows reads from a disc.
constexpr std::size_t kLongestName = 64;
constexpr std::size_t kLongestLabel = 32;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool IsDeviceName(const std::string& name) {
    // Windows reserves these with any extension too ("con.txt").
    const std::string stem = Upper(name.substr(0, name.find('.')));
    static const std::array<const char*, 4> plain = {"CON", "PRN", "AUX", "NUL"};
    if (std::any_of(plain.begin(), plain.end(), [&](const char* d) { return stem == d; })) {
        return true;
    }
    return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

std::size_t Utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            units += byte >= 0xF0 ? 2 : 1;  // beyond the BMP: a surrogate pair
        }
    }
    return units;
}

}  // namespace

std::string WindowsNameProblem(const std::string& utf8Name) {
    for (const char c : utf8Name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return "the name holds a control character, which Windows does not allow";
        }
        if (std::strchr("<>:\"|?*\\", c) != nullptr) {
            return std::string("the name holds '") + c + "', which Windows does not allow";
        }
    }
    if (!utf8Name.empty() && (utf8Name.back() == '.' || utf8Name.back() == ' ')) {
        return std::string("the name ends in a ") + (utf8Name.back() == '.' ? "dot" : "blank") +
               ", which Windows drops";
    }
    if (IsDeviceName(utf8Name)) {
        return "\"" + utf8Name.substr(0, utf8Name.find('.')) +
               "\" is a device name on Windows: the file cannot be opened there";
    }
    if (const std::size_t length = Utf16Length(utf8Name); length > kLongestName) {
        return "the name is " + std::to_string(length) +
               " characters long: Windows reads at most 64 from a disc";
    }
    return {};
}

std::string VolumeLabel(const std::string& text) {
    std::string label;
    for (const char c : Upper(text)) {
        const bool kept = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (kept) {
            label += c;
        } else if (!label.empty() && label.back() != '_') {
            label += '_';
        }
    }
    if (label.size() > kLongestLabel) {
        label.resize(kLongestLabel);
    }
    while (!label.empty() && label.back() == '_') {
        label.pop_back();
    }
    return label.empty() ? "MENU" : label;
}
