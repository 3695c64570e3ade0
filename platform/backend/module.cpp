// SPDX-License-Identifier: MIT
#include "platform/backend/module.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace backend {
namespace {

std::string ProgramFolder() {
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) {
        return ".";
    }
    std::string path(buffer.data(), static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void* LoadModuleEntry(const char* module, const char* symbol) {
    const std::string folder = ProgramFolder();
    for (const std::string& path :
         {folder + "/" + module, folder + "/../" MENUSHELL_MODULE_DIR "/" + module}) {
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
