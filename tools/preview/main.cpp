// SPDX-License-Identifier: MIT
// menushell-preview [FOLDER] -o DIR: the menu in FOLDER/shellmedia as PNG pictures, painted by
// the launcher itself: every button normal, each button hovered and as its bubble, and the hit
// rectangles framed and numbered.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "platform/backend/headless/headless_backend.h"
#include "tools/preview/menu_states.h"
#include "tools/preview/png_file.h"

namespace {

constexpr const char* kUsage =
    "Usage: menushell-preview [FOLDER] -o DIR\n"
    "Paints the menu in FOLDER/shellmedia (FOLDER: the current folder when not given) as the\n"
    "launcher does and writes it to DIR as PNG pictures: normal.png, buttonN-hovered.png and\n"
    "buttonN-bubble.png for each button, and hit-rectangles.png with every hit rectangle\n"
    "framed and numbered. Prints the path of each picture written.\n"
    "Exit status: 0 written, 1 the launcher would not show the menu, 2 bad arguments or an\n"
    "output that cannot be written.\n";

std::string Absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        return path;
    }
    char here[4096];
    return getcwd(here, sizeof here) != nullptr ? std::string(here) + "/" + path : path;
}

int Run(int argc, char** argv) {
    std::string folder = ".";
    std::string output;
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "menushell-preview " MENUSHELL_VERSION "\n";
            return 0;
        }
        if (arg == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (arg[0] != '-' && !folderGiven) {
            folder = arg;
            folderGiven = true;
        } else {
            std::cerr << "menushell-preview: unexpected argument \"" << arg << "\"\n" << kUsage;
            return 2;
        }
    }
    if (output.empty()) {
        std::cerr << "menushell-preview: no output folder (-o DIR)\n" << kUsage;
        return 2;
    }
    output = Absolute(output);
    if (mkdir(output.c_str(), 0777) != 0 && errno != EEXIST) {
        std::cerr << "menushell-preview: cannot make " << output << ": " << std::strerror(errno)
                  << "\n";
        return 2;
    }
    if (chdir(folder.c_str()) != 0) {
        std::cerr << "menushell-preview: cannot read " << folder << ": " << std::strerror(errno)
                  << "\n";
        return 2;
    }
    backend::Install(std::make_unique<backend::HeadlessBackend>());
    const std::vector<MenuFrame> frames = CaptureMenuStates();
    if (frames.empty()) {
        return 1;
    }
    for (const MenuFrame& frame : frames) {
        const std::string path = output + "/" + frame.name + ".png";
        std::string error;
        if (!WritePng(path, frame.image, error)) {
            std::cerr << "menushell-preview: cannot write " << path << ": " << error << "\n";
            return 2;
        }
        std::cout << path << "\n";
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "menushell-preview: " << e.what() << "\n";
        return 2;
    }
}
