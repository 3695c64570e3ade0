// SPDX-License-Identifier: MIT
// menushell-pack [FOLDER] -o OUT: a disc image or a folder for a USB stick holding the menu in
// FOLDER and the launcher for Windows and Linux, which starts the menu when the medium is
// inserted where the desktop allows it.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "platform/backend/headless/headless_backend.h"
#include "platform/windows.h"
#include "tools/check/menu_check.h"
#include "tools/pack/autorun_inf.h"
#include "tools/pack/interrupt.h"
#include "tools/pack/iso_image.h"
#include "tools/pack/kit.h"
#include "tools/pack/medium_copy.h"
#include "tools/pack/menu_tree.h"
#include "tools/pack/out_target.h"
#include "tools/pack/staging.h"
#include "tools/pack/windows_names.h"

namespace {

constexpr const char* kUsage =
    "Usage: menushell-pack [FOLDER] -o OUT [--force] [--label TEXT] [--kit DIR]\n"
    "Writes the menu in FOLDER (the current folder when not given) with the launcher for Windows\n"
    "and Linux as a medium that starts it: OUT.iso a disc image, any other OUT a folder to copy\n"
    "to a USB stick. The menu is checked first; problems stop it.\n"
    "  -o OUT        where the medium goes\n"
    "  --force       write despite problems, and replace a medium written before\n"
    "  --label TEXT  the disc's volume label (from the menu's app_name when not given)\n"
    "  --kit DIR     the launcher's programs to put on the medium\n"
    "  --help        print this text\n"
    "  --version     print the version\n"
    "Exit status: 0 written, 1 problems found or nothing written, 2 wrong arguments.\n";

struct Options {
    std::string folder = ".";
    std::string out;
    std::string label;
    std::string kit;
    bool force = false;
    bool labelGiven = false;
};

int Fail(const std::string& message) {
    std::cerr << "menushell-pack: " << message << "\n";
    return 1;
}

int Usage(const std::string& message) {
    std::cerr << "menushell-pack: " << message << "\n" << kUsage;
    return 2;
}

// -1 when the arguments are fine, else the exit status.
int Parse(int argc, char** argv, Options& o) {
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](std::string& field) {
            if (i + 1 >= argc) {
                return false;
            }
            field = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--version") {
            std::cout << "menushell-pack " MENUSHELL_VERSION "\n";
            return 0;
        }
        if (arg == "--force") {
            o.force = true;
        } else if (arg == "-o" || arg == "--kit" || arg == "--label") {
            std::string& field = arg == "-o" ? o.out : arg == "--kit" ? o.kit : o.label;
            if (!value(field) || field.empty()) {
                return Usage(arg + " needs a value");
            }
            o.labelGiven = o.labelGiven || arg == "--label";
        } else if (arg.empty() || arg[0] == '-' || folderGiven) {
            return Usage("unexpected argument \"" + arg + "\"");
        } else {
            o.folder = arg;
            folderGiven = true;
        }
    }
    return o.out.empty() ? Usage("-o OUT is needed") : -1;
}

std::string RealPath(const std::string& path) {
    const std::unique_ptr<char, void (*)(void*)> real(realpath(path.c_str(), nullptr), std::free);
    return real ? std::string(real.get()) : std::string();
}

