// SPDX-License-Identifier: MIT
// Any shell description file: the loader must end with TRUE or FALSE and leave nothing behind.
#include <cstddef>
#include <cstdint>

#include "description/shell_description.h"
#include "tests/fuzz/scratch_media.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnterScratchFolder();
    WriteFile("shellmedia/menu.shl", data, size);
    ShellDescription description;
    const BOOL loaded = description.Load();
    if (loaded == TRUE && description.m_buttonFiles.size() < description.m_nButtons) {
        __builtin_trap();  // a loaded description always names every button it counts
    }
    return 0;
}
