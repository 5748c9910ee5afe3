#!/usr/bin/env bash
# Whole-process wall time of the largest questions, the program against GMP doing the same
# work, output to a file. Runs alternate between the two; each figure is the median.
# Usage: bench/compare.sh [RUNS]   (after cmake --workflow --preset release and --preset bench)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
ours=build/release/app/tavodigits
gmp=build/bench/bench/gmp_same_work
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

printf '%-24s %10s %10s %8s\n' question ours gmp ratio
for question in "0 1996" "1 8004" "65535 10029"; do
  read -r choice places <<<"$question"
  oursTimes=()
  gmpTimes=()
  for ((i = 0; i < runs; i++)); do
    oursTimes+=("$(seconds sh -c "printf '%s\n%s\n-1\n' $choice $places | $ours >$out")")
    gmpTimes+=("$(seconds sh -c "$gmp $choice $places >$out")")
  done
  o=$(printf '%s\n' "${oursTimes[@]}" | median)
  g=$(printf '%s\n' "${gmpTimes[@]}" | median)
  printf '%-24s %10.3f %10.3f %8.2f\n' "$choice to $places places" "$o" "$g" "$(echo "scale=4; $o / $g" | bc)"
done
