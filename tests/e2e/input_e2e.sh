#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The pointer and the message boxes as a user meets them in a real X server: a double-click on a
# button runs its command once; leaving the window straight from a button keeps its picture; a
# corner button the pointer leaves past stays as it is; dragging out delivers nothing; a message
# box, dismissed while the machine is busy, never ends the launcher.
set -euo pipefail
launcher=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"

start_sandbox 1024x768

m=shellmedia
mkdir -p "$m"
menu_pictures "$m"
convert -size 32x32 xc:red "ICO:$m/arrow.ico"
printf '#!/bin/sh\necho click >> clicks.txt\n' > count.sh
chmod +x count.sh

menu() {  # play_movie [app_fullscreen]
  describe "$m/menu.shl" app_name '"Input Menu"' app_icon arrow.ico app_cursor_lo arrow.ico \
    app_cursor_hi arrow.ico app_fullscreen "${2:-false}" app_drawrects false bg_image back.bmp \
    num_movies 1 intro missing.avi play_movie "$1" num_buttons 2 button1 count.btn \
    button2 corner.btn
}
button() {  # file, x, y, command
  describe "$m/$1" image_lo lo.bmp image_hi hi.bmp image_bubble bubble.bmp pos_x "$2" \
    pos_y "$3" rect_l "$2" rect_t "$3" rect_r $(($2 + 100)) rect_b $(($3 + 20)) \
    sound_hoover null sound_click null execute_cmd "$4" shutdown false
}
button count.btn 300 100 count.sh
button corner.btn 0 0 count.sh    # in its top-left corner

X=192 Y=144
clicks() { [[ -e clicks.txt ]] && wc -l < clicks.txt || echo 0; }
start() {
  xdotool mousemove 900 700
  launch "Input Menu" "$launcher"
  expect_pixel $((X + 350)) $((Y + 110)) 192,0,0 "menu shown"
}

menu false
start
# A double-click runs the command once; two clicks 700 ms apart run it twice.
xdotool mousemove $((X + 350)) $((Y + 110))
xdotool click --repeat 2 --delay 80 1
# The runs expected, waited for; then a moment for any that should not come.
runs_reach() { retry sh -c "[ \$(cat clicks.txt 2>/dev/null | wc -l) -ge $1 ]"; let_it_happen; }
runs_reach 1
[[ $(clicks) -eq 1 ]] || { echo "FAIL: a double-click ran the command $(clicks) times"; exit 1; }
# (The pause is part of the input: two clicks 700 ms apart.)
xdotool click 1 sleep 0.7 click 1
runs_reach 3
[[ $(clicks) -eq 3 ]] || { echo "FAIL: two clicks 700 ms apart: $(clicks) runs in all, expected 3"; exit 1; }

# Leaving the window straight from a button in its bubble state keeps the bubble (SDL makes up
# a move to the edge of the window, off the button, on the way out).
xdotool mousemove $((X + 350)) $((Y + 110))
expect_pixel $((X + 350)) $((Y + 110)) 0,0,192 "bubble"
xdotool mousemove $((X + 350)) $((Y - 40))
let_it_happen
is_pixel $((X + 350)) $((Y + 110)) 0,0,192 || { echo "FAIL: the bubble went when the pointer left"; exit 1; }

# Back in, on the background; then out past the corner button, which never had the pointer.
xdotool mousemove $((X + 300)) $((Y + 300))
expect_pixel $((X + 350)) $((Y + 110)) 192,0,0 "normal again"
xdotool mousemove $((X - 40)) $((Y - 40))
let_it_happen
is_pixel $((X + 50)) $((Y + 10)) 192,0,0 || { echo "FAIL: the corner button reacted to a pointer that only passed it"; exit 1; }

# A drag out of the window: no moves come from outside, so the button keeps its hovered look.
xdotool mousemove $((X + 350)) $((Y + 110))
expect_pixel $((X + 350)) $((Y + 110)) 0,0,192 "bubble before the drag"
xdotool mousedown 1
xdotool mousemove $((X + 700)) $((Y + 110)) mousemove $((X + 720)) $((Y + 300))
let_it_happen
[[ "$(pixel $((X + 350)) $((Y + 110)))" == 0,0,192 ]] || { echo "FAIL: moves from outside reached the menu during a drag"; exit 1; }
xdotool mouseup 1
xdotool key Escape
ends_with 0 "Escape"

