#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine:
#   ./zarnel.sh run    install what is needed, build, open the window
#   ./zarnel.sh test   install what is needed, build, run every test (asan, release, and on an
#                      x86-64 machine the Windows build under wine), then pack the release
#                      build and lint it
#   ./zarnel.sh wine PROGRAM [ARGS]   run a built .exe in the project's wine prefix
#   ./zarnel.sh win    install what is needed, cross-build zarnel.exe, pack zarnel-<version>-win64.zip
#   ./zarnel.sh bench  install what is needed, build the release preset, run the benchmarks
#   ./zarnel.sh deb    install what is needed, build the release preset, pack it as a .deb
#   ./zarnel.sh fuzz [SECONDS]  build the fuzz preset (clang) and run every target that long
#                      (60 s each by default), starting from its corpus under fuzz/corpus
set -euo pipefail
cd "$(dirname "$0")"
# What the build writes, the package's folders among them, is readable by all whatever the
# caller's umask (002 on many desktops, 077 on hardened ones): lintian rejects anything else.
caller_umask=$(umask)
umask 022

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libxcb1-dev libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic
  xvfb xauth
  dpkg-dev file librsvg2-bin
  xdg-utils
  qt6-wayland
)

# Only the test command needs these: the validators of the desktop files, the package's and the
# manual page's, and a btrfs volume for the volume tests to mount.
check_packages=(desktop-file-utils appstream lintian groff-base btrfs-progs)

# The Windows cross-build, and with its tests under wine; the window on Linux needs none of
# these.
cross_packages=(g++-mingw-w64-x86-64-posix)
windows_packages=("${cross_packages[@]}" googletest wine64 wine locales)

# Only the fuzz command needs these; the test command replays the corpora without them.
fuzz_packages=(clang libclang-rt-14-dev)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "zarnel: installing needs root: run this as root, or install sudo" >&2
    exit 1
  fi
}

install_packages() {
  local missing=()
  for p in "${packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "zarnel: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Wine's code page follows the Unix locale: ja_JP.UTF-8 gives the 932 of Japanese Windows.
generate_japanese_locale() {
  # grep reads the whole list: quitting at the first match would end locale with SIGPIPE,
  # which pipefail takes for the locale missing.
  locale -a 2>/dev/null | grep -ix 'ja_JP.utf8' >/dev/null \
    || as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

wine_prefix=tools/wine/wineprefix.sh

# Wine runs the x86-64 Windows build only on an x86-64 machine (Debian has no wine64 for armhf,
# and arm64's runs only arm64 programs): elsewhere the Windows tests are left out, and said so.
windows_tests_here() {
  [ "$(dpkg --print-architecture)" = amd64 ]
}

# build PRESET [TARGET]: configure once, then build everything or just TARGET.
build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" ${2:+--target "$2"}
}

case "${1:-}" in
  run)
    install_packages
    build release zarnel
    # The window, and the browser it may start, create files as the caller would.
    umask "$caller_umask"
    # With no graphical session the window opens on a virtual display of its own.
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "zarnel: no display: the window runs unseen on Xvfb; Ctrl+C ends it" >&2
      exec xvfb-run -a build/release/ui/qt/zarnel
    fi
    exec build/release/ui/qt/zarnel
    ;;
  test)
    windows=()
    windows_tests_here && windows=("${windows_packages[@]}")
    install_packages "${check_packages[@]}" "${windows[@]}"
    # Now, while sudo still holds the password given for the packages.
    ((${#windows[@]})) && generate_japanese_locale
    # asan runs every test under the sanitizers; release is what users run, and -O3 warns
    # where -O0 does not. debug stays for developers.
    for preset in asan release; do
      build "$preset"
      ctest --preset "$preset" -j2
    done
    cmake --build --preset release --target package
    tests/packaging/lint_package.sh build/release
    if ! ((${#windows[@]})); then
      echo "zarnel: the Windows build's tests need an x86-64 machine; left out on $(dpkg --print-architecture)" >&2
      exit 0
    fi
    # The prefix's server runs from here to the end of the tests, detached from ctest's pipes.
    trap '"$wine_prefix" stop' EXIT
    "$wine_prefix" prepare
    build mingw
    ctest --preset mingw -j2
    ;;
  wine)
    shift
    [ $# -ge 1 ] || { echo "usage: $0 wine PROGRAM [ARGS]" >&2; exit 2; }
    windows_tests_here || {
      echo "zarnel: wine runs the x86-64 Windows build only on an x86-64 machine" >&2
      exit 1
    }
    install_packages "${windows_packages[@]}"
    generate_japanese_locale
    trap '"$wine_prefix" stop' EXIT
    # The program, and a browser it may start, create files as the caller would.
    umask "$caller_umask"
    "$wine_prefix" run "$@"
    ;;
  bench)
    install_packages
    build release
    for b in build/release/bench/zarnel_bench_*; do "$b"; done
    ;;
  deb)
    install_packages
    build release
    cmake --build --preset release --target package
    ;;
  win)
    # The cross-build needs no wine: it runs on any machine.
    install_packages "${cross_packages[@]}"
    build mingw-release
    cmake --build --preset mingw-release --target windows-zip
    ls build/mingw-release/zarnel-*-win64.zip
    ;;
  fuzz)
    seconds="${2:-60}"
    # libFuzzer reads the digits up to the first other character and runs for ever on none.
    if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
      echo "usage: $0 fuzz [SECONDS]  (a whole number of seconds per target)" >&2
      exit 2
    fi
    install_packages "${fuzz_packages[@]}"
    build fuzz
    failed=()
    for target in build/fuzz/fuzz/zarnel_fuzz_*; do
      name="${target##*/zarnel_fuzz_}"
      # New inputs go to a scratch corpus; the committed seeds are only read.
      found="build/fuzz/corpus/$name"
      mkdir -p "$found"
      echo "zarnel: fuzzing $name for ${seconds}s"
      # One target's finding must not keep the others from running.
      "$target" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/$name-" "$found" "fuzz/corpus/$name" || failed+=("$name")
    done
    if ((${#failed[@]})); then
      echo "zarnel: findings in ${failed[*]} (inputs under build/fuzz/)" >&2
      exit 1
    fi
    echo "zarnel: every target ran clean for ${seconds}s"
    ;;
  *)
    echo "usage: $0 run|test|bench|deb|win|fuzz [SECONDS]|wine PROGRAM [ARGS]" >&2
    exit 2
    ;;
esac
