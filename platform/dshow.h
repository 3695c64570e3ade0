// SPDX-License-Identifier: MIT
// The filter-graph interfaces that movie playback calls: DirectShow's headers on Windows, this
// layer's declarations elsewhere.
#pragma once

#ifdef _WIN32
#include <dshow.h>
#else
#include "platform/dshow/dshow.h"
#endif
