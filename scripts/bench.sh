#!/usr/bin/env bash
# The benchmark: builds ZQ as the package ships it (./build, installing
# missing packages first) and prints one line a measure. Not a test: the
# figures depend on the machine and on what else it is doing.
#   bash scripts/bench.sh [FOLDER]   FOLDER: where the journal is written
#                                    (default: the user's data folder)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh" >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target zq-bench-journal >/dev/null
"$root/build/bench/zq-bench-journal" "$@"
