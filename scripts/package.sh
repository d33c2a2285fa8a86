#!/usr/bin/env bash
# Builds the Debian package build/zq_<version>_amd64.deb (installing missing
# packages first). Install it with: apt-get install ./build/zq_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
cd "$root/build"
cpack -G DEB
ls -l "$root"/build/zq_*.deb
