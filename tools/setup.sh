#!/usr/bin/env bash
# Installs everything the build, the tests and the program under Wine need on a fresh Debian 12.
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config zlib1g-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # SQLite: the peer's floor in bench/period_sqlite_bench.cpp
  libsqlite3-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  # x11-utils: xwininfo and xdpyinfo for tests/e2e; xclip reads the clipboard there
  wine wine64 xvfb xauth x11-utils xdotool xclip imagemagick fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
