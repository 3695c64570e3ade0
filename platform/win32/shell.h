// SPDX-License-Identifier: MIT
// Sounds (WINMM) and the shell's "open" (SHELL32).
#pragma once

#include <string>

#include "platform/win32/types.h"

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_NOSTOP = 0x0010;
constexpr DWORD SND_FILENAME = 0x00020000;

// Plays a WAV file and returns at once; a new sound cuts off the one still playing. A name that
// names no playable file plays nothing.
BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_NOASSOC = 31;

// "open": an executable file starts directly (no shell, no argument splitting, the current
// directory kept); anything else that exists, or an address, goes to the desktop's opener.
// Returns a value above 32 on success, else an error code.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int show);

namespace win32 {

// Whether "open" takes `utf8` as an address for the desktop's opener (a scheme of two letters or
// more, so that "C:\..." stays a path).
bool IsAddress(const std::string& utf8);

}  // namespace win32
