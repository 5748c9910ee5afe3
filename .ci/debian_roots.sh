#!/usr/bin/env bash
# Today's and tomorrow's toolchains: a fresh minimal root of Debian stable and one of Debian
# unstable, made with debootstrap from the Debian archive that this machine's apt reads, with
# only the packages the README names. In each, on a fresh clone and as an ordinary user, the
# README's two commands: the release answers the menu, and the sanitised suite passes. In the
# unstable root also the release with clang and libc++ and warnings as errors, whose sessions
# are the native program's. No version is pinned: the suites' names follow Debian's releases.
# A root that cannot be made (the archive unreachable, a package missing) is reported in one
# line and skipped; a build or a test that fails in a root fails the run.
# Usage (as root): [LOCPATH=dir] debian_roots.sh REPOSITORY NATIVE-PROGRAM WORK-FOLDER, where
# LOCPATH holds the native program's locales, as for compare_sessions.sh.
set -euo pipefail
repository=$(cd "$1" && pwd)
native=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
work=$3

# The archive: the first of apt's sources that serves a release's main suite (not its updates
# or security suites).
mirror=$(apt-cache policy | awk '$2 ~ /^https?:/ && $3 ~ /^[a-z]+\/main$/ {print $2; exit}')
if [[ -z $mirror ]]; then
  echo "Debian roots: apt names no Debian archive; skipped"
  exit 0
fi

# What the README names: the run command's compiler and CMake, and the tests' packages.
readme_packages=(g++ cmake libgtest-dev libgmock-dev libgmp-dev pkg-config tmux locales)
clang_packages=(clang libc++-dev libc++abi-dev)
user=tavodigits-ci
home=/home/$user

mounted=()
# The mount points under a root, innermost first.
mounts_under() {
  awk -v root="$1/" 'index($2 "/", root) == 1 {print $2}' /proc/mounts | sort -r
}
# Unmounts what this script mounted in a root, and whatever debootstrap may have left mounted
# there when it failed, innermost first; then checks in /proc/mounts that nothing is left under
# the root before removing it: a removal that crossed into a mount would remove the machine's
# own files.
release_root() {
  local root=$1 point
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" || true; done
  mounted=()
  while read -r point; do umount "$point" || true; done < <(mounts_under "$root")
  if [[ -n $(mounts_under "$root") ]]; then
    echo "a mount is left under $root; it is not removed" >&2
    return 1
  fi
  rm -rf --one-file-system "$root"
}

# Makes the root of SUITE with the packages; returns 1, having said why, when it cannot.
make_root() {
  local suite=$1 root=$2
  shift 2
  if ! debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$root.log" 2>&1; then
    echo "Debian $suite: no root could be made from $mirror ($(tail -n 1 "$root.log")); skipped"
    return 1
  fi
  mount -t proc proc "$root/proc"
  mounted+=("$root/proc")
  # A terminal of the root's own (the suite drives the program in tmux): a new instance of
  # devpts, never the machine's /dev bound in.
  mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
  mounted+=("$root/dev/pts")
  ln -sf pts/ptmx "$root/dev/ptmx"
  # The archive is read as this machine's apt reads it: where that apt takes a mirror's release
  # files past their dates (a mirror made on a day of its own), so does the root's. The
  # signatures are checked all the same.
  apt-config dump | grep -E '^Acquire::Check-(Valid-Until|Date) ' \
    >"$root/etc/apt/apt.conf.d/99tavodigits-ci" || true
  # As a user installs them: with what they recommend (make comes with cmake so).
  if ! chroot "$root" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq "$@"' sh "$@" >>"$root.log" 2>&1; then
    echo "Debian $suite: the packages could not be installed" \
      "($(grep -E '^E:' "$root.log" | head -n 1)); skipped"
    return 1
  fi
  chroot "$root" useradd --create-home --shell /bin/bash "$user"
  git clone -q "$repository" "$root$home/tavodigits"
  chroot "$root" chown -R "$user:" "$home/tavodigits"
}

# Runs a command in the root as the ordinary user, in the clone, with nothing in the
# environment but PATH.
as_user() {
  local root=$1
  shift
  chroot "$root" runuser -u "$user" -- env -i PATH=/usr/local/bin:/usr/bin:/bin \
    bash -c "cd $home/tavodigits && $*"
}

root=""
trap 'if [[ -n $root ]]; then release_root "$root"; fi' EXIT

try_suite() {
  local suite=$1
  shift
  root="$work/root-$suite"
  mkdir -p "$root"
  if ! make_root "$suite" "$root" "$@"; then
    release_root "$root"
    root=""
    return 0
  fi
  local versions
  versions=$(chroot "$root" sh -c 'g++ --version | head -n 1; cmake --version | head -n 1')
  echo "Debian $suite: $(echo "$versions" | paste -sd ';' | sed 's/;/; /')"
  as_user "$root" 'cmake --workflow --preset release >/dev/null &&
    printf -- "-1\n" | build/release/app/tavodigits | grep -q "番号（負の数を入れると終わります）"'
  echo "Debian $suite: the release answers the menu"
  as_user "$root" 'cmake --workflow --preset test >build/test.log 2>&1 ||
    { tail -n 40 build/test.log; exit 1; }; grep "tests passed" build/test.log'
  if [[ $suite == unstable ]]; then
    echo "Debian $suite: $(chroot "$root" clang++ --version | head -n 1)"
    as_user "$root" 'cmake -S . -B build/clang -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
      -DCMAKE_CXX_FLAGS="-stdlib=libc++ -Wpedantic -Wshadow -Wconversion" \
      -DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++ >/dev/null && cmake --build build/clang -j 2 >/dev/null'
    "$repository/tests/compare_sessions.sh" "$native" "$home/tavodigits/build/clang/app/tavodigits" \
      chroot --userspec="$user" "$root" env LOCPATH="$home/tavodigits/build/test/tests/locales"
  fi
  release_root "$root"
  root=""
}

try_suite stable "${readme_packages[@]}"
try_suite unstable "${readme_packages[@]}" "${clang_packages[@]}"
