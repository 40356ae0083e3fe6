#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds and
# tests the console alone, without Qt, as a server or CI image would.
# SANITIZE=1 ./test.sh builds and tests once more with AddressSanitizer and UBSan: the
# core, the console and their tests (the hostile corpus too), without Qt.
set -euo pipefail
cd "$(dirname "$0")"
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
tools/layer-check  # before anything builds: a wrong include fails at once

# The build without Qt compiles the same core sources: ccache hands it the objects of
# the full build instead of compiling them twice. The build folder is left out of the
# hash (it only names the folder in the debug information), or no object would match.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
fi

run_suite() {
  local dir=$1 start=$SECONDS; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j2
  ctest --test-dir "$dir" --output-on-failure -j2
  echo "test.sh: $dir built and tested in $((SECONDS - start)) s"
}

run_suite build
run_suite build-nogui -DTARVELO_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON --no-warn-unused-cli
# The windows are thin over the core; Qt compiled and run under the sanitizers would
# more than double this build's time for code that hands its work to the core.
if [ "${SANITIZE:-0}" = "1" ]; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite build-sanitize -DTARVELO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DTARVELO_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON --no-warn-unused-cli
fi
