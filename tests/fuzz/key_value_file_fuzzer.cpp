// SPDX-License-Identifier: MIT
// Any text through the token reader: it must end, and every token it hands out must be readable.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "description/key_value_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    KeyValueFile file;
    if (!file.Load(in, " =")) {
        return 0;
    }
    std::size_t total = 0;
    // Twice round: the end rewinds the reader to the first token.
    for (int round = 0; round < 2; ++round) {
        while (const char* token = file.NextToken()) {
            total += std::strlen(token);
        }
    }
    if (total > size * 2) {
        __builtin_trap();  // every token comes from the input
    }
    return 0;
}
