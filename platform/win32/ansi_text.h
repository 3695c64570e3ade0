// SPDX-License-Identifier: MIT
// The ANSI code page of the application's 8-bit text is Windows-1252. Text is converted where it
// meets the system (file names, titles, message boxes), and only here.
#pragma once

#include <string>

namespace win32 {

// Every byte maps as Windows maps it, the five unassigned ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) to
// the control characters of the same value.
std::string AnsiToUtf8(const std::string& ansi);

// The code points of 8-bit ANSI text, one per byte.
std::u32string AnsiToCodePoints(const std::string& ansi);

// Characters that Windows-1252 cannot hold become '?', as on Windows.
std::string CodePointsToAnsi(const std::u32string& wide);

// Characters that Windows-1252 cannot hold, and malformed UTF-8, become '?', as on Windows.
std::string Utf8ToAnsi(const std::string& utf8);

// Case folding for comparing file names without regard to case, covering every letter that
// Windows-1252 holds. Malformed bytes never fold equal to a character.
std::u32string FoldedName(const std::string& utf8);

}  // namespace win32
