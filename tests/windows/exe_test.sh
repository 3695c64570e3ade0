#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks what the Windows executables given carry besides their code: no debug sections or
# symbols; a version resource with the project's version (CMakeLists.txt), its name, a
# description and the licence, its strings in the language its translation names; a well-formed
# application manifest with no DPI awareness, so that Windows scales the menu; nothing imported
# that Windows XP lacks.
set -euo pipefail
(($#)) || { echo "usage: $0 menushell.exe..."; exit 2; }
version=$(sed -n 's/^project(menushell VERSION \([0-9.]*\) .*/\1/p' \
  "$(dirname "$0")/../../CMakeLists.txt")
[[ -n "$version" ]] || { echo "FAIL: no project version in CMakeLists.txt"; exit 1; }
IFS=. read -r major minor patch <<<"$version"
objdump=x86_64-w64-mingw32-objdump  # reads 32-bit executables too
windres=x86_64-w64-mingw32-windres

failed=0
fail() { echo "FAIL: $exe: $*"; failed=1; }
in_manifest() {  # XPath: how many nodes of $manifest it finds
  xmllint --xpath "count($1)" - <<<"$manifest"
}
value() {  # key: its value in the version resource's strings
  sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"\$/\1/p" <<<"$resources"
}

stripped() {
  local debug
  debug=$("$objdump" -h "$exe" | awk '$2 ~ /^\.(z?debug|stab)/ { printf " %s", $2 }')
  [[ -z "$debug" ]] || fail "debug sections:$debug"
  ! "$objdump" -f "$exe" | grep -qw HAS_SYMS || fail "a symbol table"
}

versioned() {
  local field key block language codepage
  grep -qx '1 VERSIONINFO' <<<"$resources" || { fail "no version resource"; return; }
  for field in FILEVERSION PRODUCTVERSION; do
    grep -qx " $field $major, $minor, $patch, 0" <<<"$resources" ||
      fail "$field is not $version: $(grep " $field " <<<"$resources")"
  done
  for key in FileVersion ProductVersion; do
    [[ "$(value "$key")" == "$version" ]] || fail "$key is '$(value "$key")', not $version"
  done
  [[ "$(value ProductName)" == menushell ]] || fail "ProductName is '$(value ProductName)'"
  [[ -n "$(value FileDescription)" ]] || fail "no FileDescription"
  [[ "$(value LegalCopyright)" == *"MIT License"* ]] ||
    fail "LegalCopyright does not name the licence: '$(value LegalCopyright)'"
  # Windows shows the strings of the block that the translation names, and no others.
  block=$(sed -n 's/^ *BLOCK "\([0-9A-Fa-f]\{8\}\)"$/\1/p' <<<"$resources")
  read -r language codepage < <(sed -n \
    's/^ *VALUE "Translation", \(0x[0-9a-f]*\), \([0-9]*\)$/\1 \2/p' <<<"$resources") || true
  [[ "${block^^}" == "$(printf '%04X%04X' "${language:-0}" "${codepage:-0}")" ]] ||
    fail "strings in block '$block', translation '${language:-none} ${codepage:-}'"
}

# Windows reads the manifest of an executable from resource 1 of type 24, and refuses to start
# the program when it is not well-formed.
manifested() {
  local manifest
  manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
  [[ -n "$manifest" ]] || { fail "no manifest"; return; }
  xmllint --noout - <<<"$manifest" 2>/dev/null ||
    { fail "the manifest is not well-formed: $manifest"; return; }
  local root="/*[local-name()='assembly' and namespace-uri()='urn:schemas-microsoft-com:asm.v1']"
  [[ "$(in_manifest "$root")" == 1 ]] || fail "the manifest's root is not an assembly"
  [[ "$(in_manifest "//*[starts-with(local-name(), 'dpiAware')]")" == 0 ]] ||
    fail "the manifest declares DPI awareness"
}

# Functions of KERNEL32 that Windows XP lacks and that runtimes are known to import (the POSIX
# threads one took GetTickCount64); and a subsystem version XP accepts (5.1, 5.2 for XP x64).
vista_only=(GetTickCount64 InitializeCriticalSectionEx InitOnceExecuteOnce
  InitializeConditionVariable SleepConditionVariableCS WakeConditionVariable
  WakeAllConditionVariable InitializeSRWLock AcquireSRWLockExclusive ReleaseSRWLockExclusive
  FlsAlloc FlsGetValue FlsSetValue FlsFree GetFinalPathNameByHandleW CompareStringEx
  LCMapStringEx GetLocaleInfoEx)
runs_on_xp() {
  local headers imported name
  headers=$("$objdump" -p "$exe")
  for name in "${vista_only[@]}"; do
    grep -qE "^\s+[0-9a-f]+\s+[0-9]+\s+$name\$" <<<"$headers" && imported+=" $name"
  done
  [[ -z ${imported:-} ]] || fail "imports what Windows XP lacks:$imported"
  local major minor
  major=$(awk '/^MajorSubsystemVersion/ { print $2 }' <<<"$headers")
  minor=$(awk '/^MinorSubsystemVersion/ { print $2 }' <<<"$headers")
  local newest=501
  grep -q 'Magic.*020b' <<<"$headers" && newest=502
  ((major * 100 + minor <= newest)) || fail "subsystem version $major.$minor is newer than XP's"
}

for exe in "$@"; do
  stripped
  runs_on_xp
  resources=$("$windres" -J coff -i "$exe" -O rc)
  versioned
  manifested
done
((failed == 0)) && echo "windows executables: passed"
exit "$failed"
