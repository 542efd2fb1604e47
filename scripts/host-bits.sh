# Sourced: which Windows programs this host can run under Wine. Some hosts run
# 64-bit code only, and nothing but trying tells them apart: the kernel
# answers "Exec format error" to any 32-bit program there.
#
#   host_windows_bits   prints 32 when 32-bit and 64-bit programs run; else 64,
#                       a space and why the 32-bit ones do not: "forced", "this
#                       host runs 64-bit code only", or "the 32-bit Wine could
#                       not be installed: REASON". Fails, saying why, when the
#                       32-bit Wine is installed but its loader does not run, so
#                       that a broken installation never passes for either.
#
# SETUP_WINDOWS_BITS=64 takes the 64-bit-only road on any host, without trying.
# SETUP_WINE32_LOADER names the 32-bit program to try (Wine's 32-bit loader),
# SETUP_WINE32_INSTALLED the command that tells whether the 32-bit Wine's
# package is installed, SETUP_WINE32_NOTE the file where scripts/setup.sh
# keeps why it could not install it.
host_windows_bits() {
  case "${SETUP_WINDOWS_BITS:-}" in
    64) echo "64 forced (SETUP_WINDOWS_BITS=64)"; return 0 ;;
    "") ;;
    *) echo "SETUP_WINDOWS_BITS is '$SETUP_WINDOWS_BITS'; only 64 can be forced" >&2; return 1 ;;
  esac
  local loader=${SETUP_WINE32_LOADER:-/usr/lib/wine/wine} said
  if said=$(LC_ALL=C "$loader" --version 2>&1 </dev/null); then
    echo 32
    return 0
  fi
  case "$said" in
    *"Exec format error"*) echo "64 this host runs 64-bit code only"; return 0 ;;
  esac
  if ! ${SETUP_WINE32_INSTALLED:-wine32_package_installed}; then
    local note=${SETUP_WINE32_NOTE:-$(dirname "${BASH_SOURCE[0]}")/../.deps/wine32-not-installed} why
    why=$(head -n 1 "$note" 2>/dev/null)
    echo "64 the 32-bit Wine could not be installed: ${why:-it is not installed; scripts/setup.sh installs it}"
    return 0
  fi
  echo "the 32-bit Wine loader $loader does not run: ${said:-it failed without a word}" >&2
  return 1
}

wine32_package_installed() {
  [ "$(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null)" = "install ok installed" ]
}

# The probe's answer in two parts: host_bits_of "$(host_windows_bits)" prints
# 32 or 64, host_bits_why the reason that follows a 64.
host_bits_of() { echo "${1%% *}"; }
host_bits_why() { case "$1" in *" "*) echo "${1#* }" ;; esac; }

# The bits of a Windows program (32 or 64) from its PE header; fails on a
# file that is no PE program.
pe_bits() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$offset" ] || return 1
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case "$machine" in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) return 1 ;;
  esac
}
