#!/usr/bin/env bash
# Makes the locales that the program tests run under, so that none has to be installed.
# Usage: make_locales.sh DIR [--big-endian], the second for a program on a big-endian CPU.
set -euo pipefail
dir=$1
order=${2:-}
mkdir -p "$dir"
make() {
  if [[ ! -e $dir/$3 ]]; then localedef $order -c -f "$1" -i "$2" "$dir/$3" >/dev/null 2>&1 || true; fi
  [[ -e $dir/$3 ]] || { echo "localedef could not make $3" >&2; exit 1; }
}
make SHIFT_JIS ja_JP ja_JP.SJIS
make EUC-JP ja_JP ja_JP.EUC-JP
make UTF-8 de_DE de_DE.UTF-8