// OUT as an absolute path whose last name is its own, not what a link there leads to.
std::string AbsoluteOut(std::string out) {
    while (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    const std::size_t slash = out.rfind('/');
    const std::string name = slash == std::string::npos ? out : out.substr(slash + 1);
    if (name == "." || name == "..") {
        return RealPath(out);
    }
    const std::string parent =
        RealPath(slash == std::string::npos ? "." : out.substr(0, slash + 1));
    return parent.empty() ? std::string() : (parent == "/" ? "" : parent) + "/" + name;
}

bool Inside(const std::string& path, const std::string& folder) {
    return path == folder || path.rfind(folder == "/" ? folder : folder + "/", 0) == 0;
}

bool EndsWithIso(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return end == ".iso";
}

int Stopped() {
    std::cerr << "menushell-pack: interrupted, nothing written\n";
    return 128 + Interrupted();
}

// Every problem of the menu and of its names, as menushell-check prints them; whether any.
bool ReportProblems(const MenuTree& tree) {
    backend::Install(std::make_unique<backend::HeadlessBackend>());
    CoInitialize(nullptr);
    Problems problems = CheckMenu();
    CoUninitialize();
    problems.insert(problems.end(), tree.problems.begin(), tree.problems.end());
    for (const Problem& p : problems) {
        std::cerr << p.file << ":" << p.line << ": " << p.message << "\n";
    }
    return !problems.empty();
}

int Write(const Options& o, const MenuTree& tree, const std::string& kit, const std::string& out,
          const std::string& xorriso) {
    const MenuIdentity menu = ReadMenuIdentity();
    std::string error;
    const std::unique_ptr<Staging> staging = Staging::Create(out, error);
    if (!staging) {
        return Fail(error);
    }
    const std::string medium = staging->Path() + "/medium";
    if (mkdir(medium.c_str(), 0755) != 0) {
        return Fail("cannot write in " + staging->Path() + ": " + std::strerror(errno));
    }
    const CopyResult copied = WriteMedium(tree, kit, AutorunInf(menu), medium, error);
    if (copied == CopyResult::kInterrupted || Interrupted() != 0) {
        return Stopped();
    }
    if (copied == CopyResult::kFailed) {
        return Fail(error + "; nothing written");
    }
    std::string made = medium;
    if (!xorriso.empty()) {
        made = staging->Path() + "/medium.iso";
        const IsoResult written =
            WriteIso(xorriso, medium, made, VolumeLabel(o.labelGiven ? o.label : menu.name),
                     staging->Path() + "/xorriso.log");
        if (written == IsoResult::kInterrupted) {
            return Stopped();
        }
        if (written == IsoResult::kFailed) {
            return Fail("xorriso could not write the image; nothing written");
        }
    }
    if (Interrupted() != 0) {
        return Stopped();
    }
    if (!staging->Install(made, out, error)) {
        return Fail(error);
    }
    std::cout << o.out << "\n";
    return 0;
}

int Run(int argc, char** argv) {
    Options o;
    if (const int status = Parse(argc, argv, o); status >= 0) {
        return status;
    }
    InstallInterruptHandlers();
    const std::string folder = RealPath(o.folder);
    struct stat st {};
    if (folder.empty() || stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return Fail("cannot read the folder " + o.folder + ": " +
                    (folder.empty() ? std::strerror(errno) : "not a folder"));
    }
    std::string error;
    // Absolute, since the menu is read from its own folder.
    const std::string kit = RealPath(FindKit(o.kit, error));
    if (kit.empty()) {
        return Fail(error);
    }
    const bool iso = EndsWithIso(o.out);
    const std::string xorriso = iso ? FindXorriso() : std::string();
    if (iso && xorriso.empty()) {
        return Fail("an ISO image needs the xorriso program (apt install xorriso)");
    }
    const std::string out = AbsoluteOut(o.out);
    if (out.empty()) {
        return Fail("cannot write " + o.out + ": " + std::strerror(errno));
    }
    if (Inside(out, folder) || Inside(folder, out)) {
        return Fail(o.out + " is inside the menu folder " + o.folder +
                    " or holds it: write the medium elsewhere");
    }
    const OutState state = ClassifyOut(out, iso);
    if (state == OutState::kForeign) {
        return Fail(o.out + " exists and is not a medium menushell-pack wrote: it is not replaced");
    }
    if (state == OutState::kMadeByPack && !o.force) {
        return Fail(o.out + " exists; --force replaces it");
    }
    if (chdir(folder.c_str()) != 0) {
        return Fail("cannot read the folder " + o.folder + ": " + std::strerror(errno));
    }
    const MenuTree tree = ScanMenuTree(folder);
    if (ReportProblems(tree) && !o.force) {
        return Fail("nothing written; --force writes the medium despite these problems");
    }
    if (Interrupted() != 0) {
        return Stopped();
    }
    return Write(o, tree, kit, out, xorriso);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "menushell-pack: " << e.what() << "\n";
        return 1;
    }
}
