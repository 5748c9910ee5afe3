#!/usr/bin/env bash
# The program in a real terminal: tmux runs it, the test types at its prompts and reads the
# screen. Each prompt must be on screen before anything is typed.
set -euo pipefail
program=$1
if ! command -v tmux >/dev/null; then
  echo "tmux is missing: skipped"
  exit 77
fi
socket="tavodigits-test-$$"
# tmux runs each command with $SHELL, or else the user's login shell, which for a system
# account is often nologin.
export SHELL=/bin/sh
tmux_() { tmux -L "$socket" "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true' EXIT

screen() { tmux_ capture-pane -p -t test -S -50; }

# The screen shows a line matching the extended regular expression.
shows() {
  if ! screen | grep -q -E -- "$1"; then
    echo "not on screen: $1" >&2
    screen >&2
    return 1
  fi
}

# Waits until the screen shows the fixed string; a program that never shows it runs into the
# test's timeout.
wait_for() {
  until screen | grep -q -F -- "$1"; do sleep 0.1; done
}

tmux_ -f /dev/null new-session -d -s test -x 160 -y 50 "env LC_ALL=C.UTF-8 $program; echo \"exit status \$?\"; sleep 30"

wait_for "番号（負の数を入れると終わります） ?"
tmux_ send-keys -t test "2" Enter
wait_for "小数点以下何桁まで求めますか ?"
tmux_ send-keys -t test "50" Enter
wait_for "秒)"
wait_for "'9'"
shows "^√2＝ 1\.$"
shows "^41421356237309504880168872420969807856967187537694 {7}\([0-9]+\.[0-9]{3}秒\)$"
shows "^   '0'   '1'   '2'   '3'   '4'   '5'   '6'   '7'   '8'   '9'$"
# The screen drops the blank at the end of the counts line.
shows "^    5     4     4     4     5     4     6     6     7     5$"
tmux_ send-keys -t test -- "-1" Enter
wait_for "exit status 0"

# The terminal goes away while the program waits at its prompt: it must end, not linger.
pidfile=$(mktemp)
tmux_ new-session -d -s hangup -x 160 -y 50 "sh -c 'echo \$\$ > $pidfile; exec env LC_ALL=C.UTF-8 $program'"
until tmux_ capture-pane -p -t hangup | grep -q -F "番号（負の数を入れると終わります） ?"; do sleep 0.1; done
pid=$(cat "$pidfile")
rm -f "$pidfile"
tmux_ kill-session -t hangup
# A program that outlives its terminal runs into the test's timeout.
while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
echo "terminal test passed"
