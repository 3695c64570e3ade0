// SPDX-License-Identifier: MIT
#include "platform/backend/backend.h"

#include <cstdio>
#include <cstdlib>

namespace backend {
namespace {

// Not destroyed at exit: a program that exit()s while its display connection is dead must not
// run the backend's teardown on it, which never returns. The program's entry leaves it to the
// process's end too (see entry.cpp).
std::unique_ptr<Backend>& Slot() {
    static auto* slot = new std::unique_ptr<Backend>;
    return *slot;
}

}  // namespace

Backend& Current() {
    if (!Slot()) {
        (void)std::fprintf(stderr, "menushell: no window backend installed\n");
        std::abort();
    }
    return *Slot();
}

void Install(std::unique_ptr<Backend> backend) {
    Slot() = std::move(backend);
}

bool IsInstalled() {
    return Slot() != nullptr;
}

}  // namespace backend
