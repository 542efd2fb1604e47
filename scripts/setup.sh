#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, as root.
# Safe to run again: it only installs what is missing.
#
# A mirror in mid-sync can serve one architecture's index out of step, and the
# 32-bit Wine is the first thing that cannot be installed then. So nothing but
# the 32-bit Wine is fatal: without it the Windows suite runs on the 64-bit
# twin alone, and the reason is kept in .deps/wine32-not-installed for the
# host probe to tell. A later run installs it once the mirror serves it. No
# apt policy is changed to get there.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
  cmake make g++ clang libclang-rt-14-dev
  lua5.1 patch libgtest-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-nanum
  xvfb xauth x11-utils imagemagick
  dpkg-dev python3
)
wine32=wine32:i386

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" = "install ok installed" ]; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
wine32_note="$here/.deps/wine32-not-installed"

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

# apt's reason in one line: the first unmet dependency, else its first error.
apt_reason() {
  { grep -m1 ' Depends: ' "$1" || grep -m1 '^E: ' "$1"; } | sed 's/^E: //; s/^ *//' || true
}
log=$(mktemp) && trap 'rm -f "$log"' EXIT

# A failed index is retried once; then the lists apt has must do.
update_lists() {
  sudo_if_needed apt-get update -q >"$log" 2>&1 && return 0
  sleep 5
  sudo_if_needed apt-get update -q >"$log" 2>&1 && return 0
  echo "setup.sh: apt-get update failed twice ($(apt_reason "$log")); going on with the package lists apt has" >&2
}

if [ "${#missing[@]}" -gt 0 ] || [ "$need_update" -eq 1 ] || ! installed "$wine32"; then
  update_lists
fi
if [ "${#missing[@]}" -gt 0 ]; then
  if ! DEBIAN_FRONTEND=noninteractive sudo_if_needed \
      apt-get install -y -q --no-install-recommends "${missing[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    echo "setup.sh: could not install ${missing[*]}: $(apt_reason "$log")" >&2
    exit 1
  fi
fi

# The 32-bit Wine last, on its own: everything else stays installed when it
# cannot be had.
mkdir -p "$here/.deps"
if installed "$wine32"; then
  rm -f "$wine32_note"
elif DEBIAN_FRONTEND=noninteractive sudo_if_needed \
    apt-get install -y -q --no-install-recommends "$wine32" >"$log" 2>&1; then
  rm -f "$wine32_note"
else
  reason=$(apt_reason "$log")
  echo "${reason:-apt-get install $wine32 failed}" >"$wine32_note"
  echo "setup.sh: the 32-bit Wine could not be installed (${reason:-no reason given});" \
    "the Windows suite runs on the 64-bit twin only; run scripts/setup.sh again once the mirror serves it" >&2
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
