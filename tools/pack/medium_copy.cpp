// SPDX-License-Identifier: MIT
#include "tools/pack/medium_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>

#include "tools/pack/interrupt.h"
#include "tools/pack/kit.h"

namespace {

// Small enough that an interrupt is answered at once, also within a large file.
constexpr std::size_t kChunk = std::size_t{1} << 20;

class Fd {
  public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

std::string Failure(const std::string& what, const std::string& path) {
    return "cannot " + what + " " + path + ": " + std::strerror(errno);
}

// Writes what `read` gives into a new file `to` of mode `mode`.
CopyResult WriteFile(const std::string& to, mode_t mode, std::string& error,
                     const std::function<ssize_t(char*, std::size_t)>& read) {
    const Fd out(open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (out.Get() < 0 || fchmod(out.Get(), mode) != 0) {
        error = Failure("write", to);
        return CopyResult::kFailed;
    }
    std::vector<char> buffer(kChunk);
    for (;;) {
        if (Interrupted() != 0) {
            return CopyResult::kInterrupted;
        }
        const ssize_t got = read(buffer.data(), buffer.size());
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CopyResult::kFailed;  // `read` said why
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(out.Get(), buffer.data() + done, got - done);
            if (put < 0 && errno != EINTR) {
                error = Failure("write", to);
                return CopyResult::kFailed;
            }
            done += std::max<ssize_t>(put, 0);
        }
    }
    return CopyResult::kDone;
}

CopyResult CopyFile(const std::string& from, const std::string& to, mode_t mode,
                    std::string& error) {
    const Fd in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) {
        error = Failure("read", from);
        return CopyResult::kFailed;
    }
    return WriteFile(to, mode, error, [&](char* buffer, std::size_t size) {
        const ssize_t got = read(in.Get(), buffer, size);
        if (got < 0 && errno != EINTR) {
            error = Failure("read", from);
        }
        return got;
    });
}

CopyResult WriteText(const std::string& text, const std::string& to, std::string& error) {
    std::size_t offset = 0;
    return WriteFile(to, 0644, error, [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, text.size() - offset);
        std::copy_n(text.data() + offset, n, buffer);
        offset += n;
        return static_cast<ssize_t>(n);
    });
}

bool MakeFolder(const std::string& path, std::string& error) {
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        error = Failure("write", path);
        return false;
    }
    return true;
}

}  // namespace

CopyResult WriteMedium(const MenuTree& tree, const std::string& kit, const std::string& autorunInf,
                       const std::string& medium, std::string& error) {
    for (const TreeEntry& entry : tree.entries) {
        if (IsMediumRootName(entry.path.substr(0, entry.path.find('/')))) {
            continue;
        }
        const std::string to = medium + "/" + entry.path;
        if (entry.folder) {
            if (!MakeFolder(to, error)) {
                return CopyResult::kFailed;
            }
            continue;
        }
        const CopyResult copied = CopyFile(entry.source, to, entry.runnable ? 0755 : 0644, error);
        if (copied != CopyResult::kDone) {
            return copied;
        }
    }
    if (!MakeFolder(medium + "/linux", error)) {
        return CopyResult::kFailed;
    }
    for (const KitFile& file : KitFiles()) {
        const CopyResult copied =
            CopyFile(kit + "/" + file.path, medium + "/" + file.path, file.mode, error);
        if (copied != CopyResult::kDone) {
            return copied;
        }
    }
    return WriteText(autorunInf, medium + "/autorun.inf", error);
}
