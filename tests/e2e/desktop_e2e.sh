#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Opening a menu from the desktop. Given a menu's .shl file from another folder, the launcher
# shows that menu and runs its commands in the menu's folder, also when a file manager's opener
# (xdg-open) starts it through the desktop entry and the MIME type; a path that names no menu
# ends it with 1, its message on standard error and in a box. The desktop entry, the MIME type
# and the AppStream data pass the desktop's own tools.
set -euo pipefail
launcher=$(realpath "$1")
res=$(realpath "$2")
source "$(dirname "$0")/xvfb.sh"
fail() { echo "FAIL: $*"; exit 1; }

start_sandbox 1024x768

# The files as the desktop's tools read them.
desktop-file-validate "$res/menushell.desktop" || fail "menushell.desktop does not validate"
appstreamcli validate --no-net --strict "$res/io.github.menushell.metainfo.xml" >appstream.txt ||
  fail "the metainfo does not validate: $(cat appstream.txt)"
xmllint --noout "$res/menushell.xml" "$res/menushell.svg" || fail "XML"

# A data folder of the desktop's own with nothing but this type and entry: the type of a menu
# file, whatever the case of its name, and the entry that opens it.
mkdir -p data/mime/packages data/applications config
cp "$res/menushell.xml" data/mime/packages/
cp "$res/menushell.desktop" data/applications/
desktop=(env XDG_DATA_HOME="$work/data" XDG_DATA_DIRS="$work/data" XDG_CONFIG_HOME="$work/config"
  XDG_CONFIG_DIRS="$work/config" XDG_CURRENT_DESKTOP=)
"${desktop[@]}" update-mime-database "$work/data/mime"
"${desktop[@]}" update-desktop-database "$work/data/applications"

# A menu on a disc, its folder named as on a Windows disc; one button runs where.sh from the
# folder the menu runs in.
m=disc/ShellMedia
mkdir -p "$m" elsewhere
bmp "$m/back.bmp" '#203040' 640x480
bmp "$m/lo.bmp" '#c00000'
bmp "$m/hi.bmp" '#00c000'
cursor "$m/arrow.cur" white 0 0
describe "$m/menu.SHL" app_name '"Desktop Menu"' app_icon null app_cursor_lo arrow.cur \
  app_cursor_hi arrow.cur app_fullscreen false app_drawrects false bg_image back.bmp num_movies 0 \
  play_movie false num_buttons 1 button1 where.btn
describe "$m/where.btn" image_lo lo.bmp image_hi hi.bmp image_bubble hi.bmp pos_x 300 pos_y 100 \
  rect_l 300 rect_t 100 rect_r 400 rect_b 120 sound_hoover null sound_click null \
  execute_cmd where.sh shutdown false
printf '#!/bin/sh\npwd > where.txt\n' > disc/where.sh
chmod +x disc/where.sh
[[ $("${desktop[@]}" xdg-mime query filetype "$m/menu.SHL") == application/x-menushell-shl ]] ||
  fail "menu.SHL is of type $("${desktop[@]}" xdg-mime query filetype "$m/menu.SHL")"
# (That lookup ignores case whatever the type says; GLib's does not. The database's line must
# not ask for it: no ":cs".)
grep -qx '[0-9]*:application/x-menushell-shl:\*\.shl' data/mime/globs2 &&
  ! grep -q 'menushell-shl:.*:cs' data/mime/globs2 ||
  fail "the type's glob: $(grep menushell data/mime/globs2)"

X=192 Y=144
# Runs the menu with the command given, from the folder elsewhere: it shows, its button's
# command runs in disc, and Escape closes it with 0.
runs_the_menu() {  # what command...
  local what=$1
  shift
  rm -f disc/where.txt
  xdotool mousemove 900 700
  (cd elsewhere && exec "$@") 2>stderr.txt &
  pid=$!
  timeout 10 xdotool search --onlyvisible --sync --name "Desktop Menu" >/dev/null ||
    fail "$what: no menu: $(cat stderr.txt)"
  expect_pixel $((X + 350)) $((Y + 110)) 192,0,0 "$what: the button" || exit 1
  xdotool mousemove $((X + 350)) $((Y + 110)) click 1
  expect_file disc/where.txt "$what: the command's output" || exit 1
  [[ $(cat disc/where.txt) == "$work/disc" ]] ||
    fail "$what: the command ran in $(cat disc/where.txt)"
  xdotool key Escape
  ends_with 0 "$what"
}
runs_the_menu "a relative path" "$launcher" ../disc/ShellMedia/menu.SHL
# A double-click in a file manager: the opener finds the entry by the file's type.
mkdir -p bin
ln -s "$launcher" bin/menushell
runs_the_menu "xdg-open" "${desktop[@]}" PATH="$work/bin:$PATH" xdg-open "$work/$m/menu.SHL"

# Arguments that name no menu: the message in a box titled as the launcher's boxes are, and on
# standard error; once the box is dismissed the launcher ends with 1.
expected="a .shl file in a shellmedia folder, or a folder that holds shellmedia"
mkdir -p loose
touch loose/menu.shl
refuses() {  # message arguments...
  local message=$1 box=
  shift
  (cd elsewhere && exec "$launcher" "$@") 2>stderr.txt &
  pid=$!
  for _ in $(seq 100); do
    box=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "menushell": (.*/\1/p' | head -1)
    [[ -n $box ]] && break
    sleep 0.05
  done
  [[ -n $box ]] || fail "$*: no message box; standard error: $(cat stderr.txt)"
  xdotool windowfocus "$box" 2>/dev/null || true
  launcher_ended() { ! kill -0 "$pid" 2>/dev/null; }
  press_until Return launcher_ended || fail "$*: the box was never dismissed"
  ends_with 1 "$*"
  [[ $(cat stderr.txt) == "menushell: $message" ]] || fail "$*: standard error: $(cat stderr.txt)"
}
refuses "\"../none.shl\" does not exist; expected $expected" ../none.shl
refuses "\"../loose/menu.shl\" is not in a shellmedia folder; expected $expected" ../loose/menu.shl
refuses "\"../loose\" holds no shellmedia folder; expected $expected" ../loose
refuses "more than one argument (\"../disc\" \"../loose\"); expected one: $expected" \
  ../disc ../loose
refuses "unknown option \"--menu\"; expected $expected, or --version" --menu

# Without a display there is no box: the message on standard error, and 1.
code=0
(cd elsewhere && DISPLAY='' WAYLAND_DISPLAY='' "$launcher" ../loose) 2>stderr.txt || code=$?
message="menushell: \"../loose\" holds no shellmedia folder; expected $expected"
[[ $code == 1 && $(cat stderr.txt) == "$message" ]] ||
  fail "without a display: exit code $code: $(cat stderr.txt)"
echo "desktop end to end: passed"