# Message boxes dismissed while both cores are busy: the launcher goes on every time.
busy_cores
menu true
box() { xwininfo -root -tree | grep -q '"Error"'; }
for round in 1 2 3 4 5; do
  xdotool mousemove 900 700
  "$launcher" 2>stderr.txt &
  pid=$!
  retry box || { echo "FAIL: round $round: no message box"; exit 1; }
  # (SDL keeps its box's window, unmapped, once the box is answered.)
  press_until Return sh -c '! xdotool search --onlyvisible --name "^Error$" >/dev/null' ||
    { echo "FAIL: round $round: the box stayed"; exit 1; }
  # What must not come: the launcher ending after its box.
  let_it_happen
  kill -0 "$pid" 2>/dev/null || { echo "FAIL: round $round: the box ended the launcher"; cat stderr.txt; exit 1; }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
stop_background

# Under a window manager that draws frames, the framed window is centred in the work area.
in_background openbox --sm-disable
# Managing once it names its check window (_NET_SUPPORTED comes earlier) and the work area.
retry sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'
retry sh -c 'xprop -root _NET_WORKAREA | grep -q "="'
menu false
xdotool mousemove 900 700
launch "Input Menu" "$launcher"
# Where the client area is and where it should be, read again until the manager has framed and
# placed the window.
centred() {
  # xwininfo, not xdotool: xdotool adds a framed window's offset in its frame twice.
  X=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
  Y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
  IFS=', ' read -r left right top bottom <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')"
  IFS=', ' read -r wx wy ww wh _ <<<"$(xprop -root _NET_WORKAREA | sed 's/.*= //')"
  [[ $left =~ ^[0-9]+$ && $wx =~ ^[0-9]+$ ]] || return 1
  want_x=$((wx + (ww - (640 + left + right)) / 2 + left))
  want_y=$((wy + (wh - (480 + top + bottom)) / 2 + top))
  [[ "$X,$Y" == "$want_x,$want_y" ]]
}
retry centred || { echo "FAIL: framed window's client area at $X,$Y, expected $want_x,$want_y (frame $left $right $top $bottom)"; exit 1; }
# No minimise or maximise box on the frame: the Motif hints ask for a title, a border, the
# window menu and the close box only (functions 0x24: move, close; decorations 0x1a), and the
# manager offers no maximising. (Openbox keeps its minimise box whatever the hints say; other
# managers take it away.)
# (SDL sets hints of its own.)
hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
[[ ${MENUSHELL_BACKEND:-} == sdl || $hints == *"= 0x3, 0x24, 0x1a, 0x0, 0x0" ]] ||
  { echo "FAIL: Motif hints: $hints"; exit 1; }
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
[[ $actions == *_NET_WM_ACTION_CLOSE* && $actions != *MAXIMIZE* ]] ||
  { echo "FAIL: the frame offers: $actions"; exit 1; }
# The program's icon, for the task bar and the minimised window.
xprop -id "$window" _NET_WM_ICON | grep -q "Icon (32 x 32)" ||
  { echo "FAIL: icon: $(xprop -id "$window" _NET_WM_ICON | cut -c1-80)"; exit 1; }
# Minimised and restored: the menu is painted again.
xdotool windowminimize --sync "$window"
# --sync waits for the window to be unmapped, not for the manager to say it is iconic.
retry sh -c "xprop -id $window WM_STATE | grep -q Iconic" || { echo "FAIL: not minimised"; exit 1; }
xdotool windowactivate --sync "$window"
expect_pixel $((X + 350)) $((Y + 110)) 192,0,0 "menu after restoring"
kill "$pid"
wait "$pid" 2>/dev/null || true

# Full screen under the manager: the whole display, no frame, the menu in its centre.
menu false true
launch "Input Menu" "$launcher"
# (The SDL backend covers the display with a borderless window instead.)
[[ ${MENUSHELL_BACKEND:-} == sdl ]] ||
  retry sh -c "xprop -id $window _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN" ||
  { echo "FAIL: full screen not asked of the manager"; exit 1; }
retry sh -c "xwininfo -id $window | grep -q 'Width: 1024'" || { echo "FAIL: full screen size"; exit 1; }
expect_pixel $((192 + 350)) $((144 + 110)) 192,0,0 "full-screen menu centred"
expect_pixel 5 5 0,0,0 "black to the corner"
# The manager's close (Alt+F4 in openbox) reaches the menu as its close box: it ends with 0.
xdotool key alt+F4
timeout 10 tail --pid="$pid" -f /dev/null || { echo "FAIL: the manager's close did not end it"; exit 1; }
wait "$pid" || { echo "FAIL: closed by the manager: exit code $?"; exit 1; }
echo "input end to end: passed"
