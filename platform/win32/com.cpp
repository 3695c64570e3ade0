// SPDX-License-Identifier: MIT
// The class table, and the in-process servers loaded by class id from modules beside the program.
#include "platform/win32/com.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend/module.h"
#include "platform/win32/ansi_text.h"

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};

bool operator==(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

namespace {

thread_local int t_comStarts = 0;

struct Registration {
    CLSID clsid;
    IUnknown* factory;  // holds one reference until revoked
    DWORD cookie;
};

// The registry's InprocServer32 entries: which module serves which class.
// The servers lie above this layer, so a class is named by its id, as the registry names it.
struct InprocServer {
    CLSID clsid;
    const char* module;
};
const InprocServer kServers[] = {
    // CLSID_FilterGraph
    {{0xe436ebb3, 0x524f, 0x11ce, {0x9f, 0x53, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70}},
     "menushell_dshow.so"},
};

using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void**);

struct ClassTable {
    std::mutex lock;
    std::vector<Registration> registered;
    DWORD nextCookie = 1;
    // Loaded servers stay loaded for the life of the process, as their libraries (GStreamer
    // among them) cannot be unloaded safely.
    std::vector<std::pair<const CLSID*, GetClassObject>> loaded;
};

ClassTable& Table() {
    static ClassTable table;
    return table;
}

GetClassObject LoadServer(const char* module) {
    return backend::AsFunction<GetClassObject>(
        backend::LoadModuleEntry(module, "DllGetClassObject"));
}

// The factory for `clsid`, with a reference for the caller; null when no one serves it.
IClassFactory* FindFactory(REFCLSID clsid) {
    ClassTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    for (const Registration& r : table.registered) {
        if (r.clsid == clsid) {
            void* factory = nullptr;
            r.factory->QueryInterface(IID_IClassFactory, &factory);
            return static_cast<IClassFactory*>(factory);
        }
    }
    for (const InprocServer& server : kServers) {
        if (server.clsid != clsid) {
            continue;
        }
        GetClassObject entry = nullptr;
        for (const auto& [loadedClsid, loadedEntry] : table.loaded) {
            if (*loadedClsid == clsid) {
                entry = loadedEntry;
            }
        }
        if (entry == nullptr && (entry = LoadServer(server.module)) != nullptr) {
            table.loaded.emplace_back(&server.clsid, entry);
        }
        void* factory = nullptr;
        if (entry != nullptr && FAILED(entry(clsid, IID_IClassFactory, &factory))) {
            factory = nullptr;
        }
        return static_cast<IClassFactory*>(factory);
    }
    return nullptr;
}

}  // namespace

HRESULT CoInitialize(LPVOID /*reserved*/) {
    return t_comStarts++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (t_comStarts > 0) {
        --t_comStarts;
    }
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* factory, DWORD /*context*/, DWORD /*flags*/,
                              LPDWORD cookie) {
    if (factory == nullptr || cookie == nullptr) {
        return E_INVALIDARG;
    }
    ClassTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    factory->AddRef();
    *cookie = table.nextCookie++;
    table.registered.insert(table.registered.begin(), Registration{clsid, factory, *cookie});
    return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie) {
    IUnknown* factory = nullptr;
    {
        ClassTable& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        for (auto it = table.registered.begin(); it != table.registered.end(); ++it) {
            if (it->cookie == cookie) {
                factory = it->factory;
                table.registered.erase(it);
                break;
            }
        }
    }
    if (factory == nullptr) {
        return E_INVALIDARG;
    }
    factory->Release();
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD /*context*/, REFIID iid,
                         void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    IClassFactory* factory = FindFactory(clsid);
    if (factory == nullptr) {
        return REGDB_E_CLASSNOTREG;
    }
    const HRESULT hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    return hr;
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

int WideCharToMultiByte(UINT /*codePage*/, DWORD /*flags*/, LPCWSTR source, int sourceLength,
                        LPSTR destination, int destinationLength, LPCSTR /*defaultChar*/,
                        BOOL* usedDefault) {
    if (source == nullptr) {
        return 0;
    }
    const std::size_t length =
        sourceLength < 0 ? std::wcslen(source) + 1 : static_cast<std::size_t>(sourceLength);
    std::u32string wide(length, U'\0');
    for (std::size_t i = 0; i < length; ++i) {
        wide[i] = static_cast<char32_t>(source[i]);
    }
    const std::string ansi = win32::CodePointsToAnsi(wide);
    if (usedDefault != nullptr) {
        *usedDefault = win32::AnsiToCodePoints(ansi) != wide ? TRUE : FALSE;
    }
    if (destination == nullptr || destinationLength <= 0) {
        return static_cast<int>(ansi.size());
    }
    if (ansi.size() > static_cast<std::size_t>(destinationLength)) {
        return 0;
    }
    // The terminator is among the characters when the source length was -1.
    std::copy(ansi.begin(), ansi.end(), destination);
    return static_cast<int>(ansi.size());
}
