#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# menushell-pack as authors run it, on copies of the demo menu with a kit of small stand-in
# files: a folder and an image read back byte for byte, what it refuses and why, the names
# Windows would lose, and an interrupt that leaves nothing behind.
set -euo pipefail
pack=$(realpath "$1")
demo=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$work"

# Waits up to 30 s for a condition; never a fixed pause.
wait_for() {
  for _ in $(seq 3000); do
    eval "$1" && return 0
    sleep 0.01
  done
  fail "timed out waiting for: $1"
}
# Runs pack; sets $code, $out (standard output) and $err (standard error).
run() {
  code=0
  "$pack" "$@" >"$work/stdout" 2>"$work/stderr" || code=$?
  out=$(<"$work/stdout")
  err=$(<"$work/stderr")
}
expect() { [[ $code == "$1" ]] || fail "$2: exit $code, stderr: $err"; }
menu() {
  rm -rf "$1" && mkdir -p "$1/install" && cp -r "$demo/shellmedia" "$1/"
  printf 'MZ setup\0\1\2' >"$1/install/setup.exe" && chmod 755 "$1/install/setup.exe"
  echo "notes" >"$1/Read Me First - Long Mixed Case Name.txt"
}
same_tree() { # the menu's files and run bits in a medium
  diff -r "$1" "$2" -x autorun.inf -x autorun.sh -x menushell.exe -x linux >/dev/null ||
    fail "$3: files differ"
  [[ -x "$2/install/setup.exe" && ! -x "$2/shellmedia/menu.shl" ]] || fail "$3: run bits"
}

mkdir -p kit/linux
echo "windows launcher" >kit/menushell.exe
printf '#!/bin/sh\nexec linux/menushell\n' >kit/autorun.sh
for f in menushell menushell_sdl.so menushell_dshow.so; do echo "$f" >"kit/linux/$f"; done
chmod 600 kit/menushell.exe kit/autorun.sh kit/linux/*
menu m

# Arguments.
run --version; [[ "$out" =~ ^menushell-pack\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $out"
run --help; grep -q '^Usage: menushell-pack' <<<"$out" || fail "--help"
run m; expect 2 "without -o"
run m -o x --bogus; expect 2 "unknown option"
run m -o; expect 2 "-o without a value"

# A folder for a stick: every file as it was, the kit with its modes, autorun.inf to the byte.
run m -o stick --kit kit; expect 0 "folder"
[[ "$out" == stick ]] || fail "folder: printed $out"
same_tree m stick folder
cmp -s kit/menushell.exe stick/menushell.exe && cmp -s kit/linux/menushell_sdl.so stick/linux/menushell_sdl.so ||
  fail "kit files"
[[ $(stat -c %a stick/menushell.exe stick/autorun.sh stick/linux/* | tr '\n' ' ') == "644 755 755 755 755 " ]] ||
  fail "kit modes: $(stat -c '%n %a' stick/menushell.exe stick/autorun.sh stick/linux/*)"
version=$("$pack" --version | cut -d' ' -f2)
printf '; menushell-pack %s\r\n[autorun]\r\nopen=menushell.exe\r\nicon=shellmedia\\menu.ico\r\nlabel=menushell demo\r\n' \
  "$version" | cmp -s - stick/autorun.inf || fail "autorun.inf: $(od -c stick/autorun.inf)"
[[ -z $(find . -maxdepth 1 -name '.*pack-*') ]] || fail "staging left behind"

# The icon by its name on disk, the title's Windows-1252 bytes as written; no icon: the launcher's.
menu icon
mv icon/shellmedia/menu.ico icon/shellmedia/Menu.ICO && mv icon/shellmedia icon/ShellMedia
sed -i 's/^app_name = .*/app_name = "Caf\xe9 menu"/' icon/ShellMedia/menu.shl
run icon -o icon.out --kit kit --force; expect 0 "icon in another case"
grep -q $'^icon=ShellMedia\\\\Menu.ICO\r$' icon.out/autorun.inf && grep -q $'^label=Caf\xe9 menu\r$' icon.out/autorun.inf ||
  fail "icon and label: $(cat -v icon.out/autorun.inf)"
