#!/usr/bin/env bash
# The program in a real terminal: tmux runs it, the test types at its prompts and reads the
# screen. Each screen is read once the program has read what was typed and sleeps again, or
# has ended, and the terminal has shown all it wrote: a wrong screen fails at once, since
# nothing more can come. Each wait is for a state, not for a time: it looks again after a
# short sleep, so as not to keep a core busy while the program works.
set -euo pipefail
program=$1
if ! command -v tmux >/dev/null || [[ ! -r /proc/self/io ]]; then
  echo "tmux, or the count of the bytes a process has read, is missing: skipped"
  exit 77
fi
# tmux runs each command with $SHELL, or else the user's login shell, which for a system
# account is often nologin.
export SHELL=/bin/sh
# A tmux server for each pane, so that one ending does not meet the next one starting.
tmux_() { tmux -L "tavodigits-test-$$-$pane" "$@"; }
work=$(mktemp -d)
trap 'for pane in test hangup; do tmux_ kill-server 2>/dev/null || true; done; rm -rf "$work"' EXIT

# Field n of /proc/PID/stat (3 is the state, 7 the terminal), or nothing once it has ended.
stat_field() {
  local stat fields
  read -r stat 2>/dev/null <"/proc/$pid/stat" || return 0
  read -r -a fields <<<"${stat##*) }"
  [[ ${fields[0]} == Z ]] || echo "${fields[$1 - 3]}"
}

# The count of the bytes that the program has read, or nothing once it has ended.
bytes_read() {
  local name value
  while read -r name value; do
    [[ $name != rchar: ]] || { echo "$value" && return; }
  done 2>/dev/null <"/proc/$pid/io"
}

# Types a line at the program, and waits until it has read it or has ended.
type_line() {
  local before count
  before=$(bytes_read)
  tmux_ send-keys -t "$pane" -- "$1" Enter
  until count=$(bytes_read); [[ -z $count ]] || ((count >= before + ${#1} + 1)); do sleep 0.01; done
}

# Waits until the program sleeps or has ended, then until the terminal has shown all it
# wrote (a title written through the terminal after it shows only then); the screen must then
# show a line matching each extended regular expression.
shows() {
  local marker="shown-$RANDOM$RANDOM" screen pattern
  while [[ $(stat_field 3) == [RD] ]]; do sleep 0.01; done
  printf '\033]2;%s\007' "$marker" >"$(tmux_ display -p -t "$pane" '#{pane_tty}')"
  until [[ $(tmux_ display -p -t "$pane" '#{pane_title}') == "$marker" ]]; do sleep 0.01; done
  screen=$(tmux_ capture-pane -p -t "$pane" -S -50)
  for pattern in "$@"; do
    grep -q -E -- "$pattern" <<<"$screen" ||
      { printf 'not on screen: %s\n%s\n' "$pattern" "$screen" >&2 && exit 1; }
  done
}

# Starts the program in a pane of its own and learns its process id. Alone, the program leads
# the terminal's session; with a second argument, a shell around it leads it and writes the
# program's exit status to that file.
start() {
  pane=$1
  local run="echo \$\$ >$work/pid; exec env LC_ALL=C.UTF-8 $program"
  [[ $# == 1 ]] || run="sh -c '$run'; echo \$? >$2"
  tmux_ -f /dev/null new-session -d -s "$pane" -x 160 -y 50 "$run"
  until [[ -s $work/pid ]]; do sleep 0.01; done
  pid=$(<"$work/pid") && rm "$work/pid"
}

menu_prompt="番号（負の数を入れると終わります） \?"
start test "$work/status"
shows "$menu_prompt"
type_line 2
shows "小数点以下何桁まで求めますか \?"
type_line 50
# The screen drops the blank at the end of the counts line.
shows "^√2＝ 1\.$" "^41421356237309504880168872420969807856967187537694 {7}\([0-9]+\.[0-9]{3}秒\)$" \
  "^   '0'   '1'   '2'   '3'   '4'   '5'   '6'   '7'   '8'   '9'$" \
  "^    5     4     4     4     5     4     6     6     7     5$" "$menu_prompt$"
type_line -1
until [[ -s $work/status ]]; do sleep 0.01; done
[[ $(<"$work/status") == 0 ]] || { echo "exit status $(<"$work/status") after -1" >&2 && exit 1; }

# The terminal goes away while the program waits at its prompt: it must end, not linger. The
# hangup takes the terminal from the session's leader (its terminal field becomes 0) and
# signals it at once, so a program that sleeps after that has outlived its terminal.
start hangup
shows "$menu_prompt"
tmux_ kill-session -t hangup
while [[ -n $(stat_field 3) && ($(stat_field 7) != 0 || $(stat_field 3) == [RD]) ]]; do
  sleep 0.01
done
[[ -z $(stat_field 3) ]] || { echo "the program outlived its terminal" >&2 && exit 1; }
echo "terminal test passed"
