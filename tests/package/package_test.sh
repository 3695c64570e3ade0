#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian package given (as root), checks that its files are in place and its
# programs work from there (the launcher finding its movie module in /usr/lib/menushell), then
# removes it and checks that nothing of it is left.
set -euo pipefail
deb=$(realpath "$1")
demo=$(realpath "$(dirname "$0")/../../examples/demo")
source "$(dirname "$0")/../e2e/xvfb.sh"

fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"; dpkg -P menushell >/dev/null 2>&1 || true' EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.txt" 2>&1 ||
  fail "apt-get install: $(cat "$work/apt.txt")"
mapfile -t installed < <(dpkg -L menushell)

for f in /usr/bin/menushell /usr/lib/menushell/menushell_dshow.so \
  /usr/lib/menushell/menushell_sdl.so /usr/share/applications/menushell.desktop \
  /usr/share/mime/packages/menushell.xml /usr/share/metainfo/io.github.menushell.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/menushell.svg; do
  [[ -f $f ]] || fail "$f not installed"
done
# The system's triggers registered the type of a menu's file and the entry that opens it, as a
# file manager looks them up.
type=$(xdg-mime query filetype "$demo/shellmedia/menu.shl")
[[ $type == application/x-menushell-shl ]] || fail "menu.shl is of type $type"
opener=$(xdg-mime query default application/x-menushell-shl)
[[ $opener == menushell.desktop ]] || fail "menu.shl opens with \"$opener\""
# The launcher links Xlib and the C++ runtime; sound, SDL and movies come as modules when needed.
libs=$(ldd /usr/bin/menushell)
for lib in libSDL2 libpng libasound libpulse libgst libglib; do
  ! grep -q "$lib" <<<"$libs" || fail "the launcher links $lib"
done
for size in 32 16; do
  icon=/usr/share/icons/hicolor/${size}x${size}/apps/menushell.png
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon: $(file "$icon")"
done

# Every program has a manual page that man reads without a warning.
for program in "${installed[@]}"; do
  [[ $program == /usr/bin/* ]] || continue
  page=/usr/share/man/man1/${program##*/}.1.gz
  [[ -f $page ]] || fail "no manual page for $program"
  lexgrog "$page" >/dev/null || fail "$page: no NAME section"
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page: $warnings"
done
desktop-file-validate /usr/share/applications/menushell.desktop ||
  fail "menushell.desktop does not validate"

code=0
out=$(/usr/bin/menushell-check "$demo" 2>&1) || code=$?
[[ $code -eq 0 && -z $out ]] || fail "menushell-check on the demo: exit code $code: $out"

cd "$demo"
code=0
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 /usr/bin/menushell 2>"$work/stderr.txt" || code=$?
grep -Fxq "menushell: cannot open a window: no X or Wayland display" "$work/stderr.txt" &&
  ((code == 1)) || fail "no display: exit code $code: $(cat "$work/stderr.txt")"

# The demo opens with a movie: the module must load and play it without a word.
start_x 1024x768
/usr/bin/menushell 2>"$work/stderr.txt" &
pid=$!
timeout 10 xdotool search --onlyvisible --sync --name "menushell demo" >/dev/null ||
  fail "no demo window: $(cat "$work/stderr.txt")"
retry grep -q /usr/lib/menushell/menushell_dshow.so "/proc/$pid/maps" ||
  fail "the movie module is not loaded"
retry grep -q /usr/lib/menushell/menushell_sdl.so "/proc/$pid/maps" ||
  fail "the sound module is not loaded after the first frame"
sleep 1
xdotool key Escape
code=0
timeout 10 tail --pid="$pid" -f /dev/null || fail "the demo did not end on Escape"
wait "$pid" || code=$?
((code == 0)) || fail "the demo ended with $code"
[[ ! -s $work/stderr.txt ]] || fail "the demo said: $(cat "$work/stderr.txt")"

dpkg -r menushell >/dev/null
for f in "${installed[@]}"; do
  [[ -d $f || ! -e $f ]] || fail "$f left after removal"
done
[[ ! -e /usr/lib/menushell ]] || fail "/usr/lib/menushell left after removal"
echo "package: passed"
