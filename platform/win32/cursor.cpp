// SPDX-License-Identifier: MIT
// Cursor and icon handles, the pointer's shape and its display count.
#include <memory>
#include <vector>

#include "platform/win32/icon_file.h"
#include "platform/win32/path_mapping.h"
#include "platform/win32/window_system.h"

namespace win32 {

void ApplyCursor() {
    auto& sys = System();
    const auto* shape = reinterpret_cast<const backend::Cursor*>(sys.cursor);
    const backend::Cursor* wanted = sys.showCount >= 0 ? shape : nullptr;
    if (!sys.cursorApplied || wanted != sys.appliedCursor) {
        sys.cursorApplied = true;
        sys.appliedCursor = wanted;
        backend::Current().SetCursor(wanted);
    }
}

}  // namespace win32

HANDLE LoadImageA(HINSTANCE /*instance*/, LPCSTR name, UINT type, int cx, int /*cy*/, UINT flags) {
    if (name == nullptr || IS_INTRESOURCE(name) || (flags & LR_LOADFROMFILE) == 0 ||
        (type != IMAGE_ICON && type != IMAGE_CURSOR)) {
        return nullptr;
    }
    const auto bytes = win32::ReadMappedFile(name);
    if (!bytes) {
        return nullptr;
    }
    auto decoded = win32::DecodeIconFile(*bytes, cx > 0 ? cx : 32);
    if (!decoded) {
        return nullptr;
    }
    decoded->name = name;
    // Like the system's, loaded icons and cursors live until the process ends.
    static std::vector<std::unique_ptr<backend::Cursor>> loaded;
    loaded.push_back(std::make_unique<backend::Cursor>(std::move(*decoded)));
    return loaded.back().get();
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& sys = win32::System();
    const HCURSOR previous = sys.cursor;
    sys.cursor = cursor;
    win32::ApplyCursor();
    return previous;
}

int ShowCursor(BOOL show) {
    auto& sys = win32::System();
    sys.showCount += show == TRUE ? 1 : -1;
    win32::ApplyCursor();
    return sys.showCount;
}
