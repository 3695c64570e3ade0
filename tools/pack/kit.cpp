// SPDX-License-Identifier: MIT
#include "tools/pack/kit.h"

#include <sys/stat.h>

#include "platform/backend/module.h"

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

const std::vector<KitFile>& KitFiles() {
    static const std::vector<KitFile> files = {
        {"menushell.exe", 0644},
        {"autorun.sh", 0755},
        {"linux/menushell", 0755},
        {"linux/menushell_sdl.so", 0755},
        {"linux/menushell_dshow.so", 0755},
    };
    return files;
}

std::string FindKit(const std::string& given, std::string& error) {
    std::vector<std::string> places;
    if (!given.empty()) {
        places.push_back(given);
    } else {
        // Installed: /usr/bin beside /usr/lib/menushell. Built: <root>/build/app beside
        // <root>/build-portable/kit.
        const std::string& program = backend::ProgramFolder();
        places = {program + "/../lib/menushell", program + "/../../build-portable/kit"};
    }
    std::string kit;
    for (const std::string& place : places) {
        if (IsFolder(place)) {
            kit = place;
            break;
        }
    }
    const std::string hint = "; scripts/build-portable builds it";
    if (kit.empty()) {
        error = "no kit of the launcher's programs at " + places.front();
        for (std::size_t i = 1; i < places.size(); ++i) {
            error += " or " + places[i];
        }
        error += hint;
        return {};
    }
    for (const KitFile& file : KitFiles()) {
        if (!IsFile(kit + "/" + file.path)) {
            error = "the kit at " + kit + " has no ";
            error += file.path + hint;
            return {};
        }
    }
    return kit;
}
