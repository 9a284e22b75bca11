#!/usr/bin/env bash
# End-to-end scenarios of KeyEcho under Xvfb: KeyEchoTest.sh SCENARIO PROGRAM
source "$(dirname "$0")/harness.sh"
scenario=$1
program=$2

# Without a display the program stops at once with one line saying so; the
# headless backend runs without one.
if [[ $scenario == backend ]]; then
  rc=0
  env -u DISPLAY -u WAYLAND_DISPLAY "$program" >"$E2E_LOG" 2>"$E2E_DIR/err" || rc=$?
  ((rc != 0)) || e2e_fail "the program ran without a display"
  [[ $(wc -l <"$E2E_DIR/err") == 1 ]] && grep -q "No display found" "$E2E_DIR/err" ||
    e2e_fail "not one clear line: $(cat "$E2E_DIR/err")"
  [[ ! -s $E2E_LOG ]] || e2e_fail "it went on"
  # Nothing can wake the headless loop: GetMessageW fails and the program ends.
  env -u DISPLAY COUNTDOWN_BACKEND=headless "$program" >"$E2E_LOG" || e2e_fail "headless run failed"
  e2e_log_has '^ready$' && e2e_log_has '^closed$' || e2e_fail "headless run incomplete"
  echo "e2e $scenario: 1 passed, 0 failed"
  exit 0
fi

e2e_start_x
e2e_start "$program"
e2e_wait_log '^ready$'
e2e_wait_log '^paint 320 200$'
wid=$(e2e_window "Key Echo")
blue=2878C8

