// SPDX-License-Identifier: MIT
#include "app/menu_argument.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/afx/entry.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kExpected =
    "a .shl file in a shellmedia folder, or a folder that holds shellmedia";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

MenuFolder Refuse(const std::string& given, const std::string& why) {
    return {"", Quoted(given) + " " + why + "; expected " + kExpected};
}

bool IsShellMedia(const fs::path& folder) {
    const std::string name = folder.filename().string();
    const std::string wanted = "shellmedia";
    return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// Absolute, without "." and "..", and without a trailing separator, so that the last component
// is the folder's or file's own name (also for "." or "dir/").
fs::path Tidy(const fs::path& path) {
    std::error_code error;
    fs::path tidy = fs::absolute(path, error).lexically_normal();
    if (!tidy.has_filename() && tidy.has_relative_path()) {
        tidy = tidy.parent_path();
    }
    return tidy;
}

// Whether `folder` holds a folder named shellmedia, in any case, as the launcher finds it.
bool HoldsShellMedia(const fs::path& folder, std::error_code& error) {
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (IsShellMedia(it->path()) && it->is_directory(ignored)) {
            return true;
        }
    }
    return false;
}

std::string Reason(const std::error_code& error) {
    return "cannot be read (" + error.message() + ")";
}

MenuFolder FromFolder(const std::string& given) {
    const fs::path folder = Tidy(given);
    std::error_code error;
    if (HoldsShellMedia(folder, error)) {
        return {folder.string(), ""};
    }
    if (error) {
        return Refuse(given, Reason(error));
    }
    if (IsShellMedia(folder)) {
        return {folder.parent_path().string(), ""};
    }
    return Refuse(given, "holds no shellmedia folder");
}

MenuFolder FromFile(const std::string& given) {
    std::string extension = fs::path(given).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".shl") {
        return Refuse(given, "is not a .shl file");
    }
    // The folder the path names first; else, for a link to a menu's file, the folder it is in.
    fs::path folder = Tidy(given).parent_path();
    if (!IsShellMedia(folder)) {
        std::error_code error;
        folder = fs::canonical(given, error).parent_path();
    }
    if (!IsShellMedia(folder)) {
        return Refuse(given, "is not in a shellmedia folder");
    }
    return {folder.parent_path().string(), ""};
}

}  // namespace

MenuFolder FindMenuFolder(const std::vector<std::string>& args) {
    if (args.empty()) {
        return {};
    }
    if (args.size() > 1) {
        std::string given;
        for (const std::string& arg : args) {
            given += (given.empty() ? "" : " ") + Quoted(arg);
        }
        return {"", "more than one argument (" + given + "); expected one: " + kExpected};
    }
    const std::string& arg = args.front();
    if (!arg.empty() && arg.front() == '-') {
        return {"", "unknown option " + Quoted(arg) + "; expected " + kExpected + ", or --version"};
    }
    std::error_code error;
    const fs::file_status status = fs::status(arg, error);
    if (status.type() == fs::file_type::not_found) {
        return Refuse(arg, "does not exist");
    }
    if (error) {
        return Refuse(arg, Reason(error));
    }
    return fs::is_directory(status) ? FromFolder(arg) : FromFile(arg);
}

std::string TakeArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    const MenuFolder menu = FindMenuFolder(args);
    if (!menu.problem.empty()) {
        return menu.problem;
    }
    // Before anything else: the menu's commands run from here, as when started from its folder.
    if (!menu.path.empty() && chdir(menu.path.c_str()) != 0) {
        return "cannot enter " + Quoted(menu.path) + " (" + std::strerror(errno) + ")";
    }
    return {};
}
