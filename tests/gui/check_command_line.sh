#!/bin/sh
# The program's answers to its command line and to a missing display, with their exit codes.
# usage: check_command_line.sh ZARNEL VERSION
zarnel=$1
version=$2
failures=0
out=$(mktemp)
err=$(mktemp)
home=$(mktemp -d)
trap 'rm -f "$out" "$err"; rm -rf "$home"' EXIT

# expect CASE STATUS [env ...] -- ARGS: runs zarnel and compares its exit status.
expect() {
  name=$1 want=$2
  shift 2
  env "$@" "$zarnel" $ARGS >"$out" 2>"$err"
  got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL $name: exit $got, want $want"; cat "$out" "$err"; failures=$((failures + 1))
  fi
}
# output_is CASE FILE TEXT: the whole of FILE is TEXT.
output_is() {
  if [ "$(cat "$2")" != "$3" ]; then
    echo "FAIL $1: got '$(cat "$2")', want '$3'"; failures=$((failures + 1))
  fi
}
# output_has CASE FILE TEXT: FILE holds TEXT somewhere.
output_has() {
  if ! grep -q -e "$3" "$2"; then
    echo "FAIL $1: no '$3' in '$(cat "$2")'"; failures=$((failures + 1))
  fi
}

ARGS=--help expect help 0
output_has help "$out" "--version"
output_is help-quiet "$err" ""
# There are no toolkit options to list: --help-all is taken, and not offered.
if grep -q -e "--help-all" "$out"; then
  echo "FAIL help: offers --help-all"; failures=$((failures + 1))
fi

ARGS=--help-all expect help-all 0
output_has help-all "$out" "--version"

ARGS=--version expect version 0
output_is version "$out" "zarnel $version"

# An answer written nowhere is no success.
"$zarnel" --version >/dev/full 2>"$err"
got=$?
if [ "$got" -ne 1 ]; then
  echo "FAIL version-unwritten: exit $got, want 1"; failures=$((failures + 1))
fi
output_is version-unwritten "$err" "zarnel: cannot write the answer"
"$zarnel" --version >&- 2>"$err"
got=$?
if [ "$got" -ne 1 ]; then
  echo "FAIL version-closed: exit $got, want 1"; failures=$((failures + 1))
fi

# A stream closed at start is held on /dev/null before anything else can take its number: by
# the time the event loop's descriptor exists (the first the program opens), it is settled.
# The window opens for real, so in a home of its own and outside the tester's session: its
# start-up may make the desktop folder, and asks the session's panels.
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CONFIG_DIRS \
  -u XDG_DATA_DIRS -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_SESSION_VERSION -u SWAYSOCK \
  HOME="$home" QT_QPA_PLATFORM=offscreen "$zarnel" 2>&- &
pid=$!
tries=0
until find "/proc/$pid/fd" -lname 'anon_inode:\[eventfd\]' 2>/dev/null | grep -q . ||
  [ "$tries" -ge 300 ] || ! kill -0 "$pid" 2>/dev/null; do
  sleep 0.1; tries=$((tries + 1))
done
held=$(readlink "/proc/$pid/fd/2")
kill "$pid"; wait "$pid" 2>/dev/null
if [ "$held" != /dev/null ]; then
  echo "FAIL closed-stderr: descriptor 2 is '$held'"; failures=$((failures + 1))
fi

ARGS=--no-such-option expect unknown-option 2
output_has unknown-option "$err" "no-such-option"
output_is unknown-option-quiet "$out" ""

ARGS=stray expect stray-argument 2
output_has stray-argument "$err" "stray"

# Outside any desktop session, even when the tests run in one: a Wayland session's Qt would
# find the compositor's socket in the runtime folder with no display named.
NO_SESSION="-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE -u XDG_RUNTIME_DIR"

# No display at all: one line, exit 1, not Qt's abort.
ARGS= expect no-display 1 $NO_SESSION
output_is no-display "$err" "zarnel: no display; run it in a desktop session or under xvfb-run"

# A display named but not reached, or a display plugin asked for and not installed (a Wayland
# desktop without Qt's Wayland plugin): Qt's reason, not the advice to find a display.
ARGS= expect unreachable-display 1 $NO_SESSION DISPLAY=:987
output_has unreachable-display "$err" "^zarnel: cannot open the window: .*:987"
ARGS= expect unreachable-wayland 1 $NO_SESSION WAYLAND_DISPLAY=zarnel-no-such-socket QT_QPA_PLATFORM=wayland
output_has unreachable-wayland "$err" "^zarnel: cannot open the window: .*wl_display"
ARGS= expect missing-plugin 1 $NO_SESSION QT_QPA_PLATFORM=nosuchplugin
output_has missing-plugin "$err" "^zarnel: cannot open the window: .*nosuchplugin"
# A display named, and the X plugin installed but not loadable (a library it needs is broken):
# the plugin's failure, not the display's absence.
broken=$(mktemp -d)
echo "not a library" > "$broken/libxcb-icccm.so.4"
ARGS= expect unloadable-plugin 1 $NO_SESSION DISPLAY=:987 QT_QPA_PLATFORM=xcb LD_LIBRARY_PATH="$broken"
output_has unloadable-plugin "$err" "^zarnel: cannot open the window: .*xcb"
# Tried after a Wayland display that refused, the X plugin's own failure is still told.
ARGS= expect unloadable-second-plugin 1 $NO_SESSION DISPLAY=:987 WAYLAND_DISPLAY=zarnel-no-such-socket \
  QT_QPA_PLATFORM="wayland;xcb" LD_LIBRARY_PATH="$broken"
output_has unloadable-second-plugin "$err" "^zarnel: cannot open the window: .*wl_display.*xcb"
rm -r "$broken"

[ "$failures" -eq 0 ]
