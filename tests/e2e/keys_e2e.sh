#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The keyboard in a real X server: Tab, Tab, Enter runs the second button's command once;
# Shift+Tab and the arrows move the focus back and on; Escape ends the menu.
set -euo pipefail
launcher=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"

start_sandbox 1024x768

m=shellmedia
mkdir -p "$m"
menu_pictures "$m"
convert -size 32x32 xc:red "ICO:$m/arrow.ico"
for name in first second; do
  printf '#!/bin/sh\necho run >> %s.txt\n' "$name" > "$name.sh"
  chmod +x "$name.sh"
done
describe "$m/menu.shl" app_name '"Keys Menu"' app_icon arrow.ico app_cursor_lo arrow.ico \
  app_cursor_hi arrow.ico app_fullscreen false app_drawrects false bg_image back.bmp \
  num_movies 0 play_movie false num_buttons 2 button1 first.btn button2 second.btn
button() {  # file, y, command
  describe "$m/$1" image_lo lo.bmp image_hi hi.bmp image_bubble bubble.bmp pos_x 300 \
    pos_y "$2" rect_l 300 rect_t "$2" rect_r 400 rect_b $(($2 + 20)) \
    sound_hoover null sound_click null execute_cmd "$3" shutdown false
}
button first.btn 100 first.sh
button second.btn 200 second.sh

# Keys go to the window under the pointer (no manager here): the pointer rests on the
# background, away from the buttons.
X=192 Y=144
xdotool mousemove $((X + 100)) $((Y + 400))
launch "Keys Menu" "$launcher"
expect_pixel $((X + 350)) $((Y + 110)) 192,0,0 "menu shown"

xdotool key Tab
expect_pixel $((X + 350)) $((Y + 110)) 0,192,0 "first button focused"
xdotool key Tab
expect_pixel $((X + 350)) $((Y + 210)) 0,192,0 "second button focused"
expect_pixel $((X + 350)) $((Y + 110)) 192,0,0 "first button left"
xdotool key Return
expect_file second.txt "second button's command"
let_it_happen
[[ $(wc -l < second.txt) -eq 1 && ! -e first.txt ]] ||
  { echo "FAIL: Tab, Tab, Enter ran $(cat ./*.txt | wc -l) commands"; exit 1; }

xdotool key shift+Tab
expect_pixel $((X + 350)) $((Y + 110)) 0,192,0 "Shift+Tab: first button"
xdotool key Down
expect_pixel $((X + 350)) $((Y + 210)) 0,192,0 "Down: second button"
xdotool key Up space
expect_file first.txt "Up, Space: first button's command"

xdotool key Escape
ends_with 0 "Escape"
echo "keys end to end: passed"
