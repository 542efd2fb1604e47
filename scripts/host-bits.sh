# Sourced: which Windows programs this host can run under Wine. Some hosts run
# 64-bit code only, and nothing but trying tells them apart: the kernel
# answers "Exec format error" to any 32-bit program there.
#
#   host_windows_bits   prints 32 (32-bit and 64-bit programs run) or 64 (64-bit
#                       only); fails, saying why, when the 32-bit loader is
#                       missing or broken, so that a broken installation never
#                       passes for a 64-bit-only host.
#
# SETUP_WINDOWS_BITS=64 takes the 64-bit-only road on any host, without trying.
# SETUP_WINE32_LOADER names the 32-bit program to try (Wine's 32-bit loader).
host_windows_bits() {
  case "${SETUP_WINDOWS_BITS:-}" in
    64) echo 64; return 0 ;;
    "") ;;
    *) echo "SETUP_WINDOWS_BITS is '$SETUP_WINDOWS_BITS'; only 64 can be forced" >&2; return 1 ;;
  esac
  local loader=${SETUP_WINE32_LOADER:-/usr/lib/wine/wine} said
  if said=$(LC_ALL=C "$loader" --version 2>&1 </dev/null); then
    echo 32
    return 0
  fi
  case "$said" in
    *"Exec format error"*) echo 64; return 0 ;;
  esac
  echo "the 32-bit Wine loader $loader does not run: ${said:-it failed without a word}" >&2
  return 1
}

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
