// SPDX-License-Identifier: MIT
// xorriso runs as a program of its own, never linked in: its library, libisofs, is GPL, and
// linking it would bind this MIT program to that licence.
#include "tools/pack/iso_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "tools/pack/interrupt.h"

std::string FindXorriso() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        std::string program = (folder.empty() ? "." : folder) + "/xorriso";
        struct stat st {};
        if (stat(program.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            access(program.c_str(), X_OK) == 0) {
            return program;
        }
    }
    return {};
}

IsoResult WriteIso(const std::string& xorriso, const std::string& medium, const std::string& iso,
                   const std::string& label, const std::string& log) {
    const std::vector<std::string> args = {
        xorriso, "-no_rc", "-report_about", "SORRY", "-abort_on", "FAILURE",
        // Names on disk are UTF-8 whatever the locale; Joliet gets them as UTF-16.
        "-charset", "UTF-8", "-outdev", iso, "-volid", label, "-application_id", kIsoApplicationId,
        "-rockridge", "on", "-joliet", "on", "-compliance", "joliet_long_names", "-map", medium,
        "/", "-commit"};
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        return IsoResult::kFailed;
    }
    if (child == 0) {
        // Its greeting and progress are no news; only a failure's reasons are shown.
        const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    bool stopped = false;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return IsoResult::kFailed;
        }
        if (Interrupted() != 0 && !stopped) {
            (void)kill(child, SIGTERM);
            stopped = true;
        }
    }
    if (Interrupted() != 0) {
        return IsoResult::kInterrupted;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return IsoResult::kWritten;
    }
    std::ifstream said(log);
    for (std::string line; std::getline(said, line);) {
        if (line.rfind("xorriso : ", 0) == 0) {
            std::cerr << line << "\n";
        }
    }
    return IsoResult::kFailed;
}
