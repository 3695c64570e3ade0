// SPDX-License-Identifier: MIT
#include "tools/pack/out_target.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "tools/pack/autorun_inf.h"
#include "tools/pack/iso_image.h"

namespace {

// Where the primary volume descriptor of an ISO 9660 image keeps its application id.
constexpr off_t kApplicationIdOffset = 32768 + 574;

bool StartsWith(const std::string& path, off_t offset, const char* text) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    const std::size_t length = std::strlen(text);
    std::string head(length, '\0');
    const ssize_t got = pread(fd, head.data(), length, offset);
    close(fd);
    return got == static_cast<ssize_t>(length) && head == text;
}

bool IsEmptyFolder(const std::string& path) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(path.c_str()), closedir);
    if (!dir) {
        return false;
    }
    while (const dirent* entry = readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

OutState ClassifyOut(const std::string& out, bool iso) {
    struct stat st {};
    if (lstat(out.c_str(), &st) != 0) {
        return errno == ENOENT ? OutState::kFree : OutState::kForeign;
    }
    if (iso && S_ISREG(st.st_mode)) {
        if (st.st_size == 0) {
            return OutState::kFree;
        }
        return StartsWith(out, kApplicationIdOffset, kIsoApplicationId) ? OutState::kMadeByPack
                                                                        : OutState::kForeign;
    }
    if (!iso && S_ISDIR(st.st_mode)) {
        if (IsEmptyFolder(out)) {
            return OutState::kFree;
        }
        return StartsWith(out + "/autorun.inf", 0, kPackMark) ? OutState::kMadeByPack
                                                              : OutState::kForeign;
    }
    return OutState::kForeign;
}
