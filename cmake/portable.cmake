# SPDX-License-Identifier: MIT
# The launcher for a medium (scripts/build-portable): built against an old glibc, it carries its
# own C++ runtime, so that it starts on Linux systems of another age than the one it was built
# on. Each file keeps its runtime to itself (--exclude-libs): the modules and the program never
# bind to each other's copy. The modules are looked up beside the launcher only.
add_link_options(-static-libstdc++ -static-libgcc
                 LINKER:--exclude-libs,libstdc++.a:libgcc.a:libgcc_eh.a LINKER:--as-needed)
# Only what is used of the runtime goes in: smaller files, and fewer pages mapped at start.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(LINKER:--gc-sections)
set(MENUSHELL_TESTS OFF)
set(MENUSHELL_BENCHMARKS OFF)
