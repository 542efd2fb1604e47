#!/usr/bin/env bash
# deb_src_entries against sample apt configurations, each in a temp folder.
set -u
source "$1"
apt=$(mktemp -d) && trap 'rm -rf "$apt"' EXIT
failures=0

given() {  # file under the apt folder, its text
  mkdir -p "$(dirname "$apt/$1")" && printf '%s\n' "$2" >"$apt/$1"
}
expect() {  # case, wanted status, wanted output [, own file]
  local got status
  got=$(deb_src_entries "$apt" bookworm ${4:+"$apt/$4"}); status=$?
  if [ "$status" -ne "$2" ] || [ "$got" != "$3" ]; then
    printf 'FAIL %s: status %s, output:\n%s\n' "$1" "$status" "$got"
    failures=$((failures + 1))
  fi
  rm -rf "${apt:?}"/*
}

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
main_entry="Types: deb-src
URIs: http://mirror.internal/debian
Suites: bookworm
Components: main contrib
Signed-By: $keyring"

# Debian 12's own form: the main and updates suites in one stanza, security
# in another; a comment inside the stanza; files apt does not read.
debian_sources="Types: deb
# a mirror of the machine's choosing
URIs: http://mirror.internal/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: $keyring

Types: deb
URIs: http://mirror.internal/debian-security
Suites: bookworm-security
Components: main
Signed-By: $keyring"
given sources.list.d/debian.sources "$debian_sources"
given sources.list.d/other.list.disabled "deb-src http://elsewhere/debian bookworm main"
given sources.list.d/vendor.sources "Types: deb
URIs: https://vendor.example/apt
Suites: bookworm
Components: stable"
expect "deb822 entries" 0 "$main_entry"

# Running again: its own earlier entry is no deb-src of the machine's.
given sources.list.d/debian.sources "$debian_sources"
given sources.list.d/setup-deb-src.sources "$main_entry"
expect "own entry left out" 0 "$main_entry" sources.list.d/setup-deb-src.sources

# One-line entries with options; a third party's suite of the same name.
given sources.list "# deb-src http://mirror.internal/debian bookworm main
deb [ arch=amd64 signed-by=/etc/apt/keys/mirror.gpg ] http://mirror.internal/debian bookworm main non-free-firmware
deb [signed-by=/etc/apt/keys/mirror.gpg] http://mirror.internal/debian-security bookworm-security main
deb http://proxy:3142/debian bookworm-updates main
deb https://vendor.example/apt bookworm stable"
expect "one-line entries" 0 "Types: deb-src
URIs: http://mirror.internal/debian
Suites: bookworm
Components: main non-free-firmware
Signed-By: /etc/apt/keys/mirror.gpg"

# A key kept in the entry itself is carried over as it stands.
given sources.list.d/debian.sources "Types: deb
URIs: http://mirror.internal/debian
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEAD
 -----END PGP PUBLIC KEY BLOCK-----"
expect "embedded key" 0 "Types: deb-src
URIs: http://mirror.internal/debian
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGPL0BUBEAD
 -----END PGP PUBLIC KEY BLOCK-----"

# The machine has its own deb-src entry already, in either form.
given sources.list.d/debian.sources "${debian_sources/Types: deb/Types: deb deb-src}"
expect "deb822 deb-src present" 0 ""
given sources.list.d/debian.sources "$debian_sources"
given sources.list "deb-src http://mirror.internal/debian bookworm main"
expect "one-line deb-src present" 0 ""

# Nothing to derive from: only security updates, a disabled stanza.
given sources.list "deb http://mirror.internal/debian-security bookworm-security main"
given sources.list.d/debian.sources "Enabled: no
Types: deb
URIs: http://mirror.internal/debian
Suites: bookworm
Components: main"
expect "no main suite" 1 ""

[ "$failures" -eq 0 ] && echo "deb-src derivation: all cases passed"
exit "$failures"
