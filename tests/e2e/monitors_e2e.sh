#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Two monitors side by side (RandR 1.5 monitors on one Xvfb screen), the right one primary: the
# menu opens centred on the primary monitor, as Windows centres on it, and full screen covers that
# monitor alone.
set -euo pipefail
launcher=$(realpath "$1")
demo=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 2048x768
xrandr --setmonitor left 1024/270x768/203+0+0 none >/dev/null
xrandr --setmonitor '*right' 1024/270x768/203+1024+0 none >/dev/null
cp -r "$demo/shellmedia" shellmedia

placed() {  # X,Y,WIDTH,HEIGHT: the demo's window is there
  got=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%s,%s,%s,%s", x, y, w, h }')
  [[ $got == "$1" ]]
}
geometry() {  # app_fullscreen expected: runs the demo until its window is where expected
  sed -i "s/^play_movie = .*/play_movie = false\r/; s/^app_fullscreen = .*/app_fullscreen = $1\r/" \
    shellmedia/menu.shl
  "$launcher" 2>stderr.txt &
  pid=$!
  window=$(timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" | head -1)
  local code=0
  retry placed "$2" || code=1
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  return $code
}

geometry false 1216,144,640,480 || { echo "FAIL: windowed at $got, expected centred on the primary monitor"; exit 1; }
geometry true 1024,0,1024,768 || { echo "FAIL: full screen at $got, expected the primary monitor"; exit 1; }
echo "monitors end to end: passed"
