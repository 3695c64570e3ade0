// SPDX-License-Identifier: MIT
// The project's own shared objects, loaded on first use so that what a menu needs only
// sometimes (movies, sound, SDL) costs nothing until then.
#pragma once

#include <cstring>
#include <string>

namespace backend {

// The folder of the running program, as it was when the program started, also when the dynamic
// loader started it; where its modules and companions are looked for.
const std::string& ProgramFolder();

// The entry `symbol` of `module`, from beside the program (the build tree, a copied folder) or
// where it is installed (../lib/<triplet>/menushell/ on Debian). The module stays loaded for the
// life of the process. Null when it is absent; one line on standard error when it is there but
// unusable.
void* LoadModuleEntry(const char* module, const char* symbol);

// A symbol from dlsym as the function it is: dlsym returns an object pointer, which POSIX
// guarantees converts.
template <typename Function>
Function AsFunction(void* symbol) {
    Function function = nullptr;
    static_assert(sizeof symbol == sizeof function, "function and object pointers differ");
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

}  // namespace backend
