#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Malformed media through the real launcher in a real X server: for each case the exact message
# (or none), the exit status, and that the launcher neither crashes nor hangs. Message boxes are
# dismissed as a user would, with Return.
set -euo pipefail
launcher=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1024x768
# The commands this test starts on purpose never end by themselves: ended with the test.
trap '[[ -f "$work/children" ]] && xargs kill <"$work/children" 2>/dev/null; stop_x; rm -rf "$work"' EXIT

m=shellmedia
good_menu() {
  rm -rf "$m" ./*.sh ./*.txt
  mkdir -p "$m"
  bmp "$m/back.bmp" '#203040' 640x480
  bmp "$m/lo.bmp" '#c00000'
  bmp "$m/hi.bmp" '#00c000'
  cursor "$m/arrow.cur" red 0 0
  describe "$m/menu.shl" app_name '"Catalogue"' app_icon null app_cursor_lo arrow.cur \
    app_cursor_hi arrow.cur app_fullscreen false app_drawrects false bg_image back.bmp \
    num_movies 0 play_movie false num_buttons 2 button1 run.btn button2 exit.btn
  describe "$m/run.btn" image_lo lo.bmp image_hi hi.bmp image_bubble hi.bmp pos_x 100 \
    pos_y 100 rect_l 100 rect_t 100 rect_r 200 rect_b 120 sound_hoover null sound_click null \
    execute_cmd run.sh shutdown false
  describe "$m/exit.btn" image_lo lo.bmp image_hi hi.bmp image_bubble hi.bmp pos_x 100 \
    pos_y 200 rect_l 100 rect_t 200 rect_r 200 rect_b 220 sound_hoover null sound_click null \
    execute_cmd exit shutdown false
  printf '#!/bin/sh\necho run >> runs.txt\n' > run.sh
  chmod +x run.sh
}

# Runs the launcher until it ends, pressing Return on every message box, for at most 20 s;
# sets $code and $messages (its standard error).
outcome() {
  "$launcher" 2>stderr.txt &
  local pid=$! i box
  for i in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    # Without a window manager the keyboard goes where the pointer is: give the box the focus.
    box=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "menushell": (.*/\1/p' | head -1)
    if [[ -n "$box" ]] && xwininfo -id "$box" 2>/dev/null | grep -q IsViewable; then
      xdotool windowfocus "$box" 2>/dev/null && xdotool key Return
    fi
    if xdotool search --onlyvisible --name '^Catalogue$' >/dev/null 2>&1; then
      xdotool key Escape
    fi
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid"
    echo "FAIL: $case: still running after 20 s"
    exit 1
  fi
  code=0
  wait "$pid" || code=$?
  messages=$(cat stderr.txt)
}
expect() {  # code messages
  outcome
  ((code < 128)) || { echo "FAIL: $case: ended by signal $((code - 128))"; exit 1; }
  [[ "$code" == "$1" && "$messages" == "$2" ]] ||
    { printf 'FAIL: %s: exit %s, said:\n%s\nexpected exit %s, saying:\n%s\n' "$case" "$code" "$messages" "$1" "$2"; exit 1; }
}
no_shl=$'menushell: Error! Did not find .shl file. Exiting...\nmenushell: Error creating context'
unparsable=$'menushell: Error! Could not parse file. Exiting...\nmenushell: Error creating context'

