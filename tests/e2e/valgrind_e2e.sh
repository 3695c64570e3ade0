#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The demo menu's whole scenario with the launcher under valgrind's memcheck in a real X
# server: start (the introduction movie included), hover, bubble, a command, the Exit button.
# Any memory error or definitely lost block fails it (third-party leaks in valgrind.supp).
set -euo pipefail
launcher=$(realpath "$1")
demo=$(realpath "$2")
supp=$(realpath "$(dirname "$0")/valgrind.supp")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1024x768
cp -r "$demo/shellmedia" .
printf '#!/bin/sh\necho hello > hello.txt\n' > shellmedia/hello.sh

X=192 Y=144
xdotool mousemove 1000 700
valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
  --show-leak-kinds=definite --suppressions="$supp" --child-silent-after-fork=yes \
  --log-file=valgrind.txt "$launcher" 2>stderr.txt &
pid=$!
# Under valgrind everything is some 30 times slower: every wait is long, and for a condition.
slowly() { for _ in $(seq 240); do "$@" && return 0; sleep 0.5; done; return 1; }
# Whether the screen shows a picture of the demo at the place of its button (x, y): one pixel,
# 20 pixels in, compared.
shows() {  # picture x y
  local want
  want=$(convert "shellmedia/$1" -format '%[fx:int(255*p{20,20}.r)],%[fx:int(255*p{20,20}.g)],%[fx:int(255*p{20,20}.b)]' info:)
  [[ "$(pixel $((X + $2 + 20)) $((Y + $3 + 20)))" == "$want" ]]
}
# The menu is there once the introduction (2.4 s of movie) has played out.
slowly shows readme_lo.bmp 40 136 || { echo "FAIL: the menu never showed"; cat valgrind.txt stderr.txt; exit 1; }
xdotool mousemove $((X + 120)) $((Y + 212))  # Browse: hovered, then its bubble
slowly shows browse_hi.bmp 40 192 || { echo "FAIL: Browse never hovered"; exit 1; }
slowly shows browse_tip.bmp 40 192 || { echo "FAIL: Browse's bubble never showed"; exit 1; }
xdotool mousemove $((X + 120)) $((Y + 268)) click 1  # Say hello
slowly test -s hello.txt || { echo "FAIL: the command never ran"; exit 1; }
xdotool mousemove $((X + 120)) $((Y + 380)) click 1  # Exit
code=0
slowly sh -c "! kill -0 $pid 2>/dev/null" || true
wait "$pid" || code=$?
grep -E "ERROR SUMMARY|definitely lost" valgrind.txt || true
[[ $code == 0 ]] || { echo "FAIL: exit code $code"; cat valgrind.txt; exit 1; }
echo "valgrind end to end: passed"
