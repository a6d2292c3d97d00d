#!/usr/bin/env bash
# One entry point for people and CI:
#   dev.sh run [args...]   install what running needs, build, start the program
#   dev.sh test            install what testing needs, build, run every test headless
#   dev.sh package         install what packaging needs, build, make the Debian package
#   dev.sh bench           build and run every benchmark once, briefly (a smoke check)
#   dev.sh setup [WHAT...] only install: run, test, bench, fuzz, look, package (default: run test)
# A second run installs nothing and rebuilds only what changed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${CORVANTA_BUILD_DIR:-$here/build}

# What each activity needs on top of a minimal Debian 12.
packages_run=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev libeigen3-dev
              libcli11-dev nlohmann-json3-dev libgmp-dev
              fonts-liberation2 fonts-dseg fontconfig)
packages_test=(libgtest-dev libgmock-dev libmuparser-dev locales libmpfr-dev librapidcheck-dev)
packages_bench=(libbenchmark-dev libmuparser-dev libfparser-dev)
packages_fuzz=(clang libclang-rt-14-dev)
packages_look=(xvfb xauth openbox imagemagick xdotool)  # seeing the program as a person does
packages_package=(dpkg-dev file lintian)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "dev.sh: this needs root or sudo, and neither is available: $*" >&2
    exit 1
  fi
}

install_missing() {
  local wanted=() missing=()
  for what in "$@"; do
    local -n list="packages_$what"
    wanted+=("${list[@]}")
  done
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  # Remove duplicates, keep the order.
  mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk '!seen[$0]++')
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
    echo "dev.sh: installing packages needs root or sudo, and neither is available." >&2
    echo "As root, run: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Some tests check that numbers never follow a comma-decimal locale; they
# need de_DE.UTF-8, so testing without it is an error, not a skip.
ensure_test_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || {
    echo "dev.sh: the de_DE.UTF-8 locale could not be made; the locale tests need it" >&2
    exit 1
  }
}

# The build directory is configured again whenever the options asked for
# differ from those it was configured with, so CI's -Werror is never lost.
# Options not asked for go back to their defaults.
configure_and_build() {
  local args="${CORVANTA_CMAKE_ARGS:-}" stamp="$build/.dev-sh-options"
  if [ ! -f "$build/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$args" ]; then
    # shellcheck disable=SC2086  # extra arguments are words
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVANTA_WERROR=OFF -DCORVANTA_SANITIZE=OFF -DCORVANTA_BENCH=ON $args
    printf '%s' "$args" > "$stamp"
  fi
  cmake --build "$build"
}

# Every test has a time limit, so a hung test fails with its name.
test_timeout=${CORVANTA_TEST_TIMEOUT:-300}

cmd=${1:-run}
[ $# -gt 0 ] && shift
case "$cmd" in
  setup)
    [ $# -eq 0 ] && set -- run test
    install_missing "$@"
    ;;
  run)
    install_missing run
    configure_and_build
    exec "$build/corvanta" "$@"
    ;;
  test)
    install_missing run test
    ensure_test_locale
    configure_and_build
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout "$test_timeout" -j"$(nproc)"
    ;;
  bench)
    # Each benchmark once, as briefly as it allows: a check that they still
    # run, never a measurement.
    install_missing run bench
    configure_and_build
    for program in "$build"/bench/*_bench; do
      echo "== $(basename "$program") =="
      QT_QPA_PLATFORM=offscreen "$program" --benchmark_min_time=0.001 >/dev/null ||
        { echo "dev.sh: benchmark $(basename "$program") failed" >&2; exit 1; }
    done
    ;;
  package)
    install_missing run package
    configure_and_build
    (cd "$build" && cpack -G DEB)
    deb=$(ls -t "$build"/corvanta_*_*.deb | head -n 1)
    bash "$here/scripts/check-package.sh" "$deb"
    echo "Package: $deb"
    ;;
  *) echo "usage: $0 run [file.cva] | test | bench | package | setup [run|test|bench|fuzz|look|package ...]" >&2; exit 2 ;;
esac
