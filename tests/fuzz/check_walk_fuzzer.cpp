// SPDX-License-Identifier: MIT
// Any text through the validator's reading of a description: it must end, and every problem it
// reports must point at a line of the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "description/formats.h"
#include "tools/check/description_walk.h"
#include "tools/check/text_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const auto walk = [&](const auto& format) {
        Problems found;
        CheckText("f", text, found);
        WalkDescription("f", text, format, found);
        for (const Problem& p : found) {
            if (p.line < 1 || p.line > lines || p.message.empty()) {
                __builtin_trap();
            }
        }
    };
    walk(ShellDescriptionFormat());
    walk(ShellButtonFormat());
    return 0;
}
