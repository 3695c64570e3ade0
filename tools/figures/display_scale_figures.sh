#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The launcher shown at a whole factor against itself unscaled, in one private Xvfb, on the demo
# menu with its movies off:
#   tools/figures/display_scale_figures.sh [-s WIDTHxHEIGHT] [-e VAR=VALUE]... ROUNDS [LAUNCHER]
# Defaults: a 1920x1080 screen, MENUSHELL_SCALE=2, build/app/menushell. For the launcher with
# MENUSHELL_SCALE=1 and with the environment given, rounds taken in turn: milliseconds from
# starting it until its first frame is on screen (min / median / max over ROUNDS); then, for
# each, its CPU time per pointer move while the pointer sweeps the menu for 10 s, one move a
# millisecond.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size=1920x1080
environment=()
while getopts s:e: option; do
  case $option in
    s) size=$OPTARG ;;
    e) environment+=("$OPTARG") ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
((${#environment[@]})) || environment=(MENUSHELL_SCALE=2)
rounds=${1:?ROUNDS}
launcher=$(realpath "${2:-$root/build/app/menushell}")
probe=$root/build/tools/figures/screen_probe
source "$root/tests/e2e/xvfb.sh"
start_sandbox "$size"
cp -r "$root/examples/demo/shellmedia" shellmedia
sed -i 's/^play_movie = .*/play_movie = false\r/' shellmedia/menu.shl

stats() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f / %.1f / %.1f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
start() {  # environment...: starts the launcher, sets $pid, waits for its window, sets $X $Y $k
  xdotool mousemove 0 0
  env "$@" "$launcher" 2>/dev/null &
  pid=$!
  local window
  window=$(timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  k=$((WIDTH / 640))
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; }

configs=("MENUSHELL_SCALE=1" "${environment[*]}")
declare -A corner times
for config in "${configs[@]}"; do
  # shellcheck disable=SC2086
  start $config
  corner[$config]="$X $Y $k"
  stop
done
for _ in $(seq "$rounds"); do
  for config in "${configs[@]}"; do
    read -r X Y k <<<"${corner[$config]}"
    xdotool mousemove 0 0
    # A pixel of the Read me button.
    # shellcheck disable=SC2086
    times[$config]+="$("$probe" first-frame $((X + 100 * k)) $((Y + 150 * k)) /usr/bin/env $config \
      "$launcher" 2>/dev/null | awk '{ print $3 }') "
    sleep 0.3
  done
done
echo "screen $size, start to the complete first frame (min / median / max of $rounds):"
for config in "${configs[@]}"; do
  printf '  %s (factor %s): %s ms\n' "$config" "${corner[$config]##* }" \
    "$(tr ' ' '\n' <<<"${times[$config]}" | grep . | stats)"
done
for config in "${configs[@]}"; do
  # shellcheck disable=SC2086
  start $config
  sleep 0.5
  printf '  %s, pointer sweep, 10 s: ' "$config"
  "$probe" sweep "$pid" $((X + 4 * k)) $((Y + 4 * k)) $((632 * k)) $((472 * k)) 10
  stop
done
