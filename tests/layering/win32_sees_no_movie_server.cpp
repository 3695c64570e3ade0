// SPDX-License-Identifier: MIT
// Must not build: the movie server lies above the window layer, which knows it by class id.
#include "platform/dshow/dshow.h"
