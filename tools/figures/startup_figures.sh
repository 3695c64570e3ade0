#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up figures of one or more launcher builds, measured from outside in a private Xvfb
# (1024 x 768), on the demo menu with its movies off and on:
#   tools/figures/startup_figures.sh ROUNDS LAUNCHER [LAUNCHER...]
# For each launcher: milliseconds from starting it until the first button is on screen (movies
# off), until the introduction's first frame is (movies on; skipped for a launcher without the
# filter-graph module beside it), and the PSS of the menu without movies, 1 s after it shows,
# with whether the movie module was mapped. min / median / max over ROUNDS.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=$1
shift
launchers=()
for launcher in "$@"; do launchers+=("$(realpath "$launcher")"); done
probe=$root/build/tools/figures/screen_probe
source "$root/tests/e2e/xvfb.sh"
start_sandbox 1024x768  # a scratch folder with a private X server
cp -r "$root/examples/demo/shellmedia" shellmedia
xdotool mousemove 1000 700

stats() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f / %.1f / %.1f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
movies() { sed -i "s/^play_movie = .*/play_movie = $1\r/" shellmedia/menu.shl; }
first_frame() {  # x y launcher: one round
  "$probe" first-frame "$1" "$2" "$3" 2>/dev/null | awk '{ print $3 }'
  sleep 0.3
}

for launcher in "${launchers[@]}"; do
  echo "== $launcher"
  movies false
  # The Read me button's normal picture, in the centred window.
  for _ in $(seq "$rounds"); do first_frame $((192 + 100)) $((144 + 150)) "$launcher"; done |
    stats | xargs -0 printf "start to first frame, no movie: %s ms\n"
  pss=() mapped=no
  for _ in $(seq "$rounds"); do
    "$launcher" 2>/dev/null &
    pid=$!
    timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" >/dev/null
    sleep 1
    pss+=("$(awk '/^Pss:/ { print $2 / 1024 }' "/proc/$pid/smaps_rollup")")
    grep -q menushell_dshow "/proc/$pid/maps" && mapped=yes
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
  printf '%s\n' "${pss[@]}" | stats | xargs -0 printf "PSS, no movie: %s MiB; movie module mapped: $mapped\n"
  if [[ -e "$(dirname "$launcher")/menushell_dshow.so" ]]; then
    movies true
    # The centre of the picture, where the introduction's gradient and title show first.
    for _ in $(seq "$rounds"); do first_frame 512 384 "$launcher"; done |
      stats | xargs -0 printf "start to the introduction's first frame: %s ms\n"
  fi
done
