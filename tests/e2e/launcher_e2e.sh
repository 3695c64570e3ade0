#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The launcher in a real X server, on a menu authored on Windows (CR LF line ends, backslashes,
# file names in another case than the descriptions use): pictures, bubble, cursors, sound,
# commands, the title, "exit", full-screen mode, and no display at all.
set -euo pipefail
launcher=$(realpath "$1")
probe=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1024x768

m=ShellMedia
mkdir -p "$m/Pics" "$m/Sounds"
bmp "$m/Back.BMP" '#203040' 640x480
bmp "$m/Pics/Lo.bmp" '#c00000'
bmp "$m/Pics/HI.bmp" '#00c000'
bmp "$m/Pics/Bubble.bmp" '#0000c0'
sox -n -r 22050 -c 1 -b 16 "$m/Sounds/Over.WAV" synth 0.2 sine 440 vol 0.5
cursor "$m/Arrow.CUR" red 0 0
cursor "$m/Hand.cur" blue 3 4
printf '#!/bin/sh\npwd > marker.txt\n' > marker.sh
chmod +x marker.sh

menu() {  # app_fullscreen
  describe "$m/menu.shl" app_name '"E2E Menu"' app_icon none.ico app_cursor_lo arrow.cur \
    app_cursor_hi hand.cur app_fullscreen "$1" app_drawrects false bg_image back.bmp \
    num_movies 0 play_movie false num_buttons 2 button1 marker.btn button2 exit.btn
}
button() {  # file y command
  describe "$m/$1" image_lo 'pics\lo.bmp' image_hi 'pics\hi.bmp' image_bubble 'pics\bubble.bmp' \
    pos_x 100 pos_y "$2" rect_l 100 rect_t "$2" rect_r 200 rect_b $(($2 + 20)) \
    sound_hoover 'sounds\over.wav' sound_click null execute_cmd "$3" shutdown false
}
button Marker.BTN 100 marker.sh
button EXIT.btn 200 exit

# Windowed: 640 x 480 centred, so the client area starts at (192, 144).
menu false
xdotool mousemove 5 5
launch "E2E Menu" env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$launcher"
[[ "$(xdotool getwindowname "$window")" == "E2E Menu" ]] || { echo "FAIL: title"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X,$Y,$WIDTH,$HEIGHT" == "192,144,640,480" ]] || { echo "FAIL: placed at $X,$Y,$WIDTH,$HEIGHT"; exit 1; }
expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "normal picture"
expect_pixel $((X + 300)) $((Y + 300)) 32,48,64 "background"
xdotool mousemove $((X + 300)) $((Y + 300))
expect_cursor "32x32 hot 0,0 ffff0000" "normal cursor"

xdotool mousemove $((X + 150)) $((Y + 110))
expect_pixel $((X + 150)) $((Y + 110)) 0,192,0 "hovered picture"
expect_cursor "32x32 hot 3,4 ff0000ff" "hover cursor"
expect_pixel $((X + 150)) $((Y + 110)) 0,0,192 "bubble picture"

# The disk audio driver records in the device's format, opened in the first sound's own.
sox "$m/Sounds/Over.WAV" -t raw over.raw
retry "$probe" contains audio.raw over.raw || { echo "FAIL: hover sound not heard"; exit 1; }
# Played out, the device closes (an idle menu wakes for nothing); the next sound opens it again,
# and the disk driver writes a new file.
retry sh -c "! ls -l /proc/$pid/fd | grep -q audio.raw" || { echo "FAIL: the audio device stayed open"; exit 1; }
rm audio.raw
xdotool mousemove $((X + 300)) $((Y + 300)) sleep 0.2 mousemove $((X + 150)) $((Y + 110))
retry "$probe" contains audio.raw over.raw || { echo "FAIL: second hover sound not heard"; exit 1; }

xdotool click 1
expect_file marker.txt "command"
[[ "$(cat marker.txt)" == "$work" ]] || { echo "FAIL: command ran in $(cat marker.txt)"; exit 1; }

xdotool mousemove $((X + 150)) $((Y + 210)) click 1
ends_with 0 "exit"

# Full screen: the whole screen black, the menu in its centre.
menu true
xdotool mousemove 5 5
launch "E2E Menu" "$launcher"
expect_pixel $((192 + 150)) $((144 + 110)) 192,0,0 "full-screen menu centred"
expect_pixel 5 5 0,0,0 "black around it"
expect_pixel 1020 760 0,0,0 "black to the corner"
# A hover sound through the machine's own sound output, which may be none: standard error holds
# the launcher's own lines only (no audio library's), here none at all.
xdotool mousemove $((192 + 150)) $((144 + 110))
expect_pixel $((192 + 150)) $((144 + 110)) 0,0,192 "bubble in full screen"
xdotool key Escape
ends_with 0 "Escape"
[[ ! -s stderr.txt ]] || { echo "FAIL: standard error holds:"; cat stderr.txt; exit 1; }

# No display: a message and 1, not a menu running where no one sees it.
code=0
timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY "$launcher" 2>stderr.txt || code=$?
grep -q "cannot open a window: no X or Wayland display" stderr.txt && ((code == 1)) ||
  { echo "FAIL: no display: exit code $code"; cat stderr.txt; exit 1; }
code=0
timeout 10 env MENUSHELL_BACKEND=gdi "$launcher" 2>stderr.txt || code=$?
grep -q 'cannot open a window: MENUSHELL_BACKEND is "gdi", not x11 or sdl' stderr.txt &&
  ((code == 1)) || { echo "FAIL: unknown backend: exit code $code"; cat stderr.txt; exit 1; }
echo "launcher end to end: passed"
