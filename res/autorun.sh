#!/bin/sh
# SPDX-License-Identifier: MIT
# Opens the menu of this medium on a Linux desktop, which offers to run this file when the medium
# is mounted. The launcher beside it reads shellmedia/ below the medium's root and runs the
# menu's commands from there, whatever folder this was started in.
cd "$(dirname "$0")" || exit 1
launcher=linux/menushell
if [ ! -f "$launcher" ]; then
  echo "autorun.sh: $launcher is missing from this medium" >&2
  exit 1
fi
case $(uname -m) in
  x86_64 | amd64) ;;
  *)
    echo "autorun.sh: the menu's launcher runs on x86-64 PCs, and this one is $(uname -m)" >&2
    exit 1
    ;;
esac
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "autorun.sh: no display to show the menu on (start it from a desktop session)" >&2
  exit 1
fi
if [ -x "$launcher" ]; then
  exec "./$launcher"
fi
# A stick formatted FAT, as desktops mount it, shows no run bits: the dynamic loader still
# starts the launcher.
exec /lib64/ld-linux-x86-64.so.2 "./$launcher"
