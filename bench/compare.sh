#!/usr/bin/env bash
# Whole-process wall time of the largest questions, the program against GMP doing the same
# work, output to a file. Runs alternate between the two; each figure is the median. π is set
# beside two GMP versions: the same passes with the digit text of each sum computed afresh
# (gmp_same_work), and the partial sums through GMP's C rationals, mpq_mul, mpq_add and mpq_div
# (gmp_mpq_pi).
# Usage: bench/compare.sh [RUNS]   (after cmake --workflow --preset release and --preset bench)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
ours=build/release/app/tavodigits
bench=build/bench/bench
out=$(mktemp)
trap 'rm -f "$out"' EXIT

seconds() {  # the wall time of a command, in seconds
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo "scale=4; ($end - $start) / 1000000000" | bc
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

printf '%-32s %10s %10s %8s\n' question ours gmp ratio
# Each row: menu choice, places, the GMP command, and the row's label.
rows=(
  "0|1996|$bench/gmp_same_work 0 1996|π to 1996 places"
  "0|1996|$bench/gmp_mpq_pi 1996|π to 1996 places, GMP mpq"
  "1|8004|$bench/gmp_same_work 1 8004|e to 8004 places"
  "65535|10029|$bench/gmp_same_work 65535 10029|√65535 to 10029 places"
)
for row in "${rows[@]}"; do
  IFS='|' read -r choice places gmp label <<<"$row"
  oursTimes=()
  gmpTimes=()
  for ((i = 0; i < runs; i++)); do
    oursTimes+=("$(seconds sh -c "printf '%s\n%s\n-1\n' $choice $places | $ours >$out")")
    gmpTimes+=("$(seconds sh -c "$gmp >$out")")
  done
  o=$(printf '%s\n' "${oursTimes[@]}" | median)
  g=$(printf '%s\n' "${gmpTimes[@]}" | median)
  printf '%-32s %10.3f %10.3f %8.2f\n' "$label" "$o" "$g" "$(echo "scale=4; $o / $g" | bc)"
done
