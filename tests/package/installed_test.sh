#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installed packages (menushell and menushell-movies) as a user meets them: files in place,
# manual pages and the desktop entry valid, the programs working from where they are installed
# on the demo menu the package ships (its introduction movie played through the module, a button
# hovered, Escape), standard error holding nothing that is not the program's. The autopkgtest
# of the packages (debian/tests) and a part of tests/package/package_test.sh.
set -euo pipefail
source "$(dirname "$0")/../e2e/xvfb.sh"
fail() { echo "FAIL: $*"; exit 1; }
modules=$(dirname "$(dpkg -L menushell | grep -v '^/usr/lib/menushell/' | grep '/menushell_sdl\.so$')")

for f in /usr/bin/menushell /usr/bin/menushell-check /usr/bin/menushell-preview \
  /usr/bin/menushell-pack /usr/lib/menushell/menushell.exe /usr/lib/menushell/autorun.sh \
  /usr/lib/menushell/linux/menushell /usr/lib/menushell/linux/menushell_sdl.so \
  /usr/lib/menushell/linux/menushell_dshow.so \
  "$modules/menushell_dshow.so" "$modules/menushell_sdl.so" \
  /usr/share/applications/menushell.desktop /usr/share/doc/menushell/copyright \
  /usr/share/mime/packages/menushell.xml /usr/share/metainfo/io.github.menushell.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/menushell.svg \
  /usr/share/doc/menushell/changelog.gz /usr/share/doc/menushell/examples/demo/shellmedia/menu.shl; do
  [[ -f $f ]] || fail "$f not installed"
done
# The system's triggers registered the type of a menu's file and the entry that opens it, as a
# file manager looks them up.
type=$(xdg-mime query filetype /usr/share/doc/menushell/examples/demo/shellmedia/menu.shl)
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

# Every program has a manual page that man reads without a warning, and answers --version.
for program in /usr/bin/menushell /usr/bin/menushell-check /usr/bin/menushell-preview \
  /usr/bin/menushell-pack; do
  page=/usr/share/man/man1/${program##*/}.1.gz
  [[ -f $page ]] || fail "no manual page for $program"
  lexgrog "$page" >/dev/null || fail "$page: no NAME section"
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page: $warnings"
  env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version | grep -q "^${program##*/} [0-9]" ||
    fail "$program --version"
done
desktop-file-validate /usr/share/applications/menushell.desktop ||
  fail "menushell.desktop does not validate"

start_sandbox 1024x768
cp -r /usr/share/doc/menushell/examples/demo/shellmedia shellmedia
code=0
out=$(/usr/bin/menushell-check . 2>&1) || code=$?
[[ $code -eq 0 && -z $out ]] || fail "menushell-check on the demo: exit code $code: $out"

# menushell-pack takes the launchers for the medium from the package, not from a build.
out=$(/usr/bin/menushell-pack /usr/share/doc/menushell/examples/demo -o demo.iso 2>&1) || fail "menushell-pack on the demo: $out"
xorriso -osirrox on -indev demo.iso -extract / medium >/dev/null 2>&1 || fail "reading demo.iso"
for f in menushell.exe autorun.sh linux/menushell linux/menushell_sdl.so linux/menushell_dshow.so; do
  cmp -s "medium/$f" "/usr/lib/menushell/$f" || fail "demo.iso: $f is not the package's"
done
diff -r shellmedia medium/shellmedia || fail "demo.iso: shellmedia differs"
chmod -R u+w medium
rm -rf medium demo.iso

code=0
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 /usr/bin/menushell 2>stderr.txt || code=$?
grep -Fxq "menushell: cannot open a window: no X or Wayland display" stderr.txt &&
  ((code == 1)) || fail "no display: exit code $code: $(cat stderr.txt)"

# The demo opens with a movie: the module must load and play it without a word.
xdotool mousemove 1000 700
launch "menushell demo" /usr/bin/menushell
[[ -n $window ]] || fail "no demo window: $(cat stderr.txt)"
retry grep -q "$modules/menushell_dshow.so" "/proc/$pid/maps" || fail "the movie module is not loaded"
retry grep -q "$modules/menushell_sdl.so" "/proc/$pid/maps" ||
  fail "the sound module is not loaded after the first frame"
# A click ends the introduction; then the "Read me" button, hovered, changes its look.
X=192 Y=144
xdotool mousemove $((X + 600)) $((Y + 20)) click 1
before=""
menu_shown() { before=$(pixel $((X + 120)) $((Y + 156))); [[ $before != 0,0,0 ]]; }
retry menu_shown || fail "the menu never showed"
xdotool mousemove $((X + 120)) $((Y + 156))
hovered() { [[ "$(pixel $((X + 120)) $((Y + 156)))" != "$before" ]]; }
retry hovered || fail "hovering the Read me button changed nothing"
xdotool key Escape
ends_with 0 "Escape"
[[ ! -s stderr.txt ]] || fail "the demo said: $(cat stderr.txt)"
echo "installed packages: passed"
