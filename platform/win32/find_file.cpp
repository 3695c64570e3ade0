// SPDX-License-Identifier: MIT
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/files.h"
#include "platform/win32/path_mapping.h"

namespace {

struct FindHandle {
    std::string dir;  // mapped, as found on this file system
    std::vector<std::string> matches;
    std::size_t next = 0;
};

void Fill(const FindHandle& find, const std::string& name, WIN32_FIND_DATAA* data) {
    *data = WIN32_FIND_DATAA{};
    struct stat st {};
    const std::string path = find.dir.empty() ? name : find.dir + "/" + name;
    if (stat(path.c_str(), &st) == 0) {
        data->dwFileAttributes =
            S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
        const auto size = static_cast<std::uint64_t>(st.st_size);
        data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
        data->nFileSizeLow = static_cast<DWORD>(size);
    }
    const std::string ansi = win32::Utf8ToAnsi(name);
    std::strncpy(data->cFileName, ansi.c_str(), MAX_PATH - 1);
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
    if (pattern == nullptr || data == nullptr) {
        return INVALID_HANDLE_VALUE;
    }
    const std::string ansi = pattern;
    const std::size_t slash = ansi.find_last_of("\\/");
    const std::string dirPart = slash == std::string::npos ? "" : ansi.substr(0, slash + 1);
    const std::string namePart = win32::AnsiToUtf8(ansi.substr(dirPart.size()));

    auto* find = new FindHandle;
    find->dir = dirPart.empty() ? "" : win32::MapPath(dirPart);
    for (const std::string& entry : win32::DirectoryEntries(find->dir)) {
        if (win32::MatchesPattern(entry, namePart)) {
            find->matches.push_back(entry);
        }
    }
    if (find->matches.empty()) {
        delete find;
        return INVALID_HANDLE_VALUE;
    }
    Fill(*find, find->matches[find->next++], data);
    return find;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
    auto* find = static_cast<FindHandle*>(handle);
    if (find == nullptr || handle == INVALID_HANDLE_VALUE || data == nullptr ||
        find->next >= find->matches.size()) {
        return FALSE;
    }
    Fill(*find, find->matches[find->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    delete static_cast<FindHandle*>(handle);
    return TRUE;
}
