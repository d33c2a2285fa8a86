#!/usr/bin/env bash
# Builds ZQ with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-sanitized and runs every test suite there, leak checks included.
# Any sanitizer report fails the test it comes from, and so this script.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-sanitized" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON >/dev/null
cmake --build "$root/build-sanitized" -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"

cd "$root/build-sanitized"
ctest --output-on-failure -j"$(nproc)"
