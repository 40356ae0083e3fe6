#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing. Sourced by run.sh
# and test.sh; quiet when everything is already there.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# qt6-base-dev brings Qt Widgets and Qt Test for the workbench and its widget tests;
# the widget tests render offscreen, which needs a font on the machine. The preview
# server of tarvelo-cli uses cpp-httplib, found with pkg-config. ccache lets the build
# without Qt reuse the objects of the full build. The package test builds the Debian
# package (dpkg-dev for dpkg-shlibdeps) and checks it with lintian,
# desktop-file-validate and update-mime-database.
BUILD_PACKAGES=(cmake g++ make ninja-build pkgconf libgtest-dev libgmock-dev qt6-base-dev
  fonts-dejavu-core libcpp-httplib-dev ccache dpkg-dev file lintian desktop-file-utils
  shared-mime-info)
