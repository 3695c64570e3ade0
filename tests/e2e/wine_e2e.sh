#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build under Wine beside the Linux build, on one generated menu in one private X
# server: title and placement, normal, hovered and bubble pictures, pictures with padded rows and
# buttons cut off by the menu's edges, both cursors, a command, "exit", full screen, a button that
# cannot load, and the introduction through DirectShow. Screenshots of the two builds must agree
# pixel for pixel; on failure they stay in the folder named on standard error.
set -euo pipefail
launcher=$(realpath "$1")
exe=$(realpath "$2")
probe=$(realpath "$3")
wine=${WINE:-/usr/lib/wine/wine64}
source "$(dirname "$0")/xvfb.sh"
start_sandbox 1024x768

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
wineserver=${wine%/*}/wineserver
# On failure the screenshots stay, with the whole screen as it was and the last standard error.
finish() {
  local status=$? kept
  if ((status != 0)); then
    kept=$(mktemp -d "${TMPDIR:-/tmp}/wine-e2e.XXXXXX")
    import -window root "$kept/at-failure.png" 2>/dev/null || true
    cp "$work"/*.png "$work/stderr.txt" "$kept/" 2>/dev/null || true
    echo "wine end to end: screenshots kept in $kept" >&2
  fi
  if [[ -n "${manager:-}" ]]; then kill "$manager" 2>/dev/null || true; fi
  "$wineserver" -k 2>/dev/null || true
  stop_x
  rm -rf "$work"
}
trap finish EXIT
"$wine" wineboot --init 2>/dev/null
"$wineserver" -w
# The video renderer draws through Direct3D, whose OpenGL child windows stay black on Xvfb.
"$wine" reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f >/dev/null 2>&1

m=shellmedia
mkdir -p "$m/pics"
bmp "$m/pics/lo.bmp" '#c00000'
bmp "$m/pics/hi.bmp" '#00c000'
bmp "$m/pics/bubble.bmp" '#0000c0'
convert -size 640x480 gradient:'#ff8000-#004080' -type truecolor "BMP3:$m/shaded.bmp"
convert -size 32x32 xc:red "ICO:$m/arrow.cur"  # an icon file: it points with its centre
cursor "$m/hand.cur" blue 3 4
printf '#!/bin/sh\npwd > marker.txt\n' > marker.sh
printf 'cd > marker.txt\r\n' > marker.bat
chmod +x marker.sh
# Pictures whose rows end in padding (101 and 33 pixels of three bytes), in a pattern that
# changes with every pixel both ways, so that a row read from the wrong place shows.
pattern() {  # file WxH
  convert -size "$2" xc: -channel R -fx 'i/w' -channel G -fx 'j/h' -channel B -fx '(i+j)%2' \
    +channel -type truecolor "BMP3:$1"
}
pattern "$m/pics/wide.bmp" 101x20
pattern "$m/pics/narrow.bmp" 33x20
gst-launch-1.0 -q videotestsrc pattern=red num-buffers=40 ! \
  video/x-raw,width=160,height=120,framerate=16/1 ! videoconvert ! jpegenc ! avimux ! \
  filesink location="$m/intro.avi"

menu() {  # fullscreen play_movie second-button
  describe "$m/menu.shl" app_name '"Wine Menu"' app_icon null app_cursor_lo arrow.cur \
    app_cursor_hi hand.cur app_fullscreen "$1" app_drawrects false bg_image shaded.bmp \
    num_movies 1 intro intro.avi play_movie "$2" num_buttons 6 button1 marker.btn button2 "$3" \
    button3 wide.btn button4 narrow.btn button5 right.btn button6 bottom.btn
}
button() {  # file y command
  describe "$m/$1" image_lo 'pics\lo.bmp' image_hi 'pics\hi.bmp' \
    image_bubble 'pics\bubble.bmp' pos_x 100 pos_y "$2" rect_l 100 rect_t "$2" rect_r 200 \
    rect_b $(($2 + 20)) sound_hoover null sound_click null execute_cmd "$3" shutdown false
}
button exit.btn 200 exit
still() {  # file picture WxH x y: a button that keeps one picture and opens nothing
  local w=${3%x*} h=${3#*x}
  describe "$m/$1" image_lo "pics\\$2" image_hi "pics\\$2" image_bubble "pics\\$2" pos_x "$4" \
    pos_y "$5" rect_l "$4" rect_t "$5" rect_r $(($4 + w)) rect_b $(($5 + h)) sound_hoover null \
    sound_click null execute_cmd null shutdown false
}
still wide.btn wide.bmp 101x20 20 300
still narrow.btn narrow.bmp 33x20 20 340
still right.btn wide.bmp 101x20 580 400  # 60 columns inside the menu
still bottom.btn narrow.bmp 33x20 400 470  # 10 rows inside the menu
printf 'image_hi = pics\\hi.bmp\r\n' > "$m/broken.btn"

start() {  # build
  if [[ $1 == linux ]]; then "$launcher"; else "$wine" "$exe"; fi
}
shot() {  # file [geometry]: the picture window, or the given part of the screen
  import -window root -crop "${2:-640x480+$X+$Y}" +repage "$1"
}
same_pictures() {  # a b what
  local differ
  differ=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  [[ "$differ" == 0 ]] || { echo "FAIL: $3: $differ pixels differ"; exit 1; }
}
shows() {  # shot x y picture part what: the shot holds that part of the picture at x, y
  convert "$1" -crop "${5%%+*}+$2+$3" +repage shown.png
  convert "$4" -crop "$5" +repage wanted.png
  same_pictures shown.png wanted.png "$6"
}

for build in linux windows; do
  marker=marker.sh
  [[ $build == windows ]] && marker=marker.bat
  button marker.btn 100 "$marker"
  menu false false exit.btn
  xdotool mousemove 5 5
  launch "Wine Menu" start "$build"
  [[ "$(xdotool getwindowname "$window")" == "Wine Menu" ]] || { echo "FAIL: $build: title"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # Without a window manager Wine keeps room above the client area for the caption a manager
  # would draw, and centres the whole; the Linux build centres what is on the screen.
  if [[ $build == linux ]]; then
    [[ "$X,$Y" == 192,144 ]] || { echo "FAIL: linux: placed at $X,$Y"; exit 1; }
  elif ((X != 192 || Y < 144 || Y > 164)); then
    echo "FAIL: windows: placed at $X,$Y"
    exit 1
  fi
  [[ "$WIDTH,$HEIGHT" == 640,480 ]] || { echo "FAIL: $build: size $WIDTH,$HEIGHT"; exit 1; }

  xdotool mousemove $((X + 300)) $((Y + 300))
  expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "$build: normal picture"
  expect_cursor "32x32 hot 16,16 ffff0000" "$build: normal cursor"
  shot "$build-normal.png"

  # The hovered picture lasts half a second: take it again if the bubble came first.
  for attempt in 1 2 3; do
    xdotool mousemove $((X + 150)) $((Y + 110))
    expect_pixel $((X + 150)) $((Y + 110)) 0,192,0 "$build: hovered picture"
    shot "$build-hovered.png"
    [[ "$(convert "$build-hovered.png" -format '%[pixel:p{150,110}]' info:)" == 'srgb(0,192,0)' ]] && break
    ((attempt < 3)) || { echo "FAIL: $build: hovered picture not caught"; exit 1; }
    xdotool mousemove $((X + 300)) $((Y + 300))
    expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "$build: normal again"
  done
  expect_cursor "32x32 hot 3,4 ff0000ff" "$build: hover cursor"
  expect_pixel $((X + 150)) $((Y + 110)) 0,0,192 "$build: bubble picture"
  shot "$build-bubble.png"

  rm -f marker.txt
  xdotool click 1
  expect_file marker.txt "$build: command"
  want=$work
  [[ $build == windows ]] && want="Z:${work//\//\\}"
  [[ "$(tr -d '\r' <marker.txt)" == "$want" ]] || { echo "FAIL: $build: command ran in $(cat marker.txt)"; exit 1; }
  xdotool mousemove $((X + 150)) $((Y + 210)) click 1
  ends_with 0 "$build: exit"
done

# Full screen, messages and movies under a window manager: without one, Wine leaves maximising
# to the manager that is not there, and nothing gives a message box the keyboard.
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
retry sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
retry sh -c 'xprop -root _NET_WORKAREA | grep -q "="'
is_red() {  # x y: the movie's red, as decoded
  local r g b
  IFS=, read -r r g b <<<"$(pixel "$1" "$2")"
  ((r > 200 && g < 60 && b < 60))
}
is_not_red() { ! is_red "$@"; }
client_origin() {  # X and Y of $window's client area (xdotool's are off under a manager)
  X=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
  Y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
}
for build in linux windows; do
  menu true false exit.btn
  xdotool mousemove 5 5
  launch "Wine Menu" start "$build"
  expect_pixel $((192 + 150)) $((144 + 110)) 192,0,0 "$build: full-screen menu centred"
  expect_pixel 1020 760 0,0,0 "$build: black to the corner"
  expect_pixel $((192 + 640)) $((144 + 410)) 0,0,0 "$build: black right of a cut-off button"
  expect_pixel $((192 + 410)) $((144 + 480)) 0,0,0 "$build: black below a cut-off button"
  shot "$build-full.png" 1024x768+0+0
  xdotool key Escape
  ends_with 0 "$build: Escape in full screen"

  # A button that cannot load: its message first, then an empty window that Escape closes.
  menu false false broken.btn
  start "$build" 2>stderr.txt &
  pid=$!
  # xdotool does not find the Linux build's message box by its name; the window tree lists it.
  retry sh -c 'xwininfo -root -tree | grep -q "\"menushell\": ("' ||
    { echo "FAIL: $build: no message for the broken button"; exit 1; }
  [[ -z "$(xdotool search --onlyvisible --name "^Wine Menu\$")" ]] ||
    { echo "FAIL: $build: the window showed before its message"; exit 1; }
  # Return until the menu's window shows (Return on the menu does nothing).
  menu_shown() { window=$(xdotool search --onlyvisible --name "^Wine Menu\$" | head -1); [[ -n $window ]]; }
  press_until Return menu_shown || { echo "FAIL: $build: the message box was never dismissed"; exit 1; }
  client_origin
  expect_pixel $((X + 150)) $((Y + 110)) 0,0,0 "$build: no menu after the broken button"
  xdotool key Escape
  ends_with 0 "$build: Escape after the broken button"

  # The introduction plays in the picture window, then the menu shows.
  menu false true exit.btn
  xdotool mousemove 5 5
  launch "Wine Menu" start "$build"
  client_origin
  retry is_red $((X + 320)) $((Y + 240)) || { echo "FAIL: $build: no movie: $(pixel $((X + 320)) $((Y + 240)))"; exit 1; }
  # The buttons come back with the first move after the movie.
  retry is_not_red $((X + 320)) $((Y + 240)) ||
    { echo "FAIL: $build: the movie never ended"; exit 1; }
  xdotool mousemove $((X + 300)) $((Y + 300))
  expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "$build: the menu after the movie"
  xwininfo -root -tree | grep -q '"Error": (' && { echo "FAIL: $build: movie message"; exit 1; }
  xdotool key Escape
  ends_with 0 "$build: Escape after the movie"
done

# Padded rows and cut-off buttons as their files have them, and the background beside them as
# its file has it (a row that ran past the right edge would come out left in the next one).
shows linux-normal.png 20 300 "$m/pics/wide.bmp" 101x20+0+0 "101 pixels wide"
shows linux-normal.png 20 340 "$m/pics/narrow.bmp" 33x20+0+0 "33 pixels wide"
shows linux-normal.png 580 400 "$m/pics/wide.bmp" 60x20+0+0 "cut off at the right"
shows linux-normal.png 400 470 "$m/pics/narrow.bmp" 33x10+0+0 "cut off at the bottom"
shows linux-normal.png 0 400 "$m/shaded.bmp" 41x21+0+400 "left of the cut-off rows"
same_pictures linux-normal.png windows-normal.png "normal, between the builds"
same_pictures linux-hovered.png windows-hovered.png "hovered, between the builds"
same_pictures linux-bubble.png windows-bubble.png "bubble, between the builds"
same_pictures linux-full.png windows-full.png "full screen, between the builds"
echo "wine end to end: passed"
