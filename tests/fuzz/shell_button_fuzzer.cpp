// SPDX-License-Identifier: MIT
// Any button file, and any picture it may name: the input is the button file, a NUL byte, and
// the bytes of "shellmedia\p.bmp".
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "description/shell_button.h"
#include "tests/fuzz/scratch_media.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnterScratchFolder();
    SetMediaFolder("shellmedia\\");
    const auto* split = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t textSize = split != nullptr ? static_cast<std::size_t>(split - data) : size;
    if (NamesOutsideScratch(data, textSize)) {
        return -1;  // not kept in the corpus
    }
    WriteFile("shellmedia/button.txt", data, textSize);
    const std::size_t pictureStart = split != nullptr ? textSize + 1 : size;
    WriteFile("shellmedia/p.bmp", data + pictureStart, size - pictureStart);
    ShellButton button;
    button.Load("shellmedia\\button.txt");
    return 0;
}
