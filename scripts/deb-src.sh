# Sourced by scripts/setup.sh: the deb-src entry for Debian's source packages,
# derived from the machine's own binary entries, so that it reaches Debian
# through whatever mirror or proxy the machine already uses.

# deb_src_entries APT_DIR CODENAME [OWN_FILE]
# Reads the apt sources under APT_DIR (sources.list and sources.list.d/*.list
# in the one-line form, sources.list.d/*.sources in the deb822 form; other
# files there are not apt's, and OWN_FILE is left out) and prints one deb822
# deb-src entry for each enabled deb entry of the release's main suite
# CODENAME with the component main: the same URIs, components and keyring,
# for that suite alone (source packages live there; security and updates
# suites add nothing). Prints nothing when an enabled deb-src entry of that
# suite exists already. Fails when there is neither: nothing to derive from.
deb_src_entries() {
  local dir=$1 codename=$2 own=${3:-} files=() f
  for f in "$dir/sources.list" "$dir"/sources.list.d/*.list "$dir"/sources.list.d/*.sources; do
    [ -f "$f" ] && [ "$f" != "$own" ] && files+=("$f")
  done
  [ "${#files[@]}" -gt 0 ] || return 1
  awk -v codename="$codename" '
    function has(list, word,   items, n, i) {
      n = split(list, items, /[ \t\n]+/)
      for (i = 1; i <= n; i++) if (items[i] == word) return 1
      return 0
    }
    function entry(type, uris, suites, components, keyring, trusted,   text) {
      if (!has(suites, codename) || !has(components, "main")) return
      if (type == "deb-src") { sources = 1; return }
      if (type != "deb") return
      text = "Types: deb-src\nURIs: " uris "\nSuites: " codename "\nComponents: " components
      if (keyring != "") text = text "\nSigned-By:" (keyring ~ /^\n/ ? "" : " ") keyring
      if (trusted != "") text = text "\nTrusted: " trusted
      if (!(text in seen)) { seen[text] = 1; derived[++count] = text }
    }
    # deb822: blank lines end a stanza, indented lines continue a field.
    function end_stanza(   enabled, types, n, i) {
      enabled = tolower(field["enabled"])
      if (enabled != "no" && enabled != "false") {
        n = split(field["types"], types, /[ \t]+/)
        for (i = 1; i <= n; i++)
          entry(types[i], field["uris"], field["suites"], field["components"],
                field["signed-by"], field["trusted"])
      }
      split("", field); name = ""
    }
    function deb822_line(line,   colon) {
      if (line ~ /^#/) return
      if (line ~ /^[ \t]*$/) { end_stanza(); return }
      if (line ~ /^[ \t]/) { if (name != "") field[name] = field[name] "\n" line; return }
      colon = index(line, ":")
      if (colon == 0) return
      name = tolower(substr(line, 1, colon - 1))
      field[name] = substr(line, colon + 1)
      sub(/^[ \t]+/, "", field[name]); sub(/[ \t]+$/, "", field[name])
    }
    # One line: type [options] uri suite component...
    function one_line(line,   word, n, i, o, c, options, option, keyring, trusted, components) {
      sub(/(^|[ \t])#.*/, "", line)
      sub(/^[ \t]+/, "", line); sub(/[ \t]+$/, "", line)
      n = split(line, word, /[ \t]+/)
      if (n < 4) return
      i = 2
      if (substr(word[2], 1, 1) == "[") {
        options = ""
        for (; i <= n; i++) { options = options " " word[i]; if (index(word[i], "]")) break }
        gsub(/[\[\]]/, " ", options)
        split(options, option, /[ \t]+/)
        for (o in option) {
          if (option[o] ~ /^signed-by=/) keyring = substr(option[o], 11)
          if (option[o] ~ /^trusted=/) trusted = substr(option[o], 9)
        }
        i++
      }
      if (n < i + 2) return
      components = word[i + 2]
      for (c = i + 3; c <= n; c++) components = components " " word[c]
      entry(word[1], word[i], word[i + 1], components, keyring, trusted)
    }
    FNR == 1 && NR != 1 { end_stanza() }
    FILENAME ~ /\.sources$/ { deb822_line($0); next }
    { one_line($0) }
    END {
      end_stanza()
      if (sources) exit 0
      if (count == 0) exit 1
      for (i = 1; i <= count; i++) printf "%s%s\n", (i > 1 ? "\n" : ""), derived[i]
    }' "${files[@]}"
}
