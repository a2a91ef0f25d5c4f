#!/usr/bin/env bash
# Owns the one wine prefix that runs zarnel's Windows build:
#   wineprefix.sh prepare          create the prefix once, start its server, set the fonts; a
#                                  folder ZARNEL_WINEPREFIX names must be new, empty or made
#                                  by this script, and any other is refused, never deleted
#   wineprefix.sh run PROGRAM ...  run a .exe in it (what ctest uses as its emulator)
#   wineprefix.sh stop             end its server and the services it started, unless
#                                  another run still uses them; in a prefix of its own only
#   wineprefix.sh path             print where the prefix lives
# The prefix lives outside the source tree (ZARNEL_WINEPREFIX, else the user's cache), so a
# fresh build folder does not cost a new 700 MB prefix. Programs run in ja_JP.UTF-8, which gives
# the ANSI code page 932 of the machines the window is for.
set -euo pipefail

# The user's cache; a caller without HOME (env -i, some service managers) gets the passwd home's.
cache_folder() {
  if [ -n "${XDG_CACHE_HOME:-}" ]; then echo "$XDG_CACHE_HOME"; return; fi
  local home="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6 || true)}"
  if [ -z "$home" ]; then
    echo "wineprefix.sh: no home folder; set ZARNEL_WINEPREFIX" >&2
    exit 1
  fi
  echo "$home/.cache"
}
prefix="${ZARNEL_WINEPREFIX:-$(cache_folder)/zarnel/wineprefix}"

# Whether the prefix is the script's own: its cache folder is, by name (one an earlier version
# left half-made too); a folder the caller names is once the script has marked it.
prefix_is_ours() {
  [ -z "${ZARNEL_WINEPREFIX:-}" ] || [ -e "$prefix/.zarnel-made" ] || [ -e "$prefix/.zarnel-ready" ]
}
locale_name="${ZARNEL_WINE_LOCALE:-ja_JP.UTF-8}"
# Beside the prefix, which a first preparation deletes.
users_lock="$prefix.users.lock"

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko prompt: nothing here needs them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG="$locale_name"
# Any LC_ variable, LC_CTYPE above all, would override LANG and give wine another code page (an
# ssh login passes the client's own on).
unset LC_ALL LC_CTYPE LC_COLLATE LC_MESSAGES LC_NUMERIC LC_TIME LC_MONETARY LC_PAPER LC_NAME \
  LC_ADDRESS LC_TELEPHONE LC_MEASUREMENT LC_IDENTIFICATION

die() {
  echo "wineprefix.sh: $*" >&2
  exit 1
}

# Without the generated locale wine stays at code page 1252, or, with LC_ALL alone, reads every
# Unix string as 7-bit: both silently wrong, so refuse to go on.
check_locale() {
  # grep reads the whole list: quitting at the first match would end locale with SIGPIPE,
  # which pipefail takes for the pipeline failing.
  locale -a 2>/dev/null | grep -ix "${locale_name/UTF-8/utf8}" >/dev/null \
    || die "locale $locale_name is not generated (localedef -i ja_JP -f UTF-8 ja_JP.UTF-8)"
}

# wineserver's socket for this prefix, named in hex after the prefix's device and inode. Debian's
# wine keeps it under a private folder of the temporary directory whose name it writes into the
# prefix; upstream wine uses /tmp/.wine-UID.
server_socket() {
  local dev inode base="/tmp/.wine-$(id -u)"
  read -r dev inode < <(stat -c '%d %i' "$prefix")
  [ -r "$prefix/wineserver" ] && base="${TMPDIR:-/tmp}/$(<"$prefix/wineserver")"
  printf '%s/server-%x-%x/socket' "$base" "$dev" "$inode"
}

# A persistent server, started with no inherited pipe: started inside ctest's process tree its
# services would hold ctest's output open and the first test would never end. One caller at a
# time: with ctest -j2 and no server, a second program started while the first caller's wineboot
# was still setting the prefix up, and could then hang at its exit.
ensure_server() {
  local lock
  exec {lock}>"$prefix/.zarnel-server.lock"
  flock "$lock"
  if [ ! -S "$(server_socket)" ]; then
    setsid wineserver -p </dev/null >/dev/null 2>&1 {lock}>&- &
    wine wineboot </dev/null >/dev/null 2>&1 {lock}>&-
  fi
  exec {lock}>&-
}

