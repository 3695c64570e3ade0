#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What making a medium of the demo menu costs, the kit already built (scripts/build-portable):
#   tools/figures/medium_figures.sh ROUNDS [PACK [KIT]]
# Seconds for menushell-pack to write the demo as an ISO image, against xorriso alone writing
# the same tree (the floor: the image without the checks and the copy), in turn, min / median /
# max over ROUNDS; then the bytes the medium holds beyond the menu's own files, as an image and
# as a folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=$1
pack=$(realpath "${2:-$root/build/app/menushell-pack}")
kit=$(realpath "${3:-$root/build-portable/kit}")
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"

stats() { sort -n | awk '{ v[NR] = $1 } END { printf "%.3f / %.3f / %.3f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
seconds() {  # command...: wall time of one run
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}
"$pack" "$root/examples/demo" -o tree --kit "$kit" >/dev/null
packing=() floor=()
for _ in $(seq "$rounds"); do
  rm -f demo.iso floor.iso
  packing+=("$(seconds "$pack" "$root/examples/demo" -o demo.iso --kit "$kit")")
  floor+=("$(seconds xorriso -no_rc -outdev floor.iso -volid MENUSHELL_DEMO -joliet on \
    -compliance joliet_long_names -map tree / -commit)")
done
echo "the demo to an ISO image (min / median / max of $rounds):"
echo "  menushell-pack: $(printf '%s\n' "${packing[@]}" | stats) s"
echo "  xorriso alone, same tree: $(printf '%s\n' "${floor[@]}" | stats) s"

menu=$(find "$root/examples/demo" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
image=$(stat -c %s demo.iso)
folder=$(find tree -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
mib() { awk -v b="$1" 'BEGIN { printf "%.2f MiB", b / 1048576 }'; }
echo "the menu's own files: $(mib "$menu")"
echo "beyond them: image $(mib $((image - menu))), folder $(mib $((folder - menu)))"
