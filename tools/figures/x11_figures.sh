#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The launcher's start-up and running figures against a bare image viewer (feh), measured from
# outside in one private Xvfb (1024 x 768) on the demo menu with its movies off:
#   tools/figures/x11_figures.sh ROUNDS [LAUNCHER [OTHER_LAUNCHER...]]
# For feh showing the menu's background at the same place, and for each launcher (default
# build/app/menushell; the first also on its SDL backend), rounds taken in turn: milliseconds
# from starting it until the picture is on screen. Then for each launcher: PSS 1 s after it
# shows and CPU ticks while idle for 10 s (3 rounds), and CPU per pointer move, sweeping for
# 10 s; for the first: pointer move to hovered picture and to bubble, Tab to the first button's
# hovered picture, and pointer entering a
# button to its first hover sound reaching SDL's disk audio driver (0.5 s after the window
# shows; the sound made 96 kHz stereo 32-bit, so that each of the device's 5 ms buffers fills
# the driver's 4 KB stdio buffer and is written at once), then CPU ticks over 10 s after that
# sound.
# min / median / max over ROUNDS. Needs feh (apt-get install feh).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=$1
shift
launchers=()
for launcher in "${@:-$root/build/app/menushell}"; do launchers+=("$(realpath "$launcher")"); done
probe=$root/build/tools/figures/screen_probe
command -v feh >/dev/null || { echo "x11_figures.sh: needs feh (apt-get install feh)"; exit 1; }
source "$root/tests/e2e/xvfb.sh"
start_sandbox 1024x768
cp -r "$root/examples/demo/shellmedia" shellmedia
sed -i 's/^play_movie = .*/play_movie = false\r/' shellmedia/menu.shl
X=192 Y=144  # the centred menu's corner
# A pixel of the Read me button, in the menu's first frame and in the background picture.
px=$((X + 100)) py=$((Y + 150))

stats() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f / %.1f / %.1f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
first_frame() {  # program...: one round, in milliseconds
  xdotool mousemove 1000 700
  "$probe" first-frame "$px" "$py" "$@" 2>/dev/null | awk '{ print $3 }'
  sleep 0.3
}

declare -A times
sdl="${launchers[0]} (SDL)"
names=(feh "${launchers[@]}" "$sdl")
for _ in $(seq "$rounds"); do
  times[feh]+="$(first_frame "$(command -v feh)" --no-menus -g "640x480+$X+$Y" shellmedia/back.bmp) "
  for launcher in "${launchers[@]}"; do
    times[$launcher]+="$(first_frame "$launcher") "
  done
  times[$sdl]+="$(first_frame /usr/bin/env MENUSHELL_BACKEND=sdl "${launchers[0]}") "
done
echo "start to the complete first frame (min / median / max of $rounds):"
for name in "${names[@]}"; do
  printf '  %s: %s ms\n' "$name" "$(tr ' ' '\n' <<<"${times[$name]}" | grep . | stats)"
done

start() {  # environment...: starts $launcher, sets $pid, waits for its window
  xdotool mousemove 1000 700
  env "$@" "$launcher" 2>/dev/null &
  pid=$!
  timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" >/dev/null
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; }
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

for launcher in "${launchers[@]}"; do
  echo "== $launcher"
  pss=() idle=()
  for _ in 1 2 3; do
    start
    sleep 1
    pss+=("$(awk '/^Pss:/ { print $2 / 1024 }' "/proc/$pid/smaps_rollup")")
    before=$(ticks)
    sleep 10
    idle+=($(($(ticks) - before)))
    stop
  done
  echo "PSS 1 s after showing: $(printf '%s\n' "${pss[@]}" | stats) MiB"
  echo "CPU ticks idle for 10 s: $(printf '%s\n' "${idle[@]}" | stats)"
  start
  "$probe" sweep "$pid" $X $Y 640 480 10 | sed 's/^/pointer sweep, 10 s: /'
  stop
done

launcher=${launchers[0]}
echo "== $launcher"
start
# From the background onto the Read me button; watching the button, then a pixel of its bubble.
"$probe" hover $((X + 120)) $((Y + 170)) $((X + 300)) $((Y + 400)) "$rounds" >hover.txt
awk '{ print $2 }' hover.txt | stats | xargs -0 printf "pointer move to hovered picture: %s ms\n"
"$probe" hover $((X + 120)) $((Y + 170)) $((X + 300)) $((Y + 400)) "$rounds" \
  $((X + 300)) $((Y + 170)) >bubble.txt
awk '{ print $2 }' bubble.txt | stats | xargs -0 printf "pointer move to bubble: %s ms\n"
# Tab onto the Read me button, the pointer on the background (no window manager: the keyboard
# goes where the pointer is).
"$probe" key $((X + 120)) $((Y + 170)) $((X + 300)) $((Y + 400)) "$rounds" >key.txt
awk '{ print $2 }' key.txt | stats | xargs -0 printf "key press to hovered picture: %s ms\n"
stop

sox -n -r 96000 -c 2 -b 32 -e signed-integer shellmedia/over.wav synth 0.3 sine 440 vol 0.5
sounds=()
for round in $(seq "$rounds"); do
  rm -f audio.raw
  start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$PWD/audio.raw"
  sleep 0.5
  sounds+=("$("$probe" sound $((X + 120)) $((Y + 170)) audio.raw | awk '{ print $2 }')")
  if ((round == rounds)); then
    sleep 1
    before=$(ticks)
    sleep 10
    after=$(ticks)
  fi
  stop
done
echo "pointer entering to the first hover sound: $(printf '%s\n' "${sounds[@]}" | stats) ms"
echo "CPU ticks over 10 s after the sound (last round): $((after - before))"
