#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Peak memory of the launcher while it plays a short MJPEG introduction of 640 x 480,
# 4000 x 3000 and 8192 x 8192 in a private Xvfb:
#   tools/figures/movie_memory.sh [LAUNCHER]      (default build/app/menushell)
# The peak is the process's VmHWM (/proc/PID/status), read once the movie has ended, just before
# the launcher is ended.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
launcher=$(realpath "${1:-$root/build/app/menushell}")
source "$root/tests/e2e/xvfb.sh"
start_sandbox 1024x768  # a scratch folder with a private X server
cp -r "$root/examples/demo/shellmedia" shellmedia
xdotool mousemove 1000 700

# Decoding a large frame takes long: the movie has ended well within this time.
settle=8
peak() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
put32() {  # file offset value: a little-endian 32-bit value
  printf '%b' "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($3 & 255)) $(($3 >> 8 & 255)) \
    $(($3 >> 16 & 255)) $(($3 >> 24 & 255)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
at() { grep -obUa "$2" "$1" | head -1 | cut -d: -f1; }  # file chunk: the chunk's offset
# avimux takes no frame over 4096 x 4096: a larger movie is muxed as 4096 x 4096 and its headers
# (the main header's and the stream format's sizes) set to what its JPEG frames hold.
movie() {  # width height
  local claimed_w=$(($1 > 4096 ? 4096 : $1)) claimed_h=$(($2 > 4096 ? 4096 : $2))
  gst-launch-1.0 -q videotestsrc num-buffers=3 \
    ! "video/x-raw,width=$1,height=$2,framerate=5/1" ! jpegenc \
    ! capssetter caps="image/jpeg,width=$claimed_w,height=$claimed_h" ! avimux \
    ! filesink location=shellmedia/intro.avi
  local avih strf
  avih=$(at shellmedia/intro.avi avih)
  strf=$(at shellmedia/intro.avi strf)
  put32 shellmedia/intro.avi $((avih + 40)) "$1"
  put32 shellmedia/intro.avi $((avih + 44)) "$2"
  put32 shellmedia/intro.avi $((strf + 12)) "$1"
  put32 shellmedia/intro.avi $((strf + 16)) "$2"
  put32 shellmedia/intro.avi $((strf + 28)) $(($1 * $2 * 3))
}
for size in 640x480 4000x3000 8192x8192; do
  movie "${size%x*}" "${size#*x}"
  bytes=$(stat -c %s shellmedia/intro.avi)
  "$launcher" 2>/dev/null &
  pid=$!
  timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" >/dev/null
  sleep "$settle"
  echo "$size ($((bytes / 1024)) KiB): peak RSS $(peak "$pid") MiB"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
