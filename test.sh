#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# SANITIZE=1 ./test.sh builds and tests once more with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")"
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j2
  ctest --test-dir "$dir" --output-on-failure -j2
}

run_suite build
if [ "${SANITIZE:-0}" = "1" ]; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite build-sanitize -DTARVELO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
fi
