#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The menu shown at a whole factor on a 1920 x 1080 screen: each picture pixel a square of the
# screen's (the unscaled frame enlarged), the pointer reaching the button it is over in the
# menu's own coordinates, the cursor grown with it; MENUSHELL_SCALE, "fit", the desktop's
# GDK_SCALE and Xft.dpi, a factor that does not fit, and a bad value. On either backend
# (MENUSHELL_BACKEND).
set -euo pipefail
launcher=$(realpath "$1")
probe=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1920x1080

m=shellmedia
mkdir -p "$m"
# Single-pixel detail everywhere: smoothing or a misplaced row would show.
convert -size 640x480 gradient:'#203040-#c08020' \( -size 640x480 pattern:gray50 \) \
  -compose multiply -composite -type truecolor "BMP3:$m/back.bmp"
bmp "$m/lo.bmp" '#c00000'
bmp "$m/hi.bmp" '#00c000'
bmp "$m/tip.bmp" '#0000c0'
cursor "$m/arrow.cur" red 0 0
cursor "$m/hand.cur" blue 3 4
printf '#!/bin/sh\npwd > marker.txt\n' > marker.sh
chmod +x marker.sh
menu() {  # app_fullscreen
  describe "$m/menu.shl" app_name '"Scale Menu"' app_icon null app_cursor_lo arrow.cur \
    app_cursor_hi hand.cur app_fullscreen "$1" app_drawrects false bg_image back.bmp \
    num_movies 0 play_movie false num_buttons 1 button1 marker.btn
}
describe "$m/marker.btn" image_lo lo.bmp image_hi hi.bmp image_bubble tip.bmp pos_x 100 \
  pos_y 100 rect_l 100 rect_t 100 rect_r 200 rect_b 120 sound_hoover null sound_click null \
  execute_cmd marker.sh shutdown false

start() {  # environment...: the menu's window, its client area at $X,$Y sized $WIDTH x $HEIGHT
  xdotool mousemove 5 5
  launch "Scale Menu" env "$@" "$launcher"
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; }
at() {  # environment... -- expected X,Y,WIDTH,HEIGHT: where the windowed menu opens
  local args=()
  while [[ $1 != -- ]]; do args+=("$1"); shift; done
  start "${args[@]}"
  stop
  [[ "$X,$Y,$WIDTH,$HEIGHT" == "$2" ]] || { echo "FAIL: ${args[*]}: at $X,$Y,$WIDTH,$HEIGHT, expected $2"; exit 1; }
}
# Waits for the picture at $1,$2 (the menu's corner on screen), then compares it with the
# unscaled one enlarged.
same_as_enlarged() {  # x y what
  expect_pixel $(($1 + 300)) $(($2 + 220)) 192,0,0 "$3: button's normal picture"
  import -window root -crop "1280x960+$1+$2" +repage shot.png
  local differ
  differ=$(compare -metric AE big.png shot.png null: 2>&1) || true
  [[ $differ == 0 ]] || { echo "FAIL: $3: $differ pixels differ from the unscaled menu enlarged"; exit 1; }
}
# The pointer over the button at its place in the enlarged picture: hovered, hand cursor at twice
# the size with its hot spot on the same pixel, and a click runs the command.
click_through() {  # x y what
  xdotool mousemove $(($1 + 300)) $(($2 + 220))
  expect_pixel $(($1 + 300)) $(($2 + 220)) 0,192,0 "$3: hovered picture"
  expect_cursor "64x64 hot 6,8 ff0000ff" "$3: hover cursor"
  rm -f marker.txt
  xdotool click 1
  expect_file marker.txt "$3: command"
}

# Unscaled, the reference picture.
menu false
start MENUSHELL_SCALE=1
[[ "$X,$Y,$WIDTH,$HEIGHT" == "640,300,640,480" ]] || { echo "FAIL: unscaled at $X,$Y,$WIDTH,$HEIGHT"; exit 1; }
expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "unscaled picture"
import -window root -crop "640x480+$X+$Y" +repage small.png
convert small.png -scale 200% big.png
stop

# Twice the size, centred on the screen as the unscaled window is.
start MENUSHELL_SCALE=2
[[ "$X,$Y,$WIDTH,$HEIGHT" == "320,60,1280,960" ]] || { echo "FAIL: scale 2 at $X,$Y,$WIDTH,$HEIGHT"; exit 1; }
same_as_enlarged "$X" "$Y" "scale 2"
click_through "$X" "$Y" "scale 2"
stop

# Full screen, the largest that fits: the 960 x 540 the menu sees, doubled, black around it.
menu true
start MENUSHELL_SCALE=fit
same_as_enlarged 320 60 "fit"
expect_pixel 5 5 0,0,0 "fit: black around"
expect_pixel 1915 1075 0,0,0 "fit: black to the corner"
click_through 320 60 "fit"
stop

# Three times does not fit 1080 rows: twice. A bad value: one line naming it, and scale 1.
menu false
at MENUSHELL_SCALE=3 -- 320,60,1280,960
at MENUSHELL_SCALE=1.5 -- 640,300,640,480
if [[ $(wc -l <stderr.txt) != 1 ]] || ! grep -q 'MENUSHELL_SCALE=1.5 ' stderr.txt; then
  echo "FAIL: bad value reported as:"; cat stderr.txt; exit 1
fi

# The desktop's setting: GDK_SCALE, else Xft.dpi (X resources, which SDL does not offer);
# MENUSHELL_SCALE over both.
at GDK_SCALE=2 -- 320,60,1280,960
if [[ ${MENUSHELL_BACKEND:-x11} == x11 ]]; then
  echo 'Xft.dpi: 192' | xrdb -merge
  at -- 320,60,1280,960
  at MENUSHELL_SCALE=1 -- 640,300,640,480
fi
echo "scale end to end: passed"
