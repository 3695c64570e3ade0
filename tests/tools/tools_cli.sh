#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The companion programs as authors run them. The validator: the demo menu is clean (no output,
# 0), --help, a folder that cannot be read (2), and a broken menu (1) with its problems as JSON,
# a movie that is no movie among them where this build plays movies. The preview: the demo's
# pictures written and named, and its exit codes. All three programs answer --version.
set -euo pipefail
check=$(realpath "$1")
preview=$(realpath "$2")
demo=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for program in "$(dirname "$check")/menushell" "$check" "$preview"; do
  out=$(DISPLAY='' WAYLAND_DISPLAY='' "$program" --version) || fail "$program --version: exit $?"
  [[ "$out" =~ ^menushell(-check|-preview)?\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $out"
done

out=$("$check" "$demo") || fail "demo menu: exit $?"
[[ -z "$out" ]] || fail "demo menu: $out"
"$check" --help | grep -q '^Usage: menushell-check' || fail "--help"

code=0
"$check" "$work/none" 2>/dev/null || code=$?
[[ $code == 2 ]] || fail "missing folder: exit $code"
code=0
"$check" "$work" 2>/dev/null || code=$?
[[ $code == 2 ]] || fail "folder without shellmedia: exit $code"

cp -r "$demo/shellmedia" "$work/"
cd "$work"
sed -i 's/^bg_image = back.bmp/bg_image = bak.bmp/' shellmedia/menu.shl
echo "not a movie" > shellmedia/intro.avi
code=0
out=$("$check" --json) || code=$?
[[ $code == 1 ]] || fail "broken menu: exit $code"
grep -q '"message": "background \\"bak.bmp\\" matches no file in shellmedia (there is \\"back.bmp\\")"' <<<"$out" ||
  fail "no JSON entry for the background: $out"
if [[ -f "$(dirname "$check")/menushell_dshow.so" ]]; then
  grep -q '"message": "movie \\"intro.avi\\" cannot be played' <<<"$out" || fail "movie not checked: $out"
fi

out=$("$preview" "$demo" -o "$work/pictures") || fail "preview of the demo: exit $?"
[[ $(wc -l <<<"$out") == 12 && -s "$work/pictures/button5-bubble.png" ]] ||
  fail "preview of the demo wrote: $out"
[[ "$(identify -format '%wx%h' "$work/pictures/normal.png")" == 640x480 ]] || fail "picture size"
code=0
"$preview" "$demo" 2>/dev/null || code=$?
[[ $code == 2 ]] || fail "preview without -o: exit $code"
code=0
"$preview" "$work" -o "$work/none" 2>/dev/null || code=$?
[[ $code == 1 ]] || fail "preview of a broken menu: exit $code"
mkdir "$work/button" && cp -r "$demo/shellmedia" "$work/button/" && rm "$work/button/shellmedia/exit_hi.bmp"
code=0
"$preview" "$work/button" -o "$work/none" 2>/dev/null || code=$?
[[ $code == 1 ]] || fail "preview of a menu with a button that does not load: exit $code"
echo "companion programs: passed"
