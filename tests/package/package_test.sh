#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian packages in the folder given (as root): both installed, their autopkgtest run
# (tests/package/installed_test.sh); then the launcher without menushell-movies, which still runs
# a menu with movies (its message said, the menu shown); then both purged, nothing of them left.
set -euo pipefail
folder=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
source "$here/../e2e/xvfb.sh"
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"; dpkg -P menushell-movies menushell >/dev/null 2>&1 || true' EXIT
export DEBIAN_FRONTEND=noninteractive

apt-get install -y -qq "$folder"/menushell_*.deb "$folder"/menushell-movies_*.deb \
  >"$work/apt.txt" 2>&1 || fail "apt-get install: $(cat "$work/apt.txt")"
mapfile -t installed < <(dpkg -L menushell menushell-movies)
"$here/installed_test.sh"

# Without the movie module: the introduction's message, and the menu all the same.
apt-get remove -y -qq menushell-movies >"$work/apt.txt" 2>&1 || fail "apt-get remove: $(cat "$work/apt.txt")"
cd "$work"
cp -r /usr/share/doc/menushell/examples/demo/shellmedia shellmedia
start_x 1024x768
/usr/bin/menushell 2>stderr.txt &
pid=$!
# The box comes while the menu sets up, before its window shows.
box() { xwininfo -root -tree | grep -q '"Error"'; }
retry box || fail "no message for the movie without the module: $(cat stderr.txt)"
shown() { [[ "$(pixel $((192 + 120)) $((144 + 156)))" != 0,0,0 ]]; }
press_until Return shown || fail "no menu without the movie module"
grep -q "IDS_CANT_RENDER_FILE -> shellmedia" stderr.txt || fail "stderr: $(cat stderr.txt)"
xdotool key Escape
ends_with 0 "Escape without the movie module"

apt-get purge -y -qq menushell >"$work/apt.txt" 2>&1 || fail "apt-get purge: $(cat "$work/apt.txt")"
for f in "${installed[@]}"; do
  [[ -d $f || ! -e $f ]] || fail "$f left after removal"
done
[[ -z "$(dpkg -l 'menushell*' 2>/dev/null | grep '^[a-z][a-z] ')" ]] ||
  fail "left in dpkg's database: $(dpkg -l 'menushell*' | grep '^[a-z][a-z] ')"
echo "package: passed"
