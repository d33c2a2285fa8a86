#!/usr/bin/env bash
# The benchmark: builds ZQ as the package ships it (./build, installing
# missing packages first), its floors and the plugin that times windows,
# starts an X server of its own (Xvfb, no window manager) and prints one
# line a measure: ZQ's median, the floor's median, the ratio, both ranges and
# the goal. Not a test: the figures depend on the machine and on what else
# it is doing. The cold start needs root (it drops the page cache).
#   bash scripts/bench.sh [--rounds N] [--journal FOLDER] [--only PART]
#     --rounds N        rounds of each measure (default 31)
#     --only PART       programs, engine, report or journal
#     --journal FOLDER  where the journal's cost is measured (default: the
#                       user's data folder, the disk the journal uses)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Qt wants a private runtime folder; a fresh machine's root session has none.
runtime=""
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime="$(mktemp -d)"
  export XDG_RUNTIME_DIR="$runtime"
fi
bash "$root/scripts/build.sh" >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target zq-bench >/dev/null

# Xvfb picks a free display and names it once it accepts clients.
exec {xvfb_out}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; [ -z "$runtime" ] || rm -rf "$runtime"' EXIT
read -r -t 60 -u "$xvfb_out" display_number || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display_number"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(uname -sr)"
# The offscreen platform of the in-process measures says what it cannot do.
"$root/build/bench/zq-bench" "$@" 2> >(grep -v -e 'does not support' >&2)
