#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The sample program in a real X server: the picture changes under the pointer, gains its frame
# after 500 ms, plays its sound, runs its command on a click, and Escape ends it with 0.
set -euo pipefail
sample=$(realpath "$1")
source "$(dirname "$0")/xvfb.sh"
start_sandbox 800x600
printf '#!/bin/sh\npwd > marker.txt\n' > sample_command
chmod +x sample_command
sox -n -r 22050 -c 1 -b 16 sample.wav synth 0.3 sine 440

xdotool mousemove 5 5
launch "menushell sample" env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$sample"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y: the client area's corner
cx=$((X + 160)) cy=$((Y + 120))

expect_pixel "$cx" "$cy" 40,80,200 "normal picture"
expect_pixel "$((X + 60))" "$((Y + 70))" 40,80,200 "no frame yet"
xdotool mousemove "$cx" "$cy"
expect_pixel "$cx" "$cy" 250,150,30 "hovered picture"
expect_pixel "$((X + 60))" "$((Y + 70))" 255,255,255 "frame after 500 ms"
expect_file audio.raw "sound"

xdotool click 1
expect_file marker.txt "command"
[[ "$(cat marker.txt)" == "$work" ]] || { echo "FAIL: command ran in $(cat marker.txt)"; exit 1; }

xdotool key Escape
ends_with 0 "Escape"
echo "sample end to end: passed"
