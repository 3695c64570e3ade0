// SPDX-License-Identifier: MIT
// menushell-check [FOLDER] [--json]: reads the menu in FOLDER/shellmedia with the launcher's own
// loaders and reports every problem at once, one per line as "file:line: message".
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/backend/headless/headless_backend.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/path_mapping.h"
#include "platform/windows.h"
#include "tools/check/menu_check.h"

namespace {

constexpr const char* kUsage =
    "Usage: menushell-check [FOLDER] [--json]\n"
    "Checks the menu in FOLDER/shellmedia (FOLDER: the current folder when not given) as the\n"
    "launcher reads it, and prints every problem found, one per line as file:line: message.\n"
    "  --json   print the problems as a JSON array of {file, line, message}\n"
    "  --help   print this text\n"
    "  --version  print the version\n"
    "Exit status: 0 no problem, 1 problems found, 2 the folder cannot be read.\n";

int Run(int argc, char** argv) {
    std::string folder = ".";
    bool json = false;
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "menushell-check " MENUSHELL_VERSION "\n";
            return 0;
        }
        if (arg == "--json") {
            json = true;
        } else if (arg[0] == '-' || folderGiven) {
            std::cerr << "menushell-check: unexpected argument \"" << arg << "\"\n" << kUsage;
            return 2;
        } else {
            folder = arg;
            folderGiven = true;
        }
    }
    if (chdir(folder.c_str()) != 0) {
        std::cerr << "menushell-check: cannot read " << folder << ": " << std::strerror(errno)
                  << "\n";
        return 2;
    }
    const std::string media = win32::MapPath("shellmedia");
    struct stat st {};
    if (stat(media.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        access(media.c_str(), R_OK | X_OK) != 0) {
        std::cerr << "menushell-check: " << folder << " has no shellmedia folder to read\n";
        return 2;
    }

    backend::Install(std::make_unique<backend::HeadlessBackend>());
    CoInitialize(nullptr);
    const Problems problems = CheckMenu();
    if (json) {
        nlohmann::json list = nlohmann::json::array();
        for (const Problem& p : problems) {
            list.push_back({{"file", p.file}, {"line", p.line}, {"message", p.message}});
        }
        // File names are the file system's bytes, not always UTF-8.
        std::cout << list.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        for (const Problem& p : problems) {
            std::cout << p.file << ":" << p.line << ": " << p.message << "\n";
        }
    }
    CoUninitialize();
    return problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "menushell-check: " << e.what() << "\n";
        return 2;
    }
}
