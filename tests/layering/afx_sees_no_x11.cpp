// SPDX-License-Identifier: MIT
// Must not build: the framework asks for "the backend" and names none.
#include "platform/backend/x11/x11_backend.h"
