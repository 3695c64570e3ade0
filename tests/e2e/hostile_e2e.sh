#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a desktop does under the launcher, and a name a menu author can ship by accident:
# - the X server killed while a movie plays, ten times at different moments: the launcher ends
#   with 1 and one line, and (in the sanitizer build) no memory error from a thread that
#   outlived what it writes into;
# - SIGTERM or SIGHUP while the SDL backend shows a message box: no process of the launcher
#   stays behind, and the box goes with it;
# - a box dismissed without a window manager leaves the keyboard to the menu;
# - a document whose name starts with '-' opens, as a name and not as an option.
set -euo pipefail
launcher=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1024x768

m=shellmedia
mkdir -p "$m"
bmp "$m/back.bmp" '#203040' 640x480
bmp "$m/lo.bmp" '#c00000'
bmp "$m/hi.bmp" '#00c000'
convert -size 32x32 xc:red "CUR:$m/arrow.cur"
gst-launch-1.0 -q videotestsrc pattern=red num-buffers=80 \
  ! video/x-raw,width=160,height=120,framerate=16/1 ! jpegenc ! avimux \
  ! filesink location="$m/intro.avi"
printf 'read me\n' > ./-doc.txt
mkdir bin
printf '#!/bin/sh\necho "opened $1" > opened.tmp\nmv opened.tmp opened.txt\n' > bin/xdg-open
chmod +x bin/xdg-open

menu() {  # play_movie second-button-file
  describe "$m/menu.shl" app_name '"Hostile Menu"' app_icon null app_cursor_lo arrow.cur \
    app_cursor_hi arrow.cur app_fullscreen false app_drawrects false bg_image back.bmp \
    num_movies 1 intro intro.avi play_movie "$1" num_buttons 2 button1 doc.btn button2 "$2"
}
describe "$m/doc.btn" image_lo lo.bmp image_hi hi.bmp image_bubble hi.bmp pos_x 100 pos_y 100 \
  rect_l 100 rect_t 100 rect_r 200 rect_b 120 sound_hoover null sound_click null \
  execute_cmd -doc.txt shutdown false
cp "$m/doc.btn" "$m/exit.btn"
X=192 Y=144  # the client area of the centred 640 x 480 window

reported() { grep -E "AddressSanitizer|LeakSanitizer|runtime error" stderr.txt; }
is_red() {
  local r g b
  IFS=, read -r r g b <<<"$(pixel "$1" "$2")"
  ((r > 200 && g < 60 && b < 60))
}

# The X server killed while the movie plays, at a different moment each time.
menu true exit.btn
for round in $(seq 10); do
  xdotool mousemove 900 700
  launch "Hostile Menu" "$launcher"
  retry is_red $((X + 320)) $((Y + 240)) || { echo "FAIL: round $round: no movie"; exit 1; }
  sleep "0.0$round"
  kill -KILL "$XVFB_PID"
  ends_with 1 "X server killed during the movie (round $round)"
  if reported; then echo "FAIL: round $round: memory error"; cat stderr.txt; exit 1; fi
  grep -q "lost the connection to the X server" stderr.txt ||
    { echo "FAIL: round $round: no word"; cat stderr.txt; exit 1; }
  start_x 1024x768
done

# A message box from the SDL backend (a button file that is missing), then a signal.
menu false missing.btn
for signal in TERM HUP; do
  MENUSHELL_BACKEND=sdl "$launcher" 2>stderr.txt &
  pid=$!
  box=""
  has_box() { box=$(pgrep -P "$pid"); [[ -n "$box" ]]; }
  retry has_box || { echo "FAIL: SIG$signal: no message box process"; cat stderr.txt; exit 1; }
  kill "-$signal" "$pid"
  code=0
  wait "$pid" || code=$?
  ((code == 128 + $(kill -l "$signal"))) || { echo "FAIL: SIG$signal: exit code $code"; exit 1; }
  gone() { ! kill -0 "$box" 2>/dev/null; }
  retry gone || { echo "FAIL: SIG$signal: the box's process $box outlived the launcher"; exit 1; }
done

# A box while the menu is up (a closing movie that cannot be played), dismissed without a
# window manager: the keyboard is the menu's again, so Escape reaches it wherever the pointer is.
describe "$m/menu.shl" app_name '"Hostile Menu"' app_icon null app_cursor_lo arrow.cur \
  app_cursor_hi arrow.cur app_fullscreen false app_drawrects false bg_image back.bmp \
  num_movies 2 intro intro.avi closing missing.avi play_movie true num_buttons 1 \
  button1 bye.btn
describe "$m/bye.btn" image_lo lo.bmp image_hi hi.bmp image_bubble hi.bmp pos_x 100 pos_y 100 \
  rect_l 100 rect_t 100 rect_r 200 rect_b 120 sound_hoover null sound_click null \
  execute_cmd nothing.sh shutdown true
xdotool mousemove 900 700
launch "Hostile Menu" "$launcher"
retry is_red $((X + 320)) $((Y + 240)) || { echo "FAIL: no introduction"; exit 1; }
xdotool click 1  # ends the introduction
expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "the menu after the introduction"
xdotool mousemove $((X + 150)) $((Y + 110)) click 1
has_error_box() { xwininfo -root -tree | grep -q '"Error"'; }
retry has_error_box || { echo "FAIL: no box for the closing movie"; exit 1; }
box_gone() { ! has_error_box; }
press_until Return box_gone || { echo "FAIL: box stays"; exit 1; }
xdotool mousemove 900 700 key Escape
ends_with 0 "Escape after a box, the pointer away from the menu"

# The document named "-doc.txt" reaches the opener as "./-doc.txt".
menu false exit.btn
PATH="$PWD/bin:$PATH" launch "Hostile Menu" "$launcher"
xdotool mousemove $((X + 150)) $((Y + 110)) click 1
expect_file opened.txt "-doc.txt button"
[[ "$(cat opened.txt)" == "opened ./-doc.txt" ]] || { echo "FAIL: opener got: $(cat opened.txt)"; exit 1; }
xdotool key Escape
ends_with 0 "Escape"
echo "hostile end to end: passed"
