// SPDX-License-Identifier: MIT
// What the Linux entry, main() in entry.cpp, asks of the program it starts. On Windows the entry
// is WinMain, which takes no arguments, and this header is not compiled.
#pragma once

#include <string>

// Defined by each program that links the entry, as it defines its application object. Called
// with main()'s arguments, once --version is answered and before a display is opened; it may
// change the current directory. Returns, for arguments the program does not take, what was
// given and what is expected (shown in a box and on standard error, and the program ends with
// 1); otherwise an empty string.
std::string TakeArguments(int argc, char** argv);
