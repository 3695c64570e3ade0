// SPDX-License-Identifier: MIT
// Disc images, made by the xorriso program.
#pragma once

#include <string>

// The application id of every image written here: how an image made before is recognised.
constexpr const char* kIsoApplicationId = "MENUSHELL-PACK";

// The xorriso program on PATH; empty when there is none.
std::string FindXorriso();

enum class IsoResult { kWritten, kFailed, kInterrupted };

// Writes the folder `medium` as the image `iso`, with Rock Ridge (names, modes) and Joliet
// (long mixed-case names for Windows), labelled `label`. What xorriso says goes to the file
// `log`, and to standard error when it fails.
IsoResult WriteIso(const std::string& xorriso, const std::string& medium, const std::string& iso,
                   const std::string& label, const std::string& log);
