#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, as root.
# Safe to run again: it only installs what is missing.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
  cmake make g++ clang libclang-rt-14-dev
  lua5.1 patch libgtest-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick
  dpkg-dev python3
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
  need_update=1
fi

# The MinGW build compiles Lua from Debian's own source package. Its deb-src
# entry repeats the machine's own binary entries for the release's main
# suite, so that it goes through whatever mirror or proxy they use; none is
# written when the machine has such a deb-src entry of its own.
source "$here/scripts/deb-src.sh"
luasrc="$here/.deps/lua5.1"
srclist=/etc/apt/sources.list.d/setup-deb-src.sources
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
if wanted=$(deb_src_entries /etc/apt "$codename" "$srclist"); then
  if [ -z "$wanted" ] && [ -f "$srclist" ]; then
    sudo_if_needed rm -f "$srclist"
    need_update=1
  elif [ -n "$wanted" ] && [ "$(cat "$srclist" 2>/dev/null)" != "$wanted" ]; then
    printf '%s\n' "$wanted" | sudo_if_needed tee "$srclist" >/dev/null
    need_update=1
  fi
elif [ ! -f "$luasrc/src/lua.h" ]; then
  echo "setup.sh: apt has no deb entry of Debian's $codename main suite to derive a deb-src entry from;" \
    "add a deb-src entry for $codename main to fetch Lua's sources" >&2
  exit 1
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_update" -eq 1 ]; then
  sudo_if_needed apt-get update -q
fi
if [ "${#missing[@]}" -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Lua 5.1 sources for the Windows build, kept out of the repository.
if [ ! -f "$luasrc/src/lua.h" ]; then
  rm -rf "$here/.deps/fetch" && mkdir -p "$here/.deps/fetch"
  (cd "$here/.deps/fetch" && apt-get source -q --download-only lua5.1 >/dev/null)
  tarball=$(ls "$here"/.deps/fetch/lua5.1_*.orig.tar.gz | head -n 1)
  rm -rf "$luasrc" && mkdir -p "$luasrc"
  tar -xzf "$tarball" -C "$luasrc" --strip-components=1
  rm -rf "$here/.deps/fetch"
fi
