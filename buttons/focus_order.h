// SPDX-License-Identifier: MIT
// Where the keyboard focus goes among the buttons that react: along the button order for Tab,
// to the nearest button on the screen for an arrow.
#pragma once

#include <cstdint>

#include "description/shell_button.h"

enum class TabOrder { kNext, kPrevious };
enum class Toward { kLeft, kUp, kRight, kDown };
// No button: no focus, or none to go to.
constexpr std::int32_t kNoButton = -1;

// The button after (or before) `from` that reacts, going round at the ends; from kNoButton the
// first (or the last) one.
std::int32_t StepInTabOrder(const ShellButton* buttons, std::int32_t count, std::int32_t from,
                            TabOrder order);
// Of the buttons that react and whose hit rectangle's centre lies beyond `from`'s toward
// `toward`, the nearest; the distance across the way counts twice, so that the button straight
// ahead wins over one as near but off to the side. Ties go to the lower index. `from` when there
// is none; from kNoButton the first button that reacts.
std::int32_t NearestToward(const ShellButton* buttons, std::int32_t count, std::int32_t from,
                           Toward toward);
