#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The portable launcher (KIT/linux) on the oldest and the newest Debian it is meant for, in
# minimal roots made with debootstrap that hold the X libraries and nothing of SDL or
# GStreamer: no symbol newer than glibc 2.31, the menu pixel for pixel as the regular build
# (LAUNCHER) shows it on the same X server, a click that runs the button's command, a hover
# with no sound to play, and the message of a movie that cannot play. The roots stay in
# ROOTS (default build-portable/roots) for the next run. A suite the mirror no longer serves
# is skipped, and said so.
# Usage: roots_test.sh KIT LAUNCHER PROBE [ROOTS]   (as root)
set -euo pipefail
kit=$(realpath "$1")
launcher=$(realpath "$2")
probe=$(realpath "$3")
roots=$(realpath -m "${4:-build-portable/roots}")
here=$(dirname "$(realpath "$0")")
source "$here/../e2e/xvfb.sh"

# glibc 2.31 is the oldest the launcher starts on; the C++ runtime is inside each file.
for file in "$kit"/linux/*; do
  newest=$(objdump -T "$file" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
  [[ $(printf '%s\n' "$newest" GLIBC_2.31 | sort -V | tail -1) == GLIBC_2.31 ]] ||
    { echo "FAIL: ${file##*/} needs $newest"; exit 1; }
  if objdump -T "$file" | grep -q 'GLIBCXX_\|CXXABI_'; then
    echo "FAIL: ${file##*/} needs the system's C++ runtime"
    exit 1
  fi
  echo "${file##*/}: newest glibc symbol version $newest"
done

start_sandbox 1024x768
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || true; done
  stop_x
  rm -rf "$work"
}
trap cleanup EXIT

# The menu: one button that runs a marker command and has a hover sound, one that exits.
m=shellmedia
mkdir -p "$m"
menu_pictures "$m"
cursor "$m/arrow.cur" red 0 0
cursor "$m/hand.cur" blue 3 4
sox -n -r 22050 -c 1 -b 16 "$m/over.wav" synth 0.2 sine 440 vol 0.5
gst-launch-1.0 -q videotestsrc num-buffers=8 ! video/x-raw,width=64,height=48 ! jpegenc ! \
  avimux ! filesink location="$m/intro.avi"
printf '#!/bin/sh\npwd > marker.txt\n' > marker.sh
chmod +x marker.sh
menu() {  # play_movie
  describe "$m/menu.shl" app_name '"Roots Menu"' app_icon null app_cursor_lo arrow.cur \
    app_cursor_hi hand.cur app_fullscreen false app_drawrects false bg_image back.bmp \
    num_movies 1 intro intro.avi play_movie "$1" num_buttons 2 button1 marker.btn \
    button2 exit.btn
}
button() {  # file y command
  describe "$m/$1" image_lo lo.bmp image_hi hi.bmp image_bubble bubble.bmp pos_x 100 pos_y "$2" \
    rect_l 100 rect_t "$2" rect_r 200 rect_b $(($2 + 20)) sound_hoover over.wav \
    sound_click null execute_cmd "$3" shutdown false
}
button marker.btn 100 marker.sh
button exit.btn 200 exit
menu false

# The regular build's frame, with the pointer away from the buttons.
xdotool mousemove 5 5
launch "Roots Menu" "$launcher" || { echo "FAIL: the regular build shows no menu"; cat stderr.txt; exit 1; }

eval "$(xdotool getwindowgeometry --shell "$window")"
expect_pixel $((X + 150)) $((Y + 110)) 192,0,0 "regular build: normal picture"
window_shot reference.png
xdotool mousemove $((X + 150)) $((Y + 210)) click 1
ends_with 0 "regular build: exit"

make_root() {  # suite folder: true when it is there
  local suite=$1 dir=$2
  [[ -f $dir/.ready ]] && return 0
  rm -rf "$dir"
  mkdir -p "$dir"
  if ! wget -q --spider "http://deb.debian.org/debian/dists/$suite/Release"; then
    echo "SKIP: the mirror does not serve Debian $suite"
    return 1
  fi
  debootstrap --variant=minbase --include=libx11-6,libxext6,libxcursor1,libxrandr2 \
    "$suite" "$dir" http://deb.debian.org/debian >"$dir.log" 2>&1 ||
    { tail -20 "$dir.log"; echo "FAIL: debootstrap $suite"; exit 1; }
  touch "$dir/.ready"
}

for suite in bullseye trixie; do
  root=$roots/$suite
  make_root "$suite" "$root" || continue
  if chroot "$root" sh -c 'ls /usr/lib/*/libSDL2* /usr/lib/*/libgstreamer*' 2>/dev/null; then
    echo "FAIL: $suite: the root has SDL or GStreamer"
    exit 1
  fi
  rm -rf "$root/medium"
  mkdir -p "$root/medium"
  cp -r "$kit/linux" "$m" marker.sh "$root/medium/"
  mount -t proc proc "$root/proc"
  mounted+=("$root/proc")
  in_root() { chroot "$root" env DISPLAY="$DISPLAY" sh -c "cd /medium && $*"; }

  menu false
  cp "$m/menu.shl" "$root/medium/$m/menu.shl"
  xdotool mousemove 5 5
  launch "Roots Menu" in_root ./linux/menushell ||
    { echo "FAIL: $suite: no menu"; cat stderr.txt; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  retry window_shows "$work/reference.png" ||
    { echo "FAIL: $suite: the menu differs from the regular build's"; exit 1; }
  # No SDL: the hover shows its pictures and plays nothing; one line says why.
  for _ in 1 2; do
    xdotool mousemove $((X + 300)) $((Y + 300)) sleep 0.1 mousemove $((X + 150)) $((Y + 110))
    expect_pixel $((X + 150)) $((Y + 110)) 0,0,192 "$suite: bubble picture"
  done
  xdotool click 1
  expect_file "$root/medium/marker.txt" "$suite: command"
  [[ "$(cat "$root/medium/marker.txt")" == /medium ]] ||
    { echo "FAIL: $suite: command ran in $(cat "$root/medium/marker.txt")"; exit 1; }
  xdotool mousemove $((X + 150)) $((Y + 210)) click 1
  ends_with 0 "$suite: exit"
  [[ $(wc -l <stderr.txt) == 1 ]] && grep -q 'libSDL2.*No such file' stderr.txt ||
    { echo "FAIL: $suite: said"; cat stderr.txt; exit 1; }

  # No GStreamer: the introduction gives its message, then the menu runs.
  menu true
  cp "$m/menu.shl" "$root/medium/$m/menu.shl"
  launch_box() { xwininfo -root -tree | grep -q '"Error"'; }
  xdotool mousemove 5 5
  in_root ./linux/menushell 2>stderr.txt &
  pid=$!
  retry launch_box || { echo "FAIL: $suite: no message for the movie"; exit 1; }
  grep -q "IDS_CANT_RENDER_FILE -> shellmedia.intro.avi" stderr.txt || { echo "FAIL: $suite: message"; cat stderr.txt; exit 1; }
  press_until Return sh -c '! xwininfo -root -tree | grep -q "\"Error\""' ||
    { echo "FAIL: $suite: the message stayed"; exit 1; }
  window=$(timeout 10 xdotool search --onlyvisible --sync --name "Roots Menu" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  retry window_shows "$work/reference.png" || { echo "FAIL: $suite: no menu after the message"; exit 1; }
  xdotool key Escape
  ends_with 0 "$suite: Escape after the message"

  umount "$root/proc"
  mounted=()
  echo "$suite: ok"
done
echo "PASS"
