# The end-to-end harness, sourced by a test script: an X server of its own,
# one program under it, and helpers to find its window, drive it with
# xdotool and read its pixels back. Everything started is stopped on exit.
#
#   e2e_start_x                   Xvfb on a free display; exports DISPLAY
#   e2e_start PROGRAM [ARGS...]   starts it; its standard output goes to $E2E_LOG,
#                                 COUNTDOWN_WAKE_LOG to $E2E_WAKES
#   e2e_wait_log REGEX [SECONDS]  waits for a line of the log matching it (grep -E)
#   e2e_window NAME               the id of the visible window with that name
#   e2e_capture WINDOW FILE       the window's pixels as an xwd file
#   e2e_probe FILE ARGS...        what XwdProbe says about a capture
#   e2e_wait_exit [SECONDS]       waits for the program to end; fails unless it exits 0
#   e2e_fail MESSAGE              prints the message and the log, and fails
#
# XWD_PROBE names the XwdProbe program (default: beside the program started).

set -euo pipefail

E2E_DIR=$(mktemp -d)
E2E_LOG=$E2E_DIR/program.log
E2E_WAKES=$E2E_DIR/wakes.log
E2E_X_PID=
E2E_PID=

e2e_cleanup() {
  if [[ -n $E2E_PID ]] && kill -0 "$E2E_PID" 2>/dev/null; then kill "$E2E_PID" 2>/dev/null || true; fi
  if [[ -n $E2E_X_PID ]]; then kill "$E2E_X_PID" 2>/dev/null || true; wait "$E2E_X_PID" 2>/dev/null || true; fi
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

e2e_fail() {
  echo "FAIL: $*" >&2
  echo "--- program output ---" >&2
  cat "$E2E_LOG" >&2 2>/dev/null || true
  echo "--- program errors ---" >&2
  tail -n 40 "$E2E_DIR/program.err" >&2 2>/dev/null || true
  echo "--- X server ($DISPLAY) ---" >&2
  tail -n 20 "$E2E_DIR/xvfb.log" >&2 2>/dev/null || true
  exit 1
}

# Polls a command until it succeeds, every 50 ms, for at most $1 seconds.
e2e_poll() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  while ((tries-- > 0)); do
    if "$@"; then return 0; fi
    sleep 0.05
  done
  return 1
}

# A display number of its own, picked at random among many, so that a server
# another test is still shutting down never hands its number on; the server
# counts as started once a client can talk to it. -noreset: a server resets
# when its last client leaves, and refuses connections meanwhile (the probe
# here would otherwise be such a last client).
e2e_start_x() {
  command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed (tools/install-packages)"
  local attempt display
  for attempt in 1 2 3 4 5; do
    display=$((100 + RANDOM % 9000))
    [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]] && continue
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$E2E_DIR/xvfb.log" &
    E2E_X_PID=$!
    if e2e_poll 10 eval 'kill -0 "$E2E_X_PID" 2>/dev/null && DISPLAY=:'"$display"' xdotool getdisplaygeometry >/dev/null 2>&1'; then
      export DISPLAY=":$display"
      return 0
    fi
    kill "$E2E_X_PID" 2>/dev/null || true
    wait "$E2E_X_PID" 2>/dev/null || true
    E2E_X_PID=
  done
  e2e_fail "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
}

e2e_start() {
  XWD_PROBE=${XWD_PROBE:-$(dirname "$1")/XwdProbe}
  COUNTDOWN_WAKE_LOG=$E2E_WAKES "$@" >"$E2E_LOG" 2>"$E2E_DIR/program.err" &
  E2E_PID=$!
}

e2e_log_has() { grep -Eq "$1" "$E2E_LOG"; }

e2e_wait_log() {
  e2e_poll "${2:-10}" e2e_log_has "$1" || e2e_fail "no line matching '$1' (stderr: $(cat "$E2E_DIR/program.err"))"
}

e2e_window() {
  local tries=200 id
  while ((tries-- > 0)); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [[ -n $id ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  e2e_fail "no window named '$1'"
}

e2e_capture() { xwd -silent -id "$1" >"$2" || e2e_fail "xwd could not capture window $1"; }

e2e_probe() { "$XWD_PROBE" "$@"; }

e2e_wait_exit() {
  e2e_poll "${1:-10}" eval '! kill -0 "$E2E_PID" 2>/dev/null' || e2e_fail "the program did not end"
  local rc=0
  wait "$E2E_PID" || rc=$?
  E2E_PID=
  ((rc == 0)) || e2e_fail "the program exited with $rc: $(cat "$E2E_DIR/program.err")"
}
