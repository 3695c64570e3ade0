#!/usr/bin/env bash
# The launcher's start-up and running figures against a bare image viewer (feh), measured from
# outside in one private Xvfb (1024 x 768) on the demo menu with its movies off:
#   tools/x11_figures.sh ROUNDS [LAUNCHER [OTHER_LAUNCHER...]]
# For feh showing the menu's background at the same place, and for each launcher (default
# build/app/menushell, on its X11 backend and on its SDL one), rounds taken in turn:
# milliseconds from starting it until the picture is on screen. Then for the first launcher:
# PSS 1 s after it shows, CPU ticks while idle for 10 s, pointer move to hovered picture and to
# bubble, pointer entering a button to its first hover sound reaching SDL's disk audio driver
# (0.5 s after the window shows), and CPU per pointer move, sweeping for 10 s.
# min / median / max over ROUNDS. Needs feh (apt-get install feh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=$1
shift
launchers=()
for launcher in "${@:-$root/build/app/menushell}"; do launchers+=("$(realpath "$launcher")"); done
probe=$root/build/tools/screen_probe
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
names=(feh)
for launcher in "${launchers[@]}"; do names+=("$launcher" "$launcher (SDL)"); done
for _ in $(seq "$rounds"); do
  times[feh]+="$(first_frame "$(command -v feh)" --no-menus -g "640x480+$X+$Y" shellmedia/back.bmp) "
  for launcher in "${launchers[@]}"; do
    times[$launcher]+="$(first_frame "$launcher") "
    times["$launcher (SDL)"]+="$(first_frame /usr/bin/env MENUSHELL_BACKEND=sdl "$launcher") "
  done
done
echo "start to the complete first frame (min / median / max of $rounds):"
for name in "${names[@]}"; do
  printf '  %s: %s ms\n' "$name" "$(tr ' ' '\n' <<<"${times[$name]}" | grep . | stats)"
done

launcher=${launchers[0]}
start() {  # environment...: starts the launcher, sets $pid, waits for its window
  xdotool mousemove 1000 700
  env "$@" "$launcher" 2>/dev/null &
  pid=$!
  timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" >/dev/null
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; }
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

pss=() idle=()
for _ in $(seq "$rounds"); do
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
# From the background onto the Read me button; watching the button, then a pixel of its bubble.
"$probe" hover $((X + 120)) $((Y + 170)) $((X + 300)) $((Y + 400)) "$rounds" >hover.txt
awk '{ print $2 }' hover.txt | stats | xargs -0 printf "pointer move to hovered picture: %s ms\n"
"$probe" hover $((X + 120)) $((Y + 170)) $((X + 300)) $((Y + 400)) "$rounds" \
  $((X + 300)) $((Y + 170)) >bubble.txt
awk '{ print $2 }' bubble.txt | stats | xargs -0 printf "pointer move to bubble: %s ms\n"
"$probe" sweep "$pid" $X $Y 640 480 10 | sed 's/^/pointer sweep, 10 s: /'
stop

sounds=()
for _ in $(seq "$rounds"); do
  rm -f audio.raw
  start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$PWD/audio.raw"
  sleep 0.5
  sounds+=("$("$probe" sound $((X + 120)) $((Y + 170)) audio.raw | awk '{ print $2 }')")
  stop
done
echo "pointer entering to the first hover sound: $(printf '%s\n' "${sounds[@]}" | stats) ms"
