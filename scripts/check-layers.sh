#!/usr/bin/env bash
# Checks that every include of the product's folders points down the table of
# layers, never up or sideways:
#   scripts/check-layers.sh [ROOT]    (default: this checkout)
# tests/, fuzz/ and bench/ may include any layer. res/resource.h and the
# generated SetupVersion.h are for every layer that needs them.
set -uo pipefail
root=${1:-"$(dirname "${BASH_SOURCE[0]}")/.."}
cd "$root" || exit 2

# Each layer and the folders it may include from, besides its own.
declare -A uses=(
  [platform]=""
  [settings]="platform"
  [optionfiles]="settings platform"
  [display]="settings platform"
  [session]="optionfiles display settings platform"
  [ui/framework]=""
  [ui]="ui/framework session optionfiles display settings platform res"
  [cli]="session optionfiles display settings platform res"
  [res]=""
)
# Longest first, so that ui/framework is told from ui.
layers=(ui/framework platform settings optionfiles display session ui cli res)
allowed_everywhere=" res/resource.h SetupVersion.h "

layer_of() {  # path -> its layer, or nothing
  local layer
  for layer in "${layers[@]}"; do
    case "$1" in "$layer"/*) echo "$layer"; return ;; esac
  done
}

files=0 includes=0 wrong=0
while IFS= read -r file; do
  ((files++))
  own=$(layer_of "$file")
  while IFS=: read -r line target; do
    ((includes++))
    # A bare name is a file beside the includer.
    [[ $target == */* ]] || { [[ $allowed_everywhere == *" $target "* ]] || target=$(dirname "$file")/$target; }
    [[ $allowed_everywhere == *" $target "* ]] && continue
    to=$(layer_of "$target")
    [[ -n $to && ( $to == "$own" || " ${uses[$own]} " == *" $to "* ) ]] && continue
    echo "$file:$line: includes $target (${to:-no layer}), which $own may not use"
    ((wrong++))
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
           sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(git ls-files --cached --others --exclude-standard "${layers[@]/%//}" | grep -E '\.(h|cpp|c|rc|in)$')

echo "layers: $includes includes in $files files of ${#layers[@]} layers checked, $wrong pointing up or sideways"
[ "$files" -gt 0 ] && [ "$wrong" -eq 0 ]