font_substitutes() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local face
  # Wine has no Japanese face of its own; these are the names the window and the dialogs ask for.
  for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg"; do
    wine reg add "$key" /v "$face" /d IPAPGothic /f </dev/null >/dev/null 2>&1
  done
}

# The X display when there is one (screenshots under xvfb-run), else wine's null driver, which
# still runs windows, messages, timers and GDI drawing: the window's tests need no X server.
graphics_driver() {
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f </dev/null >/dev/null 2>&1
}

# Drive n: is a network share onto drive_c's folder, as wine is told to see it: the provider asks
# network shares on a helper thread, and the facts check compares n: with c:. Done once per
# prefix, with no server running: wine's mount manager reads the drives' types as it starts.
network_share() {
  [ -e "$prefix/.zarnel-network-share" ] && return 0
  wineserver -k 2>/dev/null || true
  wineserver -w
  ln -sfn ../drive_c "$prefix/dosdevices/n:"
  wine reg add 'HKLM\Software\Wine\Drives' /v n: /d network /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.zarnel-network-share"
}

prepare() {
  check_locale
  if [ ! -e "$prefix/.zarnel-ready" ]; then
    # A half-made prefix of this script's own is made again. Any other folder is someone's:
    # a prefix of theirs, or a home named by mistake, is never deleted.
    if [ -e "$prefix" ] && ! prefix_is_ours \
      && [ -n "$(ls -A "$prefix" 2>/dev/null || echo unreadable)" ]; then
      die "$prefix holds what this script did not make: set ZARNEL_WINEPREFIX to a new or empty folder"
    fi
    rm -rf "$prefix"
    mkdir -p "$prefix"
    touch "$prefix/.zarnel-made"
    wine wineboot -i </dev/null >/dev/null 2>&1
    # Before the desktop first starts under a server that stays: started with no display and
    # without this key, it has no driver and refuses every window until that server ends.
    graphics_driver
    wineserver -w
    touch "$prefix/.zarnel-ready"
  fi
  network_share
  ensure_server
  # After the server is up in this locale: wine rewrites "MS Shell Dlg" when the code page changes.
  font_substitutes
  graphics_driver
  touch "$prefix/.zarnel-prepared"
}

# One preparation at a time: two tests started together on a fresh prefix would each delete it
# and boot it again under the other. The lock lies beside the prefix, which preparing deletes,
# and `flock -o` keeps it from the servers preparing starts, which would hold it for good.
with_prefix_lock() {
  mkdir -p "$(dirname "$prefix")"
  flock -o "$prefix.lock" bash "$0" "$@"
}

# Runs a program and exits with its status. Wine ends its programs with status 0 when their
# server goes away, so a test binary cut short would pass: GoogleTest makes this file as it
# starts and deletes it once it has finished, and a file left behind is a run that never ended.
run_program() {
  local marker status=0
  marker="$(mktemp -u)"
  TEST_PREMATURE_EXIT_FILE="Z:${marker//\//\\}" wine "$@" || status=$?
  if [ -e "$marker" ]; then
    rm -f "$marker"
    die "$1 ended before it had finished"
  fi
  exit "$status"
}

case "${1:-}" in
  prepare) with_prefix_lock locked-prepare ;;
  locked-prepare) prepare ;;
  locked-prepare-once) [ -e "$prefix/.zarnel-prepared" ] || prepare ;;
  run)
    shift
    [ $# -ge 1 ] || die "run needs a program"
    [ -e "$prefix/.zarnel-prepared" ] || with_prefix_lock locked-prepare-once
    # Each run holds a shared lock for as long as it runs, which a stop asks for alone.
    exec flock -s -o "$users_lock" bash "$0" locked-run "$@"
    ;;
  locked-run)
    shift
    ensure_server
    run_program "$@"
    ;;
  stop)
    # The last run to stop ends the server: ending it under a run still going (a test binary
    # of another ctest, a window the developer left open) would cut that run short. Only in a
    # prefix of the script's own: a folder it refused may be the user's prefix, running the
    # user's programs.
    if [ -d "$prefix" ] && prefix_is_ours; then
      flock -n -o "$users_lock" wineserver -k 2>/dev/null || true
    fi
    ;;
  path) echo "$prefix" ;;
  *)
    echo "usage: $0 prepare|run PROGRAM [ARGS]|stop|path" >&2
    exit 2
    ;;
esac
