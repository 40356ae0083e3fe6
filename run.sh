#!/usr/bin/env bash
# Installs what is missing, builds, and generates the bundled overview sample Project
# with the console front end in a program folder of its own.
set -euo pipefail
cd "$(dirname "$0")"
. tools/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j2

home=${TARVELO_HOME:-${XDG_CONFIG_HOME:-$HOME/.config}/tarvelo}
export TARVELO_HOME=$home
project="$home/overview/Tarvelo CMS Overview.web"
status=0
build/tarvelo-cli "/project=$project" || status=$?
index="$home/overview/index.html"
if [ -f "$index" ]; then
  echo "Generated site: $index"
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then
    xdg-open "$index" >/dev/null 2>&1 || true
  fi
fi
exit $status
