#!/usr/bin/env bash
# The long form of the crash trials: N kills of a generation run and N kills of a
# Replace (default 250), niced so the machine stays usable. Prints the seed of each
# trial (TARVELO_CRASH_SEED=S replays one) and the kills survived.
# usage: tests/crash/run.sh [N]   (BUILD=folder names another build; default build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target crash_trial_test >/dev/null
TARVELO_CRASH_KILLS=${1:-250} exec nice -n 10 "$build/tests/crash/crash_trial_test"
