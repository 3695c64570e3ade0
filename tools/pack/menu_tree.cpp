// SPDX-License-Identifier: MIT
#include "tools/pack/menu_tree.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <utility>

#include "tools/pack/windows_names.h"

namespace {

// Every size a file on an ISO 9660 disc can have in one extent.
constexpr std::uint64_t kLargestFile = 0xFFFFFFFFULL;

std::string AsciiLower(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return name;
}

std::vector<std::string> Names(const std::string& folder, std::string& error) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) {
        error = std::strerror(errno);
        return names;
    }
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Walker {
  public:
    explicit Walker(std::string root) : m_root(std::move(root)) {}

    MenuTree Walk() {
        struct stat st {};
        if (stat(m_root.c_str(), &st) == 0) {
            m_open.insert({st.st_dev, st.st_ino});
        }
        Folder(m_root, "");
        return std::move(m_tree);
    }

  private:
    void Report(const std::string& path, const std::string& message) {
        m_tree.problems.push_back({path, 1, message});
    }

    void Folder(const std::string& source, const std::string& path) {
        std::string error;
        const std::vector<std::string> names = Names(source, error);
        if (!error.empty()) {
            Report(path.empty() ? "." : path, "the folder cannot be read: " + error);
            return;
        }
        CheckCase(names, path);
        const std::string prefix = path.empty() ? "" : path + "/";
        for (const std::string& name : names) {
            const std::string child = prefix + name;
            if (const std::string why = WindowsNameProblem(name); !why.empty()) {
                Report(child, why);
            }
            if (path.empty() && IsMediumRootName(name)) {
                std::string message = "menushell-pack writes its own \"";
                message += name + "\" at the medium's root (with --force it replaces this one)";
                Report(child, message);
            }
            std::string from = source;
            from += "/" + name;
            Entry(from, child);
        }
    }

    void CheckCase(const std::vector<std::string>& names, const std::string& path) {
        std::vector<std::pair<std::string, std::string>> folded;
        folded.reserve(names.size());
        for (const std::string& name : names) {
            folded.emplace_back(AsciiLower(name), name);
        }
        std::sort(folded.begin(), folded.end());
        for (std::size_t i = 1; i < folded.size(); ++i) {
            if (folded[i].first == folded[i - 1].first) {
                const std::string prefix = path.empty() ? "" : path + "/";
                Report(prefix + folded[i].second, "differs only in case from \"" + prefix +
                                                      folded[i - 1].second +
                                                      "\": Windows keeps one of the two");
            }
        }
    }

    void Entry(const std::string& source, const std::string& path) {
        struct stat st {};
        if (lstat(source.c_str(), &st) != 0) {
            Report(path, std::string("cannot be read: ") + std::strerror(errno));
            return;
        }
        std::string from = source;
        if (S_ISLNK(st.st_mode)) {
            if (!FollowLink(source, path, from, st)) {
                return;
            }
        }
        if (S_ISDIR(st.st_mode)) {
            if (!m_open.insert({st.st_dev, st.st_ino}).second) {
                Report(path, "is a link back into a folder that holds it (--force leaves it out)");
                return;
            }
            m_tree.entries.push_back({path, from, true, false, 0});
            Folder(from, path);
            m_open.erase({st.st_dev, st.st_ino});
        } else if (S_ISREG(st.st_mode)) {
            const auto size = static_cast<std::uint64_t>(st.st_size);
            if (size > kLargestFile) {
                Report(path, "is " + std::to_string(size) +
                                 " bytes: a disc holds files of at most 4294967295 bytes");
            }
            m_tree.entries.push_back({path, from, false, (st.st_mode & 0111) != 0, size});
        } else {
            Report(path,
                   "is a device, pipe or socket, not a file or folder (--force leaves it out)");
        }
    }

    // Links into the menu go on the medium as what they lead to; any other is left out.
    bool FollowLink(const std::string& source, const std::string& path, std::string& resolved,
                    struct stat& st) {
        char target[PATH_MAX];
        const ssize_t length = readlink(source.c_str(), target, sizeof target - 1);
        const std::string written = length > 0 ? std::string(target, length) : std::string();
        const std::unique_ptr<char, void (*)(void*)> real(realpath(source.c_str(), nullptr),
                                                          std::free);
        if (!real || stat(real.get(), &st) != 0) {
            Report(path, "is a symbolic link to \"" + written +
                             "\", which does not exist (--force leaves it out)");
            return false;
        }
        resolved = real.get();
        if (resolved != m_root && resolved.rfind(m_root + "/", 0) != 0) {
            Report(path, "is a symbolic link to \"" + written +
                             "\", outside the menu folder (--force leaves it out)");
            return false;
        }
        return true;
    }

    std::string m_root;
    MenuTree m_tree;
    std::set<std::pair<dev_t, ino_t>> m_open;  // the folders being walked, against link loops
};

}  // namespace

bool IsMediumRootName(const std::string& name) {
    static const std::set<std::string> names = {"autorun.inf", "autorun.sh", "menushell.exe",
                                                "linux"};
    return names.count(AsciiLower(name)) != 0;
}

MenuTree ScanMenuTree(const std::string& root) {
    return Walker(root).Walk();
}
