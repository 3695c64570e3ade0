// SPDX-License-Identifier: MIT
#include "platform/backend/module.h"

#include <dlfcn.h>
#include <sys/auxv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace backend {
namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Started through the dynamic loader (a medium that shows no run bits), /proc/self/exe names the
// loader, and the kernel gave no interpreter (AT_BASE 0); the loader's record of the program
// keeps the path it was given. Read before main, as the launcher may change folder before it
// loads a module.
std::string FindProgramFolder() {
    Dl_info info{};
    if (getauxval(AT_BASE) == 0 &&
        dladdr(reinterpret_cast<void*>(&FindProgramFolder), &info) != 0 &&
        info.dli_fname != nullptr) {
        char* resolved = realpath(info.dli_fname, nullptr);
        if (resolved != nullptr) {
            std::string path(resolved);
            std::free(resolved);
            return FolderOf(path);
        }
    }
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return ".";
    }
    return FolderOf(std::string(buffer.data(), static_cast<std::size_t>(n)));
}

[[maybe_unused]] const bool kProgramFolderKnown = !ProgramFolder().empty();

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

const std::string& ProgramFolder() {
    static const std::string folder = FindProgramFolder();
    return folder;
}

void* LoadModuleEntry(const char* module, const char* symbol) {
    const std::string& folder = ProgramFolder();
    for (const std::string& path : {
             folder + "/" + module,
#ifdef MENUSHELL_MODULE_DIR
             folder + "/../" MENUSHELL_MODULE_DIR "/" + module,
#endif
         }) {
        if (!IsFile(path)) {
            continue;
        }
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            // Present but unusable (a library of its own missing, say): worth the one line.
            (void)std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, dlerror());
            return nullptr;
        }
        return dlsym(handle, symbol);
    }
    return nullptr;
}

}  // namespace backend
