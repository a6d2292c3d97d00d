#!/usr/bin/env bash
# One entry point for people and CI:
#   dev.sh run [args...]   install what is missing, build, start the program
#   dev.sh test            install what is missing, build, run every test headless
#   dev.sh setup           only install what is missing
# A second run installs nothing and rebuilds only what changed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${CORVANTA_BUILD_DIR:-$here/build}

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libmuparser-dev libfparser-dev libeigen3-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-dseg fontconfig
  xvfb xauth locales
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The tests check that numbers never follow a comma-decimal locale.
ensure_test_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

configure_and_build() {
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$build"
}

cmd=${1:-run}
[ $# -gt 0 ] && shift
case "$cmd" in
  setup) install_missing ;;
  run)
    install_missing
    configure_and_build
    exec "$build/corvanta" "$@"
    ;;
  test)
    install_missing
    ensure_test_locale
    configure_and_build
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
  *) echo "usage: $0 run [file.cva] | test | setup" >&2; exit 2 ;;
esac
