// SPDX-License-Identifier: MIT
#include "platform/backend/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace backend {
namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction g_before[std::size(kEndingSignals)];
bool g_installed[std::size(kEndingSignals)];
pid_t g_parent = 0;  // the thread whose children end

// "/proc/self/task/<tid>/children" without the formatting functions a signal handler must not
// call.
void ChildrenListPath(pid_t thread, char (&path)[48]) {
    static constexpr char kPrefix[] = "/proc/self/task/";
    char digits[16];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + thread % 10);
        thread /= 10;
    } while (thread > 0);
    char* out = path;
    for (const char* p = kPrefix; *p != '\0'; ++p) {
        *out++ = *p;
    }
    while (count > 0) {
        *out++ = digits[--count];
    }
    for (const char* p = "/children"; *p != '\0'; ++p) {
        *out++ = *p;
    }
    *out = '\0';
}

// Async-signal-safe: open, read, kill, close and sigaction only.
void EndChildrenThenRaise(int signal) {
    const int savedErrno = errno;
    char path[48];
    ChildrenListPath(g_parent, path);
    // In a forked child (which inherits this handler) the path names no thread: nothing to end.
    const int list = open(path, O_RDONLY | O_CLOEXEC);
    if (list >= 0) {
        char chunk[256];
        pid_t pid = 0;
        ssize_t got = 0;
        while ((got = read(list, chunk, sizeof chunk)) > 0) {
            for (ssize_t i = 0; i < got; ++i) {
                if (chunk[i] >= '0' && chunk[i] <= '9') {
                    pid = pid * 10 + (chunk[i] - '0');
                } else if (pid > 0) {
                    kill(pid, SIGTERM);
                    pid = 0;
                }
            }
        }
        if (pid > 0) {
            kill(pid, SIGTERM);
        }
        close(list);
    }
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        if (kEndingSignals[i] == signal) {
            sigaction(signal, &g_before[i], nullptr);
        }
    }
    // Blocked until this handler returns, then taken as it was before.
    (void)raise(signal);
    errno = savedErrno;
}

}  // namespace

ChildrenEndWithSignals::ChildrenEndWithSignals() {
    g_parent = gettid();
    struct sigaction action {};
    action.sa_handler = EndChildrenThenRaise;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        g_installed[i] = false;
        if (sigaction(kEndingSignals[i], nullptr, &g_before[i]) == 0 &&
            g_before[i].sa_handler != SIG_IGN) {
            g_installed[i] = sigaction(kEndingSignals[i], &action, nullptr) == 0;
        }
    }
}

ChildrenEndWithSignals::~ChildrenEndWithSignals() {
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        if (g_installed[i]) {
            sigaction(kEndingSignals[i], &g_before[i], nullptr);
        }
    }
}

bool SpawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return false;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);

    // The grandchild reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        // The middle process exits at once, so the program is adopted by init and reaped there.
        setsid();
        if (fork() == 0) {
            execvp(args[0], args.data());
            const int error = errno;
            (void)!write(report[1], &error, sizeof error);
        }
        _exit(0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    return got == 0;
}

}  // namespace backend
