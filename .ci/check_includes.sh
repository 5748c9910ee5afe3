#!/usr/bin/env bash
# Include what you use: every source and header of the product, the tests, the fuzz targets
# and the benchmarks includes the headers of what it uses, and nothing it does not, so that it
# builds whatever another header happens to pull in on another standard library's version.
# The newest clang-tidy on the machine checks each file against the repository's .clang-tidy
# (misc-include-cleaner, which clang-tidy has from version 17); the Windows files are checked
# with MinGW-w64's headers. Any finding fails the run.
# Usage: check_includes.sh WORK-FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
work=$1

tidy=$(compgen -c clang-tidy- | grep -E '^clang-tidy-[0-9]+$' | sort -t- -k3 -n | tail -n 1)
version=${tidy#clang-tidy-}
if [[ -z $tidy ]] || ((version < 17)); then
  echo "no clang-tidy of version 17 or later, which has misc-include-cleaner" >&2
  exit 1
fi

# The compilation databases: Linux with every optional part, and Windows.
cmake -S . -B "$work/linux" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DTAVO_TESTS=ON -DTAVO_BENCH=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --preset windows-test -B "$work/windows" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# CMake gives MinGW's include folders in response files, which clang-tidy does not read: they
# are written into the commands.
python3 - "$work/windows/compile_commands.json" <<'PYTHON'
import json, os, shlex, sys
entries = json.load(open(sys.argv[1]))
for entry in entries:
    words = []
    for word in shlex.split(entry["command"]):
        if word.startswith("@"):
            words += shlex.split(open(os.path.join(entry["directory"], word[1:])).read())
        else:
            words.append(word)
    entry["command"] = shlex.join(words)
json.dump(entries, open(sys.argv[1], "w"), indent=1)
PYTHON
# The C++ library of the MinGW-w64 compiler that CMake chose, of the posix thread model, whose
# std::mutex GoogleTest needs: clang would otherwise take the first MinGW library it finds.
mingw_compiler=$(python3 -c 'import json, shlex, sys
print(shlex.split(json.load(open(sys.argv[1]))[0]["command"])[0])' "$work/windows/compile_commands.json")
mingw=(--target=x86_64-w64-mingw32)
while read -r folder; do mingw+=("-isystem$folder"); done < <("$mingw_compiler" -xc++ -E -v /dev/null 2>&1 |
  sed -n '/search starts here:/,/End of search/p' | grep -E '^ .*/c\+\+')

# A header is checked on its own, as a C++ file, with the include folders and definitions of
# every file of its database.
header_flags() {
  python3 - "$1/compile_commands.json" <<'PYTHON'
import json, shlex, sys
flags = []
for entry in json.load(open(sys.argv[1])):
    words = shlex.split(entry["command"])
    for i, word in enumerate(words):
        if word.startswith(("-I", "-D", "-isystem")) and word not in flags:
            flags.append(word)
            if word in ("-I", "-isystem", "-D"):
                flags.append(words[i + 1])
print("\n".join(flags))
PYTHON
}

findings="$work/findings"
: >"$findings"
check() {
  local database=$1 file=$2
  shift 2
  "$tidy" --quiet ${TIDY_FIX:+--fix} -p "$database" "$file" "$@" 2>/dev/null | grep -E '(error|warning):' >>"$findings" || true
}

windows_files=$(git ls-files 'app/console/windows/*' tests/CodePageTest.cpp)
for file in $(git ls-files '*.cpp'); do
  if grep -qxF "$file" <<<"$windows_files"; then
    check "$work/windows" "$file" "${mingw[@]/#/--extra-arg=}"
  else
    check "$work/linux" "$file"
  fi
done
mapfile -t linux_flags < <(header_flags "$work/linux")
mapfile -t windows_flags < <(header_flags "$work/windows")
for file in $(git ls-files '*.h'); do
  if grep -qxF "$file" <<<"$windows_files"; then
    check "$work/windows" "$file" -- -x c++ -std=c++20 "${mingw[@]}" "${windows_flags[@]}"
  else
    check "$work/linux" "$file" -- -x c++ -std=c++20 "${linux_flags[@]}"
  fi
done

if [[ -s $findings ]]; then
  echo "$tidy finds files that do not include what they use:" >&2
  sort -u "$findings" >&2
  exit 1
fi
echo "every file includes what it uses ($tidy, $(git ls-files '*.cpp' '*.h' | wc -l) files)"
