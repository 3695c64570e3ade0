#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# CPU and memory of the launcher while it plays a 10 s, 640 x 480, 30 frames-a-second
# introduction, MJPEG and MPEG-4 in AVI, in a private Xvfb:
#   tools/figures/movie_figures.sh [LAUNCHER]      (default build/app/menushell)
# CPU is the whole process's share of one core over 8 s of playing (/proc/PID/stat); PSS is
# taken 2 s and 9 s into the movie.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
launcher=$(realpath "${1:-$root/build/app/menushell}")
source "$root/tests/e2e/xvfb.sh"
start_sandbox 1024x768  # a scratch folder with a private X server
cp -r "$root/examples/demo/shellmedia" shellmedia
xdotool mousemove 1000 700

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
pss() { awk '/^Pss:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/smaps_rollup"; }
for codec in "jpegenc" "avenc_mpeg4 bitrate=2000000"; do
  gst-launch-1.0 -q videotestsrc num-buffers=300 pattern=ball \
    ! video/x-raw,width=640,height=480,framerate=30/1 ! $codec ! avimux \
    ! filesink location=shellmedia/intro.avi
  "$launcher" 2>/dev/null &
  pid=$!
  timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" >/dev/null
  sleep 1
  before=$(ticks "$pid")
  sleep 1
  early=$(pss "$pid")
  sleep 7
  after=$(ticks "$pid")
  late=$(pss "$pid")
  hz=$(getconf CLK_TCK)
  echo "${codec%% *}: CPU $(awk "BEGIN { printf \"%.1f\", 100 * ($after - $before) / $hz / 8 }") % of one core; PSS $early MiB at 2 s, $late MiB at 9 s"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
