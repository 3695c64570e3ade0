#include "platform/win32/com.h"

#include <cstring>
#include <string>

#include "platform/win32/ansi_text.h"

namespace {
thread_local int t_comStarts = 0;
}

HRESULT CoInitialize(LPVOID /*reserved*/) {
    return t_comStarts++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (t_comStarts > 0) {
        --t_comStarts;
    }
}

HRESULT CoCreateInstance(REFCLSID /*clsid*/, IUnknown* /*outer*/, DWORD /*context*/, REFIID /*iid*/,
                         void** object) {
    if (object != nullptr) {
        *object = nullptr;
    }
    return REGDB_E_CLASSNOTREG;
}

int MultiByteToWideChar(UINT /*codePage*/, DWORD /*flags*/, LPCSTR source, int sourceLength,
                        LPWSTR destination, int destinationLength) {
    if (source == nullptr) {
        return 0;
    }
    const std::string ansi = sourceLength < 0
                                 ? std::string(source, std::strlen(source) + 1)
                                 : std::string(source, static_cast<std::size_t>(sourceLength));
    const std::u32string wide = win32::AnsiToCodePoints(ansi);
    if (destination == nullptr || destinationLength <= 0) {
        return static_cast<int>(wide.size());
    }
    if (wide.size() > static_cast<std::size_t>(destinationLength)) {
        return 0;
    }
    for (std::size_t i = 0; i < wide.size(); ++i) {
        destination[i] = static_cast<WCHAR>(wide[i]);
    }
    return static_cast<int>(wide.size());
}
