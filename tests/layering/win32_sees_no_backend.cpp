// SPDX-License-Identifier: MIT
// Must not build: the window layer sees the backends' contract, never a backend.
#include "platform/backend/x11/x11_backend.h"
