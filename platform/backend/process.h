// SPDX-License-Identifier: MIT
// Starting programs the way the shell does: detached, reaped, never through a shell.
#pragma once

#include <string>
#include <vector>

namespace backend {

// Runs argv[0] (searched on PATH only when it holds no slash) with `argv` as given, in the
// current directory, in a session of its own. Returns once it has started or failed to;
// never waits for the program.
bool SpawnDetached(const std::vector<std::string>& argv);

// While one lives, SIGTERM, SIGINT and SIGHUP first end (SIGTERM) the child processes of the
// thread that made it, then do what they did before: a helper process that a library forks
// (SDL shows its message boxes from one) does not outlive the program. Signals that were
// ignored stay ignored. One at a time.
class ChildrenEndWithSignals {
  public:
    ChildrenEndWithSignals();
    ~ChildrenEndWithSignals();
    ChildrenEndWithSignals(const ChildrenEndWithSignals&) = delete;
    ChildrenEndWithSignals& operator=(const ChildrenEndWithSignals&) = delete;
};

}  // namespace backend
