#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Figures of a large menu against the demo, measured from outside in a private Xvfb (1024 x 768):
#   tools/figures/scale_figures.sh [ROUNDS] [LAUNCHER]
# A generated menu of 500 buttons (25 x 20 pictures of 24 x 22 over the 640 x 480 background):
# milliseconds from starting the launcher until its last button is on screen, min / median / max
# over ROUNDS (default 5); then, for it and for the demo menu (movies off), the launcher's CPU time
# per pointer move while the pointer sweeps the menu for 10 s, one move a millisecond.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=${1:-5}
launcher=$(realpath "${2:-$root/build/app/menushell}")
probe=$root/build/tools/figures/screen_probe
source "$root/tests/e2e/xvfb.sh"
start_sandbox 1024x768

stats() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f / %.1f / %.1f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
X=192 Y=144  # the centred window's client area

mkdir -p large/shellmedia demo
cp -r "$root/examples/demo/shellmedia" demo/
sed -i 's/^play_movie = .*/play_movie = false\r/' demo/shellmedia/menu.shl
cd large
m=shellmedia
bmp "$m/back.bmp" '#203040' 640x480
bmp "$m/lo.bmp" '#c00000' 24x22
bmp "$m/hi.bmp" '#00c000' 24x22
bmp "$m/tip.bmp" '#0000c0' 24x22
cursor "$m/arrow.cur" white 0 0
args=(app_name '"Large Menu"' app_icon null app_cursor_lo arrow.cur app_cursor_hi arrow.cur
  app_fullscreen false app_drawrects false bg_image back.bmp num_movies 0 play_movie false
  num_buttons 500)
for i in $(seq 0 499); do
  x=$((8 + 25 * (i % 25))) y=$((10 + 23 * (i / 25)))
  args+=("button$((i + 1))" "b$i.btn")
  describe "$m/b$i.btn" image_lo lo.bmp image_hi hi.bmp image_bubble tip.bmp pos_x "$x" \
    pos_y "$y" rect_l "$x" rect_t "$y" rect_r $((x + 24)) rect_b $((y + 22)) \
    sound_hoover null sound_click null execute_cmd exit shutdown false
done
describe "$m/menu.shl" "${args[@]}"

xdotool mousemove 1000 700
# The last button's picture, bottom right.
for _ in $(seq "$rounds"); do
  "$probe" first-frame $((X + 8 + 25 * 24 + 10)) $((Y + 10 + 23 * 19 + 10)) "$launcher" 2>/dev/null |
    awk '{ print $3 }'
  sleep 0.3
done | stats | xargs -0 printf "500 buttons, start to first frame: %s ms\n"

sweep() {  # folder title
  (cd "$1" && exec "$launcher" 2>/dev/null) &
  local pid=$!
  timeout 10 xdotool search --onlyvisible --sync --name "$2" >/dev/null
  sleep 0.5
  printf '%s: ' "$2"
  "$probe" sweep "$pid" $((X + 4)) $((Y + 4)) 632 472 10
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
cd ..
sweep large "Large Menu"
sweep demo "menushell demo"
