#!/usr/bin/env bash
# End-to-end scenarios of the countdown program under Xvfb:
#   CountdownTest.sh SCENARIO PROGRAM [SCREENSHOT.png]
# The program starts from its own folder, where "bip.wav" is, as ./run
# starts it.
source "$(dirname "$0")/harness.sh"
scenario=$1
program=$(realpath "$2")
screenshot=${3:-}

e2e_start_x
cd "$(dirname "$program")"
e2e_start "$program"
wid=$(e2e_window "Tempravo de 40 Segundos")
shot=$E2E_DIR/shot.xwd

# Black (the number in its default colour) and red pixels above the bottom
# row of buttons.
number_pixels() {
  e2e_capture "$wid" "$shot"
  e2e_probe "$shot" countin 0 0 790 440 "$1"
}
black() { number_pixels 000000; }
red() { number_pixels FF0000; }
now_ms() { date +%s%3N; }

# Waits until the number's black pixels differ from $1; prints the count
# and when the capture that saw it began (ms since the epoch), so that the
# time a capture takes does not count.
wait_change() {
  local from=$1 deadline=$(($(now_ms) + ${2:-5000})) n at
  while (($(now_ms) < deadline)); do
    at=$(now_ms)
    n=$(black)
    if [[ $n != "$from" ]]; then
      echo "$n $at"
      return 0
    fi
    sleep 0.02
  done
  return 1
}

# The first frame may still be on its way.
e2e_poll 5 eval '[[ $(black) -gt 1000 ]]' || e2e_fail "no number on the screen"
start=$(black)

case $scenario in
  window)
    [[ $(xdotool getwindowname "$wid") == "Tempravo de 40 Segundos" ]] || e2e_fail "caption"
    e2e_capture "$wid" "$shot"
    [[ $(e2e_probe "$shot" size) == "790 478" ]] || e2e_fail "client size $(e2e_probe "$shot" size)"
    [[ -z $screenshot ]] || e2e_probe "$shot" png "$screenshot" || e2e_fail "no screenshot"
    ;;
  start)
    xdotool windowfocus --sync "$wid"
    sleep 0.2
    before=$(now_ms)
    xdotool key --window "$wid" i
    read -r changed at < <(wait_change "$start") || e2e_fail "the number did not change"
    elapsed=$((at - before))
    ((elapsed >= 900 && elapsed <= 2000)) || e2e_fail "39 came after $elapsed ms"
    ;;
  zero)
    xdotool windowfocus --sync "$wid"
    sleep 0.2
    xdotool key --window "$wid" z
    read -r zeros _ < <(wait_change "$start" 2000) || e2e_fail "Z changed nothing"
    sleep 1.5
    [[ $(black) == "$zeros" ]] || e2e_fail "the number moved after Z"
    [[ $(red) == 0 ]] || e2e_fail "red before the end"
    ;;
  end)
    xdotool windowfocus --sync "$wid"
    sleep 0.2
    xdotool key --window "$wid" i
    sleep 38
    [[ $(red) == 0 ]] || e2e_fail "red before the end"
    e2e_poll 5 eval '[[ $(red) -gt 1000 ]]' || e2e_fail "the end is not red"
    ;;
  idle)
    # Not started: nothing is due, so the loop does not wake.
    sleep 1
    first=$(wc -l <"$E2E_WAKES")
    sleep 3
    last=$(wc -l <"$E2E_WAKES")
    ((last == first)) || e2e_fail "$((last - first)) wake-ups in 3 idle seconds"
    ;;
  *) e2e_fail "unknown scenario $scenario" ;;
esac
kill "$E2E_PID" 2>/dev/null || true
echo "e2e countdown $scenario: passed"
