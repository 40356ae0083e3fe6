#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each for SECONDS
# seconds, from its seed corpus and with its dictionary; prints the executions per
# target and every crash, leak or timeout. Not part of the build or of CI.
#   fuzz/run.sh SECONDS [TARGET...]      e.g. fuzz/run.sh 600, fuzz/run.sh 60 occurrences
# FUZZ_FLAGS adds libFuzzer flags, e.g. FUZZ_FLAGS=-len_control=0 for full-size inputs
# from the start.
# Each run starts from fuzz/corpus/<target> plus what earlier runs found (kept under
# build-fuzz/corpus/<target>); findings land in build-fuzz/artifacts/ and a target's
# output in build-fuzz/logs/<target>.log.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] &&
  targets=(key_value_file project_definition content_file expand_line project_history command_line
    occurrences)

. tools/ensure-packages.sh
ensure_packages clang libfuzzer-14-dev cmake ninja-build || exit 1

build=$root/build-fuzz
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi
CXX=${FUZZ_CXX:-clang++-14} cmake -S fuzz -B "$build" -G Ninja >/dev/null || exit 1
cmake --build "$build" -j2 || exit 1

# Line-level targets read one line or a few; the file readers a file. The occurrences
# target may reach past the 16-bit positions of a line.
max_len() {
  case $1 in
    command_line) echo 4096 ;;
    occurrences) echo 40000 ;;
    *) echo 16384 ;;
  esac
}

mkdir -p "$build/artifacts" "$build/logs"
summary=()
failed=0
for target in "${targets[@]}"; do
  work=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$work"
  echo "== $target: ${seconds}s"
  # New inputs go to the first folder only; the committed seeds stay as they are.
  "$build/${target}_fuzzer" "$work" "fuzz/corpus/$target" \
    -dict="fuzz/dict/$target.dict" -max_len="$(max_len "$target")" -timeout=10 \
    -rss_limit_mb=2048 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" ${FUZZ_FLAGS:-} >"$log" 2>&1
  status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -z "$execs" ] && execs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
  finding=$(grep -m1 -E '^==[0-9]+== ?ERROR|^SUMMARY|ALARM: working on the last Unit|runtime error:|deadly signal|out-of-memory' "$log")
  artifact=$(sed -n 's/.*Test unit written to //p' "$log" | tail -1)
  if [ $status -eq 0 ] && [ -z "$finding" ]; then
    result="no finding"
  else
    result="FINDING (exit $status): ${finding:-see $log} ${artifact:+-> $artifact}"
    failed=1
  fi
  summary+=("$(printf '%-20s %12s execs  %s' "$target" "${execs:-?}" "$result")")
  echo "${summary[-1]}"
done

echo
echo "target               executions  result (${seconds}s each)"
printf '%s\n' "${summary[@]}"
exit $failed
