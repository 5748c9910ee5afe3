#!/usr/bin/env bash
# A build of the program for another platform against the native program: every session gives
# the same bytes, the seconds aside, and the same exit status. The other program runs under
# RUNNER (wine for Windows, a qemu-user emulator for another CPU) or, without one, directly.
# The sessions run in each of LOCALES: by default one that lacks the texts (UTF-8 from both),
# a Japanese one (the bytes of code page 932) and one with a decimal comma. Under wine, LC_ALL
# sets the system locale, and so the ANSI code page and the separator.
# Usage: [WINEPREFIX=dir] [LOCPATH=dir] [LOCALES="C ..."] compare_sessions.sh NATIVE-PROGRAM
#        OTHER-PROGRAM [RUNNER...]
set -euo pipefail
native=$1
other=$2
runner=("${@:3}")
read -r -a locales <<<"${LOCALES:-C ja_JP.SJIS de_DE.UTF-8}"
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ ${runner[0]:-} == wine ]]; then
  export WINEDEBUG=-all
  export WINEPREFIX=${WINEPREFIX:-$work/wine}
  if [[ ! -d $WINEPREFIX ]]; then wineboot -i 2>/dev/null; fi
  # One wine server for all the runs, instead of one started for each: in place of the one
  # that may still linger after making the prefix.
  wineserver -k 2>/dev/null || true
  wineserver -p
  trap 'wineserver -k; rm -rf "$work"' EXIT
fi
# The native program's locales: those that the test suite has made (LOCPATH), or new ones.
if [[ -z ${LOCPATH:-} ]]; then
  "$here/make_locales.sh" "$work/locales"
  export LOCPATH=$work/locales
fi

# The dialogue suite's sessions, input typed on Windows with CR LF line ends, and each
# computation at its capacity and one place beyond.
sessions=(
  '2\n5\n-1\n' '2\n0\n-1\n' '3\n65536\n-1\n' '3\n65540\n-1\n' '4\n-1\n2\n5\n10\n3\n-1\n'
  '0\n1997\n1\n5\n2\n5\n-1\n' '-5\n' '$FFFFFFFF\n' '' '\x1a' '2\n' '\n\n  \n' '7abc\n'
  '2\nfive\n' '70000\n5\n' ' 7 seven\n1\n-1\n' '0\r\n50\r\n1\r\n50\r\n2\r\n\x1a\r\n'
  '0\n1996\n-1\n' '0\n1997\n2\n5\n-1\n' '1\n8004\n-1\n' '1\n8005\n-1\n' '2\n10032\n-1\n'
  '65535\n10029\n-1\n' '65535\n10030\n-1\n' ' 7 x\n$1F\n0x10\nX3\n+12\n-1\n'
)
mkdir "$work/sessions"
for i in "${!sessions[@]}"; do printf -- "${sessions[$i]}" >"$work/sessions/$i"; done

# The elapsed seconds, without their separator.
mask() { LC_ALL=C sed -E 's/( {7}\()[0-9]+([.,])[0-9]{3}/\1T\2TTT/g' "$1"; }

failed=0
# Runs the program (native or other) on the input under the locale, into $work/program: its
# output with the seconds masked, its exit status and its errors.
run() {
  local program=$1 locale=$2 input=$3 status=0
  local -a command=("$native")
  if [[ $program == other ]]; then command=("${runner[@]}" "$other"); fi
  LC_ALL=$locale "${command[@]}" <"$input" >"$work/$program.out" 2>"$work/$program.err" ||
    status=$?
  { mask "$work/$program.out"; echo "exit status $status"; cat "$work/$program.err"; } \
    >"$work/$program"
}

# Runs the input in both programs at once; both must write the same and end alike.
compare() {
  run native "$@" &
  run other "$@"
  wait
  if ! cmp -s "$work/native" "$work/other"; then
    echo "differs under $1 for $(od -An -c "$2" | tr -s ' ' | head -c 60):" >&2
    cmp "$work/native" "$work/other" >&2 || true
    failed=1
  fi
}

for locale in "${locales[@]}"; do
  for input in "$work"/sessions/*; do compare "$locale" "$input"; done
done
# The dialogue's fuzz corpus: every edge of the reader and the dialogue, once.
for input in "$here"/../fuzz/corpus/dialogue/*; do compare C "$input"; done

# A failing output ends the program with status 1 and a message: a full disk, and a reader
# that goes away before the output (more than a pipe holds) is written.
ends_on_failed_write() {
  local what=$1 status=$2 errors=$3
  if [[ $status != 1 ]] || ! grep -q "^tavodigits: cannot write" "$errors"; then
    echo "$what: status $status, $(cat "$errors")" >&2
    failed=1
  fi
}
printf '2\n9000\n%.0s' {1..10} >"$work/long"
status=0
"${runner[@]}" "$other" <"$work/long" >/dev/full 2>"$work/full.err" || status=$?
ends_on_failed_write "full disk" "$status" "$work/full.err"
set +o pipefail
"${runner[@]}" "$other" <"$work/long" 2>"$work/pipe.err" | head -c 100 >/dev/null
ends_on_failed_write "reader gone" "${PIPESTATUS[0]}" "$work/pipe.err"
set -o pipefail

if ((failed)); then exit 1; fi
echo "the sessions of ${runner[*]} $other are the native program's"
