#!/usr/bin/env bash
# Makes the locales that the program tests run under, so that none has to be installed.
# Usage: make_locales.sh DIR [--big-endian], the second for a program on a big-endian CPU.
#
# A locale is whole or absent: localedef writes it into a temporary folder beside it, which gets
# a mark and is renamed into place only once localedef has written its output. A run stopped
# half-way leaves no half-made locale (a run killed outright may leave its temporary folder), and
# a folder without the mark is made again.
set -euo pipefail
dir=$1
order=${2:-}
mark=.whole
mkdir -p "$dir"
tmp=
trap '[[ -z $tmp ]] || rm -rf "$tmp"' EXIT
trap 'exit 1' HUP INT TERM
make() {
  if [[ ! -e $dir/$3/$mark ]]; then
    tmp=$dir/.$3.tmp.$$
    rm -rf "$tmp"
    mkdir "$tmp"
    # localedef's status is 1 when it wrote its output despite warnings (SHIFT_JIS is not ASCII).
    local status=0
    localedef $order -c -f "$1" -i "$2" "$tmp/$3" >/dev/null 2>&1 || status=$?
    if ((status <= 1)) && [[ -d $tmp/$3 ]]; then
      touch "$tmp/$3/$mark"
      rm -rf "$dir/$3"
      # Fails only where another run has just put the locale in place; the check below decides.
      mv -T "$tmp/$3" "$dir/$3" 2>/dev/null || true
    fi
    rm -rf "$tmp"
    tmp=
  fi
  [[ -e $dir/$3/$mark ]] || { echo "localedef could not make $3" >&2; exit 1; }
}
make SHIFT_JIS ja_JP ja_JP.SJIS
make EUC-JP ja_JP ja_JP.EUC-JP
make UTF-8 de_DE de_DE.UTF-8
