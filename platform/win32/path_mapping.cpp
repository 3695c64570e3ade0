// SPDX-License-Identifier: MIT
#include "platform/win32/path_mapping.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/win32/ansi_text.h"

namespace win32 {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) {
        return name;
    }
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

bool MatchFolded(const std::u32string& name, std::size_t n, const std::u32string& pattern,
                 std::size_t p) {
    // Backtracking over the last `*` only keeps this linear in practice.
    std::size_t starP = std::u32string::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

std::vector<std::string> DirectoryEntries(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(d);
    std::vector<std::pair<std::u32string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names) {
        keyed.emplace_back(FoldedName(name), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& entry : keyed) {
        names.push_back(std::move(entry.second));
    }
    return names;
}

std::string MapPath(const std::string& ansiPath) {
    std::string path = AnsiToUtf8(ansiPath);
    std::replace(path.begin(), path.end(), '\\', '/');

    std::string mapped = path.rfind('/', 0) == 0 ? "/" : "";
    std::size_t start = mapped.size();
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = path.size();
        }
        const std::string component = path.substr(start, end - start);
        if (!component.empty()) {
            std::string candidate = Join(mapped, component);
            if (component != "." && component != ".." && !Exists(candidate)) {
                const std::u32string wanted = FoldedName(component);
                for (const std::string& entry : DirectoryEntries(mapped)) {
                    if (FoldedName(entry) == wanted) {
                        candidate = Join(mapped, entry);
                        break;
                    }
                }
            }
            mapped = candidate;
        }
        if (!last && !mapped.empty() && mapped.back() != '/') {
            mapped += '/';
        }
        start = end + 1;
    }
    return mapped;
}

std::optional<std::vector<std::uint8_t>> ReadMappedFile(const std::string& ansiPath) {
    const std::string path = MapPath(ansiPath);
    struct stat st {};
    // No sound, icon or cursor is near this size; a larger file (a sparse one, say) is not read.
    constexpr off_t kLargestFile = off_t{256} << 20;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kLargestFile) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

bool MatchesPattern(const std::string& utf8Name, const std::string& utf8Pattern) {
    return MatchFolded(FoldedName(utf8Name), 0, FoldedName(utf8Pattern), 0);
}

}  // namespace win32
