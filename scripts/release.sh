#!/usr/bin/env bash
# The release: dist/Setup-VERSION.zip with Setup.exe, setupctl.exe, README.txt
# and SHA256SUMS of the three, the same bytes from the same commit wherever it
# is built. Installs what it needs first (scripts/setup.sh), builds the Release
# configuration in build/release, and checks what went into the zip.
#
#   scripts/release.sh                  build, write dist/Setup-VERSION.zip, check it
#   scripts/release.sh --twice          the same, then build the commit again in two
#                                       fresh clones and compare the zips' bytes
#   scripts/release.sh --from BUILD DIR write and check the zip of the programs of an
#                                       existing Windows build into DIR (for the tests)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
objdump=i686-w64-mingw32-objdump
windres=i686-w64-mingw32-windres
entries=(Setup.exe setupctl.exe README.txt SHA256SUMS)
source "$root/scripts/host-bits.sh"

# The zip's times are the commit's, so that the same commit gives the same bytes.
commit_time() { git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800; }
project_version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"; }

build_programs() {  # BUILD
  bash "$root/scripts/setup.sh"
  cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
  cmake --build "$1" -j2 --target Setup setupctl
}

# Writes DIR/Setup-VERSION.zip: the entries in a fixed order, each with the
# commit's time and no owner, mode or extra field of the machine's.
write_zip() {  # BUILD DIR
  local zip
  zip="$2/Setup-$(project_version "$1").zip"
  mkdir -p "$2"
  python3 - "$zip" "${SOURCE_DATE_EPOCH:-$(commit_time)}" \
    "$1/ui/Setup.exe" "$1/cli/setupctl.exe" "$1/README.txt" <<'EOF'
import hashlib, os, sys, time, zipfile
target, epoch, paths = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
files = []
for path in paths:
    with open(path, 'rb') as f:
        files.append((os.path.basename(path), f.read()))
sums = ''.join(f'{hashlib.sha256(data).hexdigest()}  {name}\n' for name, data in files)
files.append(('SHA256SUMS', sums.encode()))
with zipfile.ZipFile(target + '.part', 'w') as archive:
    for name, data in files:
        entry = zipfile.ZipInfo(name, stamp)
        entry.create_system = 0  # MS-DOS: no Unix modes or owners
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, data, compresslevel=9)
os.replace(target + '.part', target)
EOF
  echo "$zip"
}

# The version resource less what names the program itself.
shared_version() { "$windres" -J coff -O rc -i "$1" | sed -n '/ VERSIONINFO$/,/^END/p' |
  grep -vE '"(FileDescription|InternalName|OriginalFilename)"'; }
icons() { "$windres" -J coff -O rc -i "$1" | awk '/^\/\* Type: / { keep = ($3 == "icon" || $3 == "group") } keep && !/^LANGUAGE /'; }

