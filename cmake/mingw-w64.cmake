# SPDX-License-Identifier: MIT
# Cross-compiling the launcher for Windows with Debian's MinGW-w64, Win32 threads: the POSIX
# threads runtime imports GetTickCount64, which Windows XP lacks, and the launcher starts no
# thread of its own on Windows.
# -DMENUSHELL_WINDOWS_ARCH=x86_64 (the default) or i686 (32-bit Windows, what autorun discs carry).
set(MENUSHELL_WINDOWS_ARCH x86_64 CACHE STRING "x86_64 or i686")
set(prefix ${MENUSHELL_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MENUSHELL_WINDOWS_ARCH})
set(CMAKE_C_COMPILER ${prefix}-gcc-win32)
set(CMAKE_CXX_COMPILER ${prefix}-g++-win32)
set(CMAKE_RC_COMPILER ${prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
