// SPDX-License-Identifier: MIT
#include "platform/backend/backend.h"
#include "platform/win32/path_mapping.h"
#include "platform/win32/shell.h"

BOOL PlaySoundA(LPCSTR sound, HMODULE /*module*/, DWORD flags) {
    if (sound == nullptr || (flags & SND_FILENAME) == 0) {
        backend::Current().PlaySound("", {});  // PlaySound(NULL, ...) stops the sound
        return TRUE;
    }
    // A name that names no file plays nothing: no default sound, and what plays goes on.
    const auto wav = win32::ReadMappedFile(sound);
    if (!wav || wav->empty()) {
        return FALSE;
    }
    backend::Current().PlaySound(sound, *wav);
    return TRUE;
}
