// The project's own shared objects, loaded on first use so that what a menu needs only
// sometimes (movies, sound, SDL) costs nothing until then.
#pragma once

namespace backend {

// The entry `symbol` of `module`, from beside the program (the build tree, a copied folder) or
// where the package installs it (../lib/menushell/). The module stays loaded for the life of
// the process. Null when it is absent; one line on standard error when it is there but unusable.
void* LoadModuleEntry(const char* module, const char* symbol);

}  // namespace backend
