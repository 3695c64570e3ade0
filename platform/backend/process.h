// Starting programs the way the shell does: detached, reaped, never through a shell.
#pragma once

#include <string>
#include <vector>

namespace backend {

// Runs argv[0] (searched on PATH only when it holds no slash) with `argv` as given, in the
// current directory, in a session of its own. Returns once it has started or failed to;
// never waits for the program.
bool SpawnDetached(const std::vector<std::string>& argv);

}  // namespace backend