sed -i 's/^app_icon = .*/app_icon = none.ico/' icon/ShellMedia/menu.shl
run icon -o icon.out2 --kit kit --force; expect 0 "missing icon"
grep -q $'^icon=menushell.exe,0\r$' icon.out2/autorun.inf || fail "no icon: $(cat -v icon.out2/autorun.inf)"

# An image: Rock Ridge (names, run bits), Joliet (long names for Windows), label and id.
run m -o Menu.ISO --kit kit; expect 0 "image"
info=$(xorriso -indev Menu.ISO -pvd_info 2>&1)
grep -q '^Volume Id    : MENUSHELL_DEMO$' <<<"$info" && grep -q '^App Id       : MENUSHELL-PACK$' <<<"$info" ||
  fail "image ids: $info"
xorriso -osirrox on -indev Menu.ISO -extract / back >/dev/null 2>&1 || fail "extracting the image"
chmod -R u+w back
same_tree m back image
cmp -s stick/autorun.inf back/autorun.inf || fail "image autorun.inf"
[[ $(stat -c %a back/autorun.sh back/linux/* back/menushell.exe | tr '\n' ' ') == "755 755 755 755 644 " ]] ||
  fail "image modes"
joliet=$(xorriso -rockridge off -joliet on -indev Menu.ISO -find / -name 'Read Me*' 2>/dev/null)
[[ "$joliet" == "'/Read Me First - Long Mixed Case Name.txt'" ]] || fail "Joliet names: $joliet"
run m -o label.iso --kit kit --label 'Über -- große Disc!'; expect 0 "--label"
xorriso -indev label.iso -pvd_info 2>&1 | grep -q '^Volume Id    : BER_GRO_E_DISC$' || fail "--label mapped"

# A medium made before is replaced only with --force; anything else never.
for target in stick Menu.ISO; do
  run m -o "$target" --kit kit; expect 1 "$target again"
  grep -q "exists; --force replaces it" <<<"$err" || fail "$target again: $err"
done
touch stick/stale
run m -o stick --kit kit --force; expect 0 "replacing a folder"
[[ ! -e stick/stale && -z $(find . -maxdepth 1 -name '.*pack-*') ]] || fail "folder not replaced"
run m -o Menu.ISO --kit kit --force; expect 0 "replacing an image"
mkdir foreign && echo mine >foreign/file && echo mine >foreign.iso && : >empty.iso && mkdir emptydir
for target in foreign foreign.iso; do
  run m -o "$target" --kit kit --force; expect 1 "foreign $target"
  grep -q "is not a medium menushell-pack wrote" <<<"$err" || fail "foreign $target: $err"
done
[[ $(cat foreign/file foreign.iso) == $'mine\nmine' ]] || fail "foreign output touched"
run m -o emptydir --kit kit; expect 0 "empty folder"
run m -o empty.iso --kit kit; expect 0 "empty file"
run m -o m/out --kit kit; expect 1 "inside the menu"
[[ ! -e m/out ]] || fail "written inside the menu"

# Places that cannot be written, and what is missing.
touch plain
run m -o plain/out --kit kit; expect 1 "under a file"
grep -q "cannot write plain/out: Not a directory" <<<"$err" || fail "under a file: $err"
run m -o /proc/out --kit kit; expect 1 "in /proc"
grep -q "^menushell-pack: cannot write in /proc: " <<<"$err" || fail "in /proc: $err"
run m -o none --kit nokit; expect 1 "no kit"
grep -q "no kit .* at nokit; scripts/build-portable builds it" <<<"$err" || fail "no kit: $err"
cp -r kit kit2 && rm kit2/linux/menushell_dshow.so
run m -o none --kit kit2; expect 1 "kit without a file"
grep -q "kit at kit2 has no linux/menushell_dshow.so" <<<"$err" || fail "kit file: $err"
mkdir -p inst/bin inst/lib && cp "$pack" inst/bin/ && cp -r kit inst/lib/menushell
code=0; inst/bin/menushell-pack m -o installed >/dev/null 2>&1 || code=$?
[[ $code == 0 && -f installed/linux/menushell ]] || fail "installed kit: exit $code"
code=0; PATH=/nonexistent "$pack" m -o x.iso --kit kit 2>"$work/stderr" || code=$?
[[ $code == 1 ]] && grep -q "needs the xorriso program" "$work/stderr" || fail "without xorriso"
[[ ! -e none && ! -e x.iso ]] || fail "written despite a failure"

# A menu the validator faults: nothing written, unless --force.
menu bad
sed -i 's/^bg_image = back.bmp/bg_image = bak.bmp/' bad/shellmedia/menu.shl
run bad -o bad.out --kit kit; expect 1 "validator problem"
grep -q '^shellmedia/menu.shl:[0-9]*: background "bak.bmp" matches no file' <<<"$err" || fail "problem line: $err"
[[ -z "$out" && ! -e bad.out ]] || fail "written despite a problem"
run bad -o bad.out --kit kit --force; expect 0 "validator problem with --force"
grep -q 'bak.bmp' <<<"$err" && [[ -f bad.out/autorun.inf ]] || fail "--force: $err"

# Names Windows would lose, each with its file; links out of the menu left out with --force.
menu names
touch names/shellmedia/Readme.TXT names/shellmedia/a:b names/con.txt names/dot. "names/blank " \
  names/AUTORUN.INF "names/$(printf 'n%.0s' {1..65})"
ln -s /etc/hostname names/outside && ln -s missing names/dangling && ln -s install names/inside
truncate -s 4294967296 names/huge.bin
run names -o names.out --kit kit; expect 1 "name problems"
for line in 'shellmedia/readme.txt:1: differs only in case from "shellmedia/Readme.TXT"' \
  "shellmedia/a:b:1: the name holds ':'" 'con.txt:1: "con" is a device name' 'dot.:1: the name ends in a dot' \
  'blank :1: the name ends in a blank' "$(printf 'n%.0s' {1..65}):1: the name is 65 characters" \
  'outside:1: is a symbolic link to "/etc/hostname", outside the menu folder' \
  'dangling:1: is a symbolic link to "missing", which does not exist' 'huge.bin:1: is 4294967296 bytes' \
  'AUTORUN.INF:1: menushell-pack writes its own'; do
  grep -qF "$line" <<<"$err" || fail "no problem \"$line\" in: $err"
done
grep -q inside <<<"$err" && fail "a link inside the menu reported: $err"
[[ ! -e names.out ]] || fail "written despite name problems"
rm names/huge.bin
run names -o names.out --kit kit --force; expect 0 "name problems with --force"
[[ ! -e names.out/outside && ! -e names.out/dangling && -f names.out/inside/setup.exe && ! -L names.out/inside ]] ||
  fail "links with --force"
[[ -f names.out/autorun.inf && ! -e names.out/AUTORUN.INF ]] || fail "the medium's own autorun.inf"

# An interrupt while writing leaves neither the medium nor its staging folder.
menu big
truncate -s 3G big/big.bin
for signal in INT TERM; do
  for target in big.out big.iso; do
    "$pack" big -o "$target" --kit kit >/dev/null 2>"$work/stderr" &
    pid=$!
    wait_for '[[ -n $(find . -maxdepth 1 -name ".$target.pack-*") ]]'
    kill -"$signal" "$pid"
    code=0; wait "$pid" || code=$?
    expected=$((128 + $(kill -l "$signal")))
    [[ $code == "$expected" ]] || fail "$signal while writing $target: exit $code: $(cat "$work/stderr")"
    grep -q "interrupted, nothing written" "$work/stderr" || fail "$signal: $(cat "$work/stderr")"
    [[ ! -e $target && -z $(find . -maxdepth 1 -name ".$target.pack-*") ]] || fail "$signal left files"
  done
done
# While xorriso writes: it is stopped too.
truncate -s 1G big/big.bin
"$pack" big -o big.iso --kit kit >/dev/null 2>"$work/stderr" &
pid=$!
wait_for '[[ -n $(find . -maxdepth 2 -path "./.big.iso.pack-*/medium.iso") ]]'
kill -HUP "$pid"
code=0; wait "$pid" || code=$?
[[ $code == 129 && ! -e big.iso && -z $(find . -maxdepth 1 -name ".big.iso.pack-*") ]] ||
  fail "HUP while xorriso writes: exit $code: $(cat "$work/stderr")"
echo "menushell-pack: passed"
