#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What installing packages costs on a minimal Debian system: how many packages apt would add
# and their installed size, without and with Recommends, for each set of .debs given:
#   tools/figures/install_size.sh "A.deb [B.deb ...]" ["C.deb ..."]   (each argument one set)
# The minimal system is this machine's Essential and required packages with what they depend
# on, as apt's state (a status file); apt only simulates, nothing is installed. Package sizes are
# the Installed-Size fields of the archive's packages and of the .debs.
set -euo pipefail
status=$(mktemp)
trap 'rm -f "$status"' EXIT
awk -v RS= -v ORS='\n\n' '/\nStatus: install ok installed/ && /\nArchitecture: (amd64|all)/' \
  /var/lib/dpkg/status > "$status.all"
python3 - "$status.all" "$status" <<'PY'
import re, sys
entries = [p for p in open(sys.argv[1]).read().split('\n\n') if p.strip()]
pk = {re.search(r'^Package: (\S+)', p, re.M).group(1): p for p in entries}
provides = {}
for name, p in pk.items():
    m = re.search(r'^Provides: (.*)$', p, re.M)
    for x in (m.group(1).split(',') if m else []):
        provides.setdefault(x.strip().split(' ')[0], name)
def deps(p):
    for field in ('Depends', 'Pre-Depends'):
        m = re.search('^' + field + r': (.*)$', p, re.M)
        for alternatives in (m.group(1).split(',') if m else []):
            for a in alternatives.split('|'):
                n = a.strip().split(' ')[0].split(':')[0]
                if n in pk or n in provides:
                    yield n if n in pk else provides[n]
                    break
todo = [n for n, p in pk.items() if re.search(r'^(Essential: yes|Priority: required)', p, re.M)]
keep = set()
while todo:
    n = todo.pop()
    if n not in keep:
        keep.add(n)
        todo.extend(deps(pk[n]))
open(sys.argv[2], 'w').write('\n\n'.join(pk[n] for n in sorted(keep)) + '\n\n')
PY
rm -f "$status.all"
for set in "$@"; do
  read -ra debs <<<"$set"
  for i in "${!debs[@]}"; do debs[i]=$(realpath "${debs[i]}"); done
  for recommends in --no-install-recommends --install-recommends; do
    mapfile -t added < <(apt-get -s -o Dir::State::status="$status" install "$recommends" \
      "${debs[@]}" 2>/dev/null | awk '/^Inst / { print $2 }')
    kib=0
    archive=()
    for p in "${added[@]}"; do
      local_size=""
      for d in "${debs[@]}"; do
        [[ $(dpkg-deb -f "$d" Package) == "$p" ]] && local_size=$(dpkg-deb -f "$d" Installed-Size)
      done
      if [[ -n $local_size ]]; then kib=$((kib + local_size)); else archive+=("$p"); fi
    done
    if ((${#archive[@]})); then
      kib=$((kib + $(apt-cache show --no-all-versions "${archive[@]}" |
        awk '/^Installed-Size:/ { s += $2 } END { print s + 0 }')))
    fi
    gst=$(printf '%s\n' "${added[@]}" | grep -c gstreamer || true)
    printf '%s %s: %d packages, %.1f MiB (GStreamer: %d packages)\n' "${debs[*]##*/}" \
      "${recommends#--}" "${#added[@]}" "$(echo "$kib / 1024" | bc -l)" "$gst"
  done
done