# The lines the log holds after line $1.
lines_after() { tail -n +"$(($1 + 1))" "$E2E_LOG"; }
expect_sequence() {
  # Each argument must appear, in order, among the lines after the mark.
  local mark=$1
  shift
  local got
  got=$(lines_after "$mark" | tr '\n' '|')
  local rest=$got
  for want in "$@"; do
    [[ $rest == *"|$want|"* || $rest == "$want|"* ]] || e2e_fail "expected '$want' after mark $mark in order; got: $got"
    rest=${rest#*"$want|"}
  done
}

case $scenario in
  caption)
    [[ $(xdotool getwindowname "$wid") == "Key Echo" ]] || e2e_fail "caption: $(xdotool getwindowname "$wid")"
    e2e_capture "$wid" "$E2E_DIR/shot.xwd"
    [[ $(e2e_probe "$E2E_DIR/shot.xwd" size) == "320 200" ]] || e2e_fail "size $(e2e_probe "$E2E_DIR/shot.xwd" size)"
    [[ $(e2e_probe "$E2E_DIR/shot.xwd" pixel 160 100) == "$blue" ]] || e2e_fail "centre pixel"
    ;;
  keys)
    xdotool windowfocus --sync "$wid"
    # The desktop's focus activates the window.
    e2e_wait_log '^activate 1$'
    mark=$(wc -l <"$E2E_LOG")
    xdotool key a shift+b ctrl+c alt+d Return 1 F5 Left
    e2e_wait_log '^keyup 37$'
    # vk codes and characters: a, Shift+B, Ctrl+C (ETX), Alt+D (a system
    # character; D goes up after Alt, so as a plain key), Enter (CR), 1, F5,
    # Left. xdotool lets go of the modifier first.
    expect_sequence "$mark" "keydown 65 0" "char 97" "keyup 65" \
      "keydown 16 0" "keydown 66 0" "char 66" "keyup 16" "keyup 66" \
      "keydown 17 0" "keydown 67 0" "char 3" "keyup 17" "keyup 67" \
      "syskeydown 18 0" "syskeydown 68 0" "syschar 100" "syskeyup 18" "keyup 68" \
      "keydown 13 0" "char 13" "keyup 13" "keydown 49 0" "char 49" "keyup 49" \
      "keydown 116 0" "keyup 116" "keydown 37 0" "keyup 37"
    # A key held down repeats: more key-downs with the previous-state bit,
    # each with its character, one key-up.
    mark=$(wc -l <"$E2E_LOG")
    xdotool keydown x
    e2e_wait_log '^keydown 88 1$'
    xdotool keyup x
    e2e_wait_log '^keyup 88$'
    expect_sequence "$mark" "keydown 88 0" "char 120" "keydown 88 1" "char 120" "keyup 88"
    (($(lines_after "$mark" | grep -c '^keyup 88$') == 1)) || e2e_fail "a repeat let go of the key"
    # The typed text shows on the window: pixels that are not background.
    e2e_poll 5 eval 'e2e_capture "$wid" "$E2E_DIR/shot.xwd"; (($(e2e_probe "$E2E_DIR/shot.xwd" differ $blue) > 20))' ||
      e2e_fail "no text drawn"
    [[ $(e2e_probe "$E2E_DIR/shot.xwd" pixel 300 180) == "$blue" ]] || e2e_fail "the background is gone"
    ;;
  resize)
    mark=$(wc -l <"$E2E_LOG")
    xdotool windowsize "$wid" 400 300
    e2e_wait_log '^paint 400 300$'
    expect_sequence "$mark" "size 400 300" "paint 400 300"
    e2e_poll 5 eval 'e2e_capture "$wid" "$E2E_DIR/shot.xwd"; [[ $(e2e_probe "$E2E_DIR/shot.xwd" pixel 390 290) == "$blue" ]]' ||
      e2e_fail "the resized window's corner is not painted"
    [[ $(e2e_probe "$E2E_DIR/shot.xwd" size) == "400 300" ]] || e2e_fail "captured size $(e2e_probe "$E2E_DIR/shot.xwd" size)"
    ;;
  click)
    xdotool mousemove --sync --window "$wid" 50 60 click 1
    e2e_wait_log '^click 50 60$'
    mark=$(wc -l <"$E2E_LOG")
    xdotool mousemove --sync --window "$wid" 70 80 click --repeat 2 --delay 50 1
    e2e_wait_log '^doubleclick 70 80$'
    expect_sequence "$mark" "click 70 80" "doubleclick 70 80"
    # Wheel notches up and down (buttons 4 and 5).
    mark=$(wc -l <"$E2E_LOG")
    xdotool click 4 click 5
    e2e_wait_log '^wheel -120$'
    expect_sequence "$mark" "wheel 120" "wheel -120"
    ;;
  wake)
    # Nothing is due: only the post from another thread can end the wait.
    xdotool windowfocus --sync "$wid"
    xdotool key t
    e2e_wait_log '^posted 7$'
    ;;
  clipboard)
    xdotool windowfocus --sync "$wid"
    xdotool key p
    e2e_wait_log '^clipboard '
    e2e_log_has '^clipboard same$' || e2e_fail "the clipboard changed the text"
    ;;
  idle)
    # After a beep (the audio device opens and closes again) the loop
    # settles: no wake-up for half a second; then 3 idle seconds add none.
    xdotool windowfocus --sync "$wid"
    xdotool key b
    e2e_wait_log '^keyup 66$'

    settled() {
      local before
      before=$(wc -l <"$E2E_WAKES" 2>/dev/null || echo 0)
      sleep 0.5
      [[ $(wc -l <"$E2E_WAKES" 2>/dev/null || echo 0) == "$before" ]]
    }
    e2e_poll 10 settled || e2e_fail "the loop never settled: $(wc -l <"$E2E_WAKES") wake-ups"
    before=$(wc -l <"$E2E_WAKES" 2>/dev/null || echo 0)
    sleep 3
    after=$(wc -l <"$E2E_WAKES" 2>/dev/null || echo 0)
    ((after == before)) || e2e_fail "$((after - before)) wake-ups in 3 idle seconds"
    ;;
  messagebox)
    xdotool windowfocus --sync "$wid"
    xdotool key m
    # The owner's timer ticks while the box shows, the owner disabled.
    e2e_wait_log '^tick 3 enabled 0$'
    [[ $(xdotool search --onlyvisible --name '^Key Echo$' | wc -l) == 2 ]] || e2e_fail "the box's window is not shown"
    xdotool key Return
    e2e_wait_log '^box 1 ticks ([3-9]|[1-9][0-9]+)$'
    ;;
  *) e2e_fail "unknown scenario $scenario" ;;
esac

xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key alt+F4
e2e_wait_log '^closed$'
e2e_wait_exit
# The program's own count of wake-ups matches the log it wrote.
[[ $(grep '^wakeups ' "$E2E_LOG") == "wakeups $(wc -l <"$E2E_WAKES")" ]] ||
  e2e_fail "wake-up count $(grep '^wakeups ' "$E2E_LOG") against $(wc -l <"$E2E_WAKES") logged"
echo "e2e $scenario: 1 passed, 0 failed"
