#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A disc image of the demo menu, as menushell-pack makes it with the real kit, read back and
# started as the desktops start it, in a private X server: autorun.sh from another folder, again
# with every run bit gone (a stick formatted FAT), and the 32-bit Windows launcher under Wine
# (WINE, when given) from the same tree. Each shows the menu pixel for pixel as the regular build
# (LAUNCHER) does.
# Usage: medium_e2e.sh PACK KIT LAUNCHER PROBE DEMO
set -euo pipefail
pack=$(realpath "$1")
kit=$(realpath "$2")
launcher=$(realpath "$3")
probe=$(realpath "$4")
demo=$(realpath "$5")
source "$(dirname "$(realpath "$0")")/../e2e/xvfb.sh"
start_sandbox 1024x768
fail() { echo "FAIL: $*"; [[ ! -f stderr.txt ]] || cat stderr.txt; exit 1; }

# The demo without its introduction, so that the first frame is the menu.
cp -r "$demo" menu
sed -i 's/^play_movie = true/play_movie = false/' menu/shellmedia/menu.shl
"$pack" menu -o demo.iso --kit "$kit" >/dev/null || fail "packing"
xorriso -osirrox on -indev demo.iso -extract / medium >/dev/null 2>&1 || fail "extracting"
chmod -R u+w medium
diff -r menu/shellmedia medium/shellmedia || fail "shellmedia changed on the medium"
for file in autorun.sh linux/menushell linux/menushell_sdl.so linux/menushell_dshow.so; do
  [[ -x medium/$file ]] || fail "$file has no run bit on the medium"
done

# The demo's "exit" button, which every build obeys (Escape needs the keyboard, which Wine's
# window has only once a manager gives it).
leave() {  # what
  xdotool mousemove $((X + 100)) $((Y + 380)) click 1
  ends_with 0 "$1: exit"
}
show() {  # what command...: waits for the menu and compares it with the reference
  local what=$1
  shift
  xdotool mousemove 5 5
  launch "menushell demo" "$@" || fail "$what: no menu"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  retry window_shows "$work/reference.png" || fail "$what: the menu differs from the regular build's"
}

(cd menu && "$launcher") 2>stderr.txt &
pid=$!
window=$(timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# The frame is complete once the first button shows its picture.
drawn() {
  window_shot reference.png
  convert reference.png -crop 160x40+40+136 +repage shown-button.png
  [[ "$(compare -metric AE shown-button.png menu/shellmedia/readme_lo.bmp null: 2>&1)" == 0 ]]
}
retry drawn || fail "regular build: the first button never showed"
leave "regular build"

mkdir elsewhere
cd elsewhere
show "autorun.sh" ../medium/autorun.sh
leave autorun.sh

# FAT: no run bits at all; the desktop starts autorun.sh with the shell. The SDL module must be
# found beside the launcher all the same: the hover sound goes to SDL's disk driver.
find ../medium -type f -exec chmod a-x {} +
show "no run bits" env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" sh ../medium/autorun.sh
xdotool mousemove $((X + 100)) $((Y + 150))
expect_file "$work/audio.raw" "no run bits: hover sound"
leave "no run bits"

code=0
env -u DISPLAY -u WAYLAND_DISPLAY sh ../medium/autorun.sh 2>stderr.txt || code=$?
[[ $code == 1 && $(wc -l <stderr.txt) == 1 ]] && grep -q "no display" stderr.txt ||
  fail "no display: exit $code"
cd ..

if [[ -n ${WINE:-} ]]; then
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
  "$WINE" wineboot --init 2>/dev/null
  "${WINE%/*}/wineserver" -w
  trap '"${WINE%/*}/wineserver" -k 2>/dev/null || true; stop_x; rm -rf "$work"' EXIT
  cd medium
  show "Windows launcher" "$WINE" menushell.exe
  leave "Windows launcher"
  cd ..
else
  echo "no WINE given: the Windows launcher on the medium is not run"
fi
echo "PASS"
