#!/usr/bin/env bash
# Whole-process wall time of the largest questions, each beside a peer, output to a file. Runs
# alternate between the two; the times are medians, and the ratio is the median of the ratios
# of the pairs. The peers: GMP doing the same work (gmp_same_work, and for π gmp_mpq_pi, the
# partial sums through GMP's C rationals), Debian's pi (CLN) printing π, PARI/GP printing π, e
# and √65535 to as many places, the same two beside π to 2000 and e to 10000 places (which the
# program answers with the digits that the capacity holds and "Overflow"), and the program's
# own empty session, which answers -1 at the menu; that one is set beside /bin/true. Each
# process is started by the shell directly, without a shell of its own in between.
# Usage: bench/compare.sh [RUNS]   (after cmake --workflow --preset release and --preset bench,
# and apt-get install pi pari-gp)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
ours=build/release/app/tavodigits
bench=build/bench/bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The wall time, in seconds, of a command (the words after the input file) run on that input.
seconds() {
  local input=$1 start end
  shift
  start=$EPOCHREALTIME
  "$@" <"$input" >"$work/out"
  end=$EPOCHREALTIME
  echo "$end - $start" | bc
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# The answers to one question of ours, then -1; the empty session answers -1 alone.
for question in 0:1996 1:8004 65535:10029 0:2000 1:10000; do
  printf '%s\n%s\n-1\n' "${question%:*}" "${question#*:}" >"$work/$question"
done
printf -- '-1\n' >"$work/empty"
# gp's own: the value to the places asked for and a few more, printed in full.
printf 'default(realprecision, 2001);\nprint(Pi)\n' >"$work/gp-pi"
printf 'default(realprecision, 8010);\nprint(exp(1))\n' >"$work/gp-e"
printf 'default(realprecision, 10040);\nprint(sqrt(65535))\n' >"$work/gp-sqrt"
printf 'default(realprecision, 10010);\nprint(exp(1))\n' >"$work/gp-e-past"

printf '%-40s %10s %10s %8s\n' question ours peer ratio
# Each row: the label, our input and command, and the peer's.
rows=(
  "π to 1996 places, against GMP|0:1996|$ours|/dev/null|$bench/gmp_same_work 0 1996"
  "π to 1996 places, against GMP's mpq|0:1996|$ours|/dev/null|$bench/gmp_mpq_pi 1996"
  "e to 8004 places, against GMP|1:8004|$ours|/dev/null|$bench/gmp_same_work 1 8004"
  "√65535 to 10029 places, against GMP|65535:10029|$ours|/dev/null|$bench/gmp_same_work 65535 10029"
  "π to 1996 places, against pi 1997|0:1996|$ours|/dev/null|pi 1997"
  "π to 1996 places, against gp|0:1996|$ours|gp-pi|gp -q -f"
  "e to 8004 places, against gp|1:8004|$ours|gp-e|gp -q -f"
  "√65535 to 10029 places, against gp|65535:10029|$ours|gp-sqrt|gp -q -f"
  "π to 2000 places, against pi 2000|0:2000|$ours|/dev/null|pi 2000"
  "e to 10000 places, against gp|1:10000|$ours|gp-e-past|gp -q -f"
  "π to 1996 places, against the empty one|0:1996|$ours|empty|$ours"
  "e to 8004 places, against the empty one|1:8004|$ours|empty|$ours"
  "√65535 to 10029, against the empty one|65535:10029|$ours|empty|$ours"
  "the empty session, against /bin/true|empty|$ours|/dev/null|/bin/true"
)
input() { [[ $1 == /* ]] && echo "$1" || echo "$work/$1"; }
for row in "${rows[@]}"; do
  IFS='|' read -r label ourInput ourCommand peerInput peerCommand <<<"$row"
  read -r -a command <<<"$ourCommand"
  read -r -a peer <<<"$peerCommand"
  oursTimes=()
  peerTimes=()
  ratios=()
  for ((i = 0; i < runs; i++)); do
    o=$(seconds "$(input "$ourInput")" "${command[@]}")
    p=$(seconds "$(input "$peerInput")" "${peer[@]}")
    oursTimes+=("$o")
    peerTimes+=("$p")
    ratios+=("$(echo "scale=4; $o / $p" | bc)")
  done
  printf '%-40s %10.4f %10.4f %8.2f\n' "$label" "$(printf '%s\n' "${oursTimes[@]}" | median)" \
    "$(printf '%s\n' "${peerTimes[@]}" | median)" "$(printf '%s\n' "${ratios[@]}" | median)"
done
