#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Movies in a real X server: the introduction plays in the picture window at its own pace with
# the pointer hidden, ends, and the menu works; a click ends it early; a shutdown button's
# closing movie plays, then its command runs and the launcher ends with 0. The filter-graph
# module is loaded only by a menu that plays a movie.
set -euo pipefail
launcher=$(realpath "$1")
probe=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1024x768

m=shellmedia
mkdir -p "$m"
bmp "$m/back.bmp" '#203040' 640x480
bmp "$m/lo.bmp" '#c00000'
bmp "$m/hi.bmp" '#00c000'
convert -size 32x32 xc:red "CUR:$m/arrow.cur"
printf '#!/bin/sh\npwd > marker.txt\n' > marker.sh
chmod +x marker.sh

# Half a second each of red, green, blue and white, 160 x 120: stretched over the whole window.
segment() { echo "videotestsrc pattern=$1 num-buffers=8 ! video/x-raw,width=160,height=120,framerate=16/1 ! c."; }
# shellcheck disable=SC2046
gst-launch-1.0 -q concat name=c ! videoconvert ! jpegenc ! avimux ! filesink location="$m/intro.avi" \
  $(segment red) $(segment green) $(segment blue) $(segment white)
cp "$m/intro.avi" "$m/bye.avi"

menu() {  # play_movie
  describe "$m/menu.shl" app_name '"Movie Menu"' app_icon null app_cursor_lo arrow.cur \
    app_cursor_hi arrow.cur app_fullscreen false app_drawrects false bg_image back.bmp \
    num_movies 2 intro intro.avi closing bye.avi play_movie "$1" num_buttons 2 \
    button1 marker.btn button2 exit.btn
}
button() {  # file y command shutdown
  describe "$m/$1" image_lo lo.bmp image_hi hi.bmp image_bubble hi.bmp pos_x 100 pos_y "$2" \
    rect_l 100 rect_t "$2" rect_r 200 rect_b $(($2 + 20)) sound_hoover null sound_click null \
    execute_cmd "$3" shutdown "$4"
}
button marker.btn 100 marker.sh true
button exit.btn 200 exit false

X=192 Y=144  # the client area of the centred 640 x 480 window
now_ms() { date +%s%3N; }
# The colour of pixel (x, y): red, green, blue or white as a decoded movie shows them (not
# quite pure), else R,G,B.
colour() {
  local r g b
  IFS=, read -r r g b <<<"$(pixel "$1" "$2")"
  if ((r > 200 && g < 60 && b < 60)); then echo red
  elif ((r < 60 && g > 200 && b < 60)); then echo green
  elif ((r < 60 && g < 60 && b > 200)); then echo blue
  elif ((r > 200 && g > 200 && b > 200)); then echo white
  else echo "$r,$g,$b"; fi
}
# Waits for pixel (x, y) to show a colour and prints the time it was seen.
seen_at() {  # x y colour what
  for _ in $(seq 100); do
    [[ "$(colour "$1" "$2")" == "$3" ]] && { now_ms; return 0; }
    sleep 0.02
  done
  echo "FAIL: $4: pixel ($1,$2) is $(colour "$1" "$2"), expected $3" >&2
  return 1
}
start() {
  xdotool mousemove 900 700
  launch "Movie Menu" "$launcher"
}
module_loaded() { grep -q menushell_dshow "/proc/$pid/maps"; }

# A menu without movies never loads the module.
menu false
start
seen_at $((X + 150)) $((Y + 110)) 192,0,0 "menu without movies" >/dev/null
if module_loaded; then echo "FAIL: module loaded without a movie"; exit 1; fi
xdotool key Escape
ends_with 0 "Escape"

# The introduction: moving pictures over the whole picture window, in time, pointer hidden.
menu true
started=$(now_ms)
start
red=$(seen_at $((X + 320)) $((Y + 240)) red "red part")
xdotool mousemove $((X + 600)) $((Y + 400))  # over the movie: ignored, and no pointer
expect_cursor hidden "pointer during the movie"
green=$(seen_at $((X + 5)) $((Y + 5)) green "green part, top-left corner")
blue=$(seen_at $((X + 635)) $((Y + 475)) blue "blue part, bottom-right corner")
menu_seen=$(seen_at $((X + 150)) $((Y + 110)) 192,0,0 "menu after the movie")
module_loaded || { echo "FAIL: module not loaded for the movie"; exit 1; }
echo "intro: from the start red seen at $((red - started)) ms, green $((green - started)), blue $((blue - started)), the menu $((menu_seen - started))"
# Four colours in turn over 2 s: the menu comes no sooner, and not long after.
(( menu_seen - started >= 1900 )) || { echo "FAIL: movie too fast"; exit 1; }
(( menu_seen - started <= 6000 )) || { echo "FAIL: movie too slow"; exit 1; }
is_cursor "32x32 hot 16,16 ffff0000" || { echo "FAIL: pointer after the movie: $("$probe" cursor)"; exit 1; }
xdotool mousemove $((X + 150)) $((Y + 110))
seen_at $((X + 150)) $((Y + 110)) 0,192,0 "hovered after the movie" >/dev/null
xdotool key Escape
ends_with 0 "Escape after the introduction"

# A click ends the introduction at once: the menu shows in its red part.
start
seen_at $((X + 320)) $((Y + 240)) red "red part" >/dev/null
xdotool click 1
seen_at $((X + 150)) $((Y + 110)) 192,0,0 "menu after the click" >/dev/null
# The closing movie of the shutdown button, then its command and the end.
xdotool mousemove $((X + 150)) $((Y + 110)) click 1
seen_at $((X + 320)) $((Y + 240)) green "closing movie" >/dev/null
[[ ! -e marker.txt ]] || { echo "FAIL: the command ran before the closing movie ended"; exit 1; }
ends_with 0 "closing movie"
[[ "$(cat marker.txt)" == "$work" ]] || { echo "FAIL: command after the closing movie"; exit 1; }
# The X server goes away under a running menu: it ends with 1 instead of hanging.
menu false
start
seen_at $((X + 150)) $((Y + 110)) 192,0,0 "menu before the X server goes" >/dev/null
stop_x
ends_with 1 "X server gone"
echo "movies end to end: passed"