case="the description is a FIFO"; good_menu; rm "$m/menu.shl"; mkfifo "$m/menu.shl"
expect 0 "$no_shl"
case="the description is a folder"; good_menu; rm "$m/menu.shl"; mkdir "$m/menu.shl"
expect 0 "$no_shl"
case="the description is a symlink loop"; good_menu; rm "$m/menu.shl"; ln -s menu.shl "$m/menu.shl"
expect 0 "$no_shl"
case="the description is /dev/zero"; good_menu; rm "$m/menu.shl"; ln -s /dev/zero "$m/menu.shl"
expect 0 "$no_shl"
case="the description is a sparse 2 GiB file"; good_menu; truncate -s 2G "$m/menu.shl"
expect 0 "$unparsable"
# The whole text is one line after its last line feed, which the reader ignores: no settings.
case="the description has CR-only line ends"; good_menu; tr '\n' '\r' <"$m/menu.shl" >x && mv x "$m/menu.shl"
expect 0 "menushell: Error creating context"
case="the description holds NUL bytes"; good_menu
printf 'app_name = "Catalogue"\0"junk\r\n' | cat - "$m/menu.shl" | sed '2d' >x && mv x "$m/menu.shl"
expect 0 ""
case="a description of 64 MiB of blank lines"; good_menu; head -c 64M /dev/zero | tr '\0' '\n' >"$m/menu.shl"
expect 0 "menushell: Error creating context"
case="a count far beyond its list"; good_menu; sed -i 's/^num_buttons = 2/num_buttons = 4294967295/' "$m/menu.shl"
expect 0 "menushell: Error creating context"
case="a movie count that swallows the rest"; good_menu; sed -i 's/^num_movies = 0/num_movies = 2147483647/' "$m/menu.shl"
expect 0 "menushell: Error creating context"

no_background=$'menushell: Error loading background shellmedia\\back.bmp! exiting...'
for kind in fifo folder loop zero sparse; do
  case="the background is a $kind"; good_menu; rm "$m/back.bmp"
  case $kind in
    fifo) mkfifo "$m/back.bmp" ;;
    folder) mkdir "$m/back.bmp" ;;
    loop) ln -s back.bmp "$m/back.bmp" ;;
    zero) ln -s /dev/zero "$m/back.bmp" ;;
    sparse) truncate -s 2G "$m/back.bmp" ;;
  esac
  expect 0 "$no_background"
done
case="a button file that is a FIFO"; good_menu; rm "$m/run.btn"; mkfifo "$m/run.btn"
expect 0 "menushell: Error loading button!"
case="a cursor that is /dev/zero"; good_menu; rm "$m/arrow.cur"; ln -s /dev/zero "$m/arrow.cur"
expect 0 $'menushell: Failed cursor 1\nmenushell: Failed cursor 2'

# The menu running: a sparse 2 GiB hover sound plays nothing, commands that never end or flood
# their output leave it working, and twenty clicks in a second run the command once per
# double-click pair, as on Windows.
X=192 Y=144
case="the menu running"; good_menu
truncate -s 2G "$m/over.wav"
sed -i 's/^sound_hoover = null/sound_hoover = over.wav/' "$m/run.btn"
# Standard output, which the commands inherit, goes nowhere: the flood must not reach the log.
launch Catalogue sh -c "exec '$launcher' >/dev/null"
xdotool mousemove $((X + 150)) $((Y + 110))
expect_pixel $((X + 150)) $((Y + 110)) 0,192,0 "hovered with a sparse 2 GiB sound"
printf '#!/bin/sh\necho run >> runs.txt\necho $$ >> "%s/children"\nexec sleep 1000\n' "$work" > run.sh
xdotool click 1
expect_file runs.txt "a command that never ends"
printf '#!/bin/sh\necho flood >> runs.txt\necho $$ >> "%s/children"\nexec yes\n' "$work" > run.sh
sleep 0.6  # a second click sooner would be the second half of a double-click
xdotool mousemove $((X + 300)) $((Y + 300)) mousemove $((X + 150)) $((Y + 110)) click 1
retry grep -q flood runs.txt || { echo "FAIL: a command that floods its output never ran"; exit 1; }
let_it_happen  # the flood running, which must not reach the log
printf '#!/bin/sh\necho run >> clicks.txt\n' > run.sh
xdotool click --repeat 20 --delay 50 1
# The ten runs waited for, then a moment for any more.
retry sh -c '[ "$(cat clicks.txt 2>/dev/null | wc -l)" -ge 10 ]'
let_it_happen
clicks=$(wc -l <clicks.txt)
[[ $clicks == 10 ]] || { echo "FAIL: twenty clicks in a second ran the command $clicks times"; exit 1; }
xdotool mousemove $((X + 150)) $((Y + 210)) click 1
ends_with 0 "exit after all that"
[[ ! -s stderr.txt ]] || { echo "FAIL: the running menu said: $(cat stderr.txt)"; exit 1; }
echo "catalogue end to end: passed"
