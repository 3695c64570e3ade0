#include "platform/backend/backend.h"

#include <cstdio>
#include <cstdlib>

namespace backend {
namespace {

std::unique_ptr<Backend>& Slot() {
    static std::unique_ptr<Backend> slot;
    return slot;
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
