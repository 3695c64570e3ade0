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
# Under valgrind everything is some 30 times slower: wait for the menu after the movie.
shown=no
for _ in $(seq 120); do
  timeout 1 xdotool search --onlyvisible --name "menushell demo" >/dev/null 2>&1 && { shown=yes; break; }
  sleep 1
done
[[ $shown == yes ]] || { echo "FAIL: the menu never showed"; cat valgrind.txt stderr.txt; exit 1; }
sleep 10  # the introduction (2.4 s of movie) plays out
xdotool mousemove $((X + 120)) $((Y + 212))  # Browse: hovered, then its bubble
sleep 3
xdotool mousemove $((X + 120)) $((Y + 268)) click 1  # Say hello
for _ in $(seq 60); do [[ -s hello.txt ]] && break; sleep 1; done
[[ -s hello.txt ]] || { echo "FAIL: the command never ran"; exit 1; }
sleep 1
xdotool mousemove $((X + 120)) $((Y + 380)) click 1  # Exit
code=0
for _ in $(seq 120); do kill -0 "$pid" 2>/dev/null || break; sleep 1; done
wait "$pid" || code=$?
grep -E "ERROR SUMMARY|definitely lost" valgrind.txt || true
[[ $code == 0 ]] || { echo "FAIL: exit code $code"; cat valgrind.txt; exit 1; }
echo "valgrind end to end: passed"