# The zip holds the four entries and nothing else, with right sums and one
# time; README.txt has CR LF line ends. Then each program passes
# check-imports.sh, holds no path of this machine, and both carry the same
# icon and version, which is the build's and what setupctl --version says.
check_zip() {  # ZIP BUILD
  local zip=$1 build version dir status=0 said
  build=$(cd "$2" && pwd)
  version=$(project_version "$build")
  dir=$(mktemp -d)
  python3 - "$zip" "$dir" "$version" "${entries[@]}" <<'EOF' || status=1
import hashlib, sys, zipfile
path, folder, version, wanted = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
problems = []
with zipfile.ZipFile(path) as archive:
    entries = archive.infolist()
    names = [e.filename for e in entries]
    if names != wanted:
        problems.append(f'holds {names}, not {wanted}')
    if len({e.date_time for e in entries}) != 1:
        problems.append('its entries differ in their times')
    data = {e.filename: archive.read(e) for e in entries}
    archive.extractall(folder)
listed = data.get('SHA256SUMS', b'').decode().splitlines()
summed = [f'{hashlib.sha256(data[n]).hexdigest()}  {n}' for n in wanted[:3] if n in data]
if listed != summed:
    problems.append('SHA256SUMS does not match the programs and README.txt')
readme = data.get('README.txt', b'')
if b'\n' in readme.replace(b'\r\n', b'') or b'\r' in readme.replace(b'\r\n', b''):
    problems.append('README.txt has line ends other than CR LF')
if f'Korvane Setup {version}'.encode() not in readme:
    problems.append(f'README.txt does not name version {version}')
for problem in problems:
    print(f'{path}: {problem}')
sys.exit(1 if problems else 0)
EOF
  local setup=$dir/Setup.exe ctl=$dir/setupctl.exe
  if [ "$status" -eq 0 ]; then
    bash "$root/tests/shipped/check-imports.sh" "$objdump" "$setup" x86 'level="requireAdministrator"' \
      'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' || status=1
    bash "$root/tests/shipped/check-imports.sh" "$objdump" "$ctl" x86 'level="asInvoker"' || status=1
    for exe in "$setup" "$ctl"; do
      if strings -a "$exe" | grep -qF -e "$root" -e "$build"; then
        echo "$(basename "$exe") holds a path of this build"; status=1
      fi
      [ "$("$windres" -J coff -O rc -i "$exe" | grep -c ' 14 /\* RT_GROUP_ICON')" -eq 1 ] ||
        { echo "$(basename "$exe") does not carry one icon"; status=1; }
    done
    [ "$(icons "$setup")" = "$(icons "$ctl")" ] || { echo "the programs' icons differ"; status=1; }
    local resource
    resource=$(shared_version "$setup")
    [ "$resource" = "$(shared_version "$ctl")" ] || { echo "the version resources differ"; status=1; }
    local quad="${version}.0.0.0"
    quad=$(echo "$quad" | cut -d. -f1-4 | sed 's/\./, /g')
    for line in "FILEVERSION $quad" "PRODUCTVERSION $quad" "\"FileVersion\", \"$version\"" \
                "\"ProductVersion\", \"$version\""; do
      grep -qF "$line" <<<"$resource" || { echo "the version resource lacks $line"; status=1; }
    done
    check_said_version "$ctl" "$version" || status=1
  fi
  rm -rf "$dir"
  [ "$status" -eq 0 ] && echo "checked: $zip"
  return "$status"
}

# What setupctl --version says, where this host can run the 32-bit program;
# elsewhere the version resource checked above is all there is to go by.
check_said_version() {  # EXE VERSION
  local probe said
  probe=$(host_windows_bits) || return 1
  if [ "$(host_bits_of "$probe")" = 64 ]; then
    echo "setupctl.exe not run ($(host_bits_why "$probe")): version $2 checked in the resources alone"
    return 0
  fi
  said=$("$root/scripts/wine-run.sh" "${SETUP_WINEPREFIX:-$root/build/wineprefix}" "$1" --version \
    2>/dev/null | tr -d '\r')
  [ "$said" = "setupctl $2" ] || { echo "setupctl --version says '$said', not $2"; return 1; }
}

# Builds the commit in two fresh clones and compares their zips with each
# other, and with ZIP when the working tree is that commit unchanged.
build_twice() {  # ZIP
  local commit work n zips=()
  commit=$(git -C "$root" rev-parse HEAD)
  work=$(mktemp -d)
  for n in 1 2; do
    git clone -q --no-checkout "$root" "$work/$n"
    git -C "$work/$n" checkout -q --detach "$commit"
    # The same Lua sources as here; setup.sh fetches them when there are none.
    [ -d "$root/.deps" ] && ln -s "$(readlink -f "$root/.deps")" "$work/$n/.deps"
    echo "== building $commit in $work/$n"
    SETUP_WINEPREFIX="${SETUP_WINEPREFIX:-$root/build/wineprefix}" \
      bash "$work/$n/scripts/release.sh" >"$work/$n.log" 2>&1 ||
      { echo "the build in $work/$n failed, see $work/$n.log"; return 1; }
    zips+=("$work/$n/dist/$(basename "$1")")
  done
  [ -z "$(git -C "$root" status --porcelain)" ] && zips+=("$1")
  sha256sum "${zips[@]}"
  local first=${zips[0]} zip
  for zip in "${zips[@]:1}"; do
    cmp "$first" "$zip" || { echo "not the same bytes; the clones stay in $work"; return 1; }
  done
  rm -rf "$work"
  echo "the same bytes from $commit in ${#zips[@]} builds"
}

case "${1:-}" in
  --from)
    [ $# -eq 3 ] || { echo "usage: release.sh --from BUILD DIR" >&2; exit 2; }
    check_zip "$(write_zip "$2" "$3")" "$2" ;;
  "" | --twice)
    build_programs "$root/build/release"
    zip=$(write_zip "$root/build/release" "$root/dist")
    check_zip "$zip" "$root/build/release"
    [ "${1:-}" != --twice ] || build_twice "$zip" ;;
  *)
    sed -n '8,12p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
esac
