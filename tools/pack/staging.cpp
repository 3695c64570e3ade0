// SPDX-License-Identifier: MIT
#include "tools/pack/staging.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kOpenFolders = 16;

int RemoveOne(const char* path, const struct stat* /*st*/, int type, FTW* /*ftw*/) {
    (void)(type == FTW_DP ? rmdir(path) : unlink(path));
    return 0;
}

}  // namespace

std::unique_ptr<Staging> Staging::Create(const std::string& out, std::string& error) {
    const std::size_t slash = out.rfind('/');
    const std::string folder = out.substr(0, slash);
    std::string path = folder + "/." + out.substr(slash + 1) + ".pack-XXXXXX";
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
        error = "cannot write in " + (folder.empty() ? "/" : folder) + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<Staging>(new Staging(name.data()));
}

Staging::~Staging() {
    RemoveTree(m_path);
}

bool Staging::Install(const std::string& made, const std::string& out, std::string& error) const {
    struct stat st {};
    if (lstat(out.c_str(), &st) == 0 && rename(out.c_str(), (m_path + "/old").c_str()) != 0) {
        error = "cannot replace " + out + ": " + std::strerror(errno);
        return false;
    }
    if (rename(made.c_str(), out.c_str()) != 0) {
        error = "cannot write " + out + ": " + std::strerror(errno);
        // The medium that was there stays.
        (void)rename((m_path + "/old").c_str(), out.c_str());
        return false;
    }
    return true;
}

void RemoveTree(const std::string& path) {
    (void)nftw(path.c_str(), RemoveOne, kOpenFolders, FTW_DEPTH | FTW_PHYS);
}
