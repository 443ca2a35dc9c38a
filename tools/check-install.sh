#!/usr/bin/env bash
# Installs the build in BUILD_DIR into a temporary prefix and uses it as a
# user would, started from a folder that holds neither "language" nor
# "settings": the installed editor must find its translations beside its
# installation, keep its settings in the user's configuration folder and
# open a skin named on its command line.
# usage: tools/check-install.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
id=org.example.TwinscreenSkinStudio
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/skinstudio bin/skinstudio-cli share/skinstudio/language/german.ini \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/man/man1/skinstudio-cli.1.gz share/doc/skinstudio/copyright; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
# Compressed as Debian ships manual pages, and still the whole page.
if ! gzip -dc "$prefix/share/man/man1/skinstudio-cli.1.gz" 2>/dev/null | grep -q '^\.SH EXAMPLES'; then
  fail "the manual page is not a gzip-compressed page"
fi
[ ! -e "$prefix/share/man/man1/skinstudio-cli.1" ] || fail "the manual page is installed uncompressed too"
for size in 16 32 48 64 128 256 512; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  if ! file "$icon" | grep -q "PNG image data, $size x $size"; then
    fail "no $size x $size icon at $icon"
  fi
done
# Nothing but the two programs goes into bin, and no test or build tool
# anywhere.
extra=$(find "$prefix" -type f \( -name '*_tests' -o -name '*bench*' -o -name 'fuzz_*' \
  -o -name 'make_fuzz_seeds' -o -name 'skinstudio-artgen' -o -name 'skinstudio-embed' \))
[ -z "$extra" ] || fail "installed but not meant to be: $extra"
[ "$(ls "$prefix/bin")" = "$(printf 'skinstudio\nskinstudio-cli')" ] || fail "bin holds $(ls "$prefix/bin")"
# The installed tree as the desktop reads it: the metadata's launchable and
# icon must be found in it.
if ! appstreamcli validate-tree --no-net "$prefix" >"$tmp/tree.txt" 2>&1; then
  fail "appstreamcli validate-tree: $(cat "$tmp/tree.txt")"
fi

# A user with German chosen in the configuration folder.
export HOME=$tmp/home
export XDG_CONFIG_HOME=$HOME/.config
export XDG_DATA_HOME=$HOME/.local/share
export QT_QPA_PLATFORM=offscreen
settings=$XDG_CONFIG_HOME/skinstudio/settings/settings.ini
mkdir -p "$(dirname "$settings")" "$tmp/elsewhere"
printf '\xef\xbb\xbf\r\n[settings]\r\nLastPath = \r\nLanguage = 5\r\nBGColor = 0\r\nSwapView = 0\r\n' \
  >"$settings"
cd "$tmp/elsewhere"

text=$(timeout 30 "$prefix/bin/skinstudio" --print-interface-text 'LANG_FILE$' 2>"$tmp/err.txt") ||
  fail "--print-interface-text failed: $(cat "$tmp/err.txt")"
[ "$text" = "Datei" ] || fail "LANG_FILE\$ reads \"$text\", not the German \"Datei\""

# A skin named at start opens through the menu's own path, which remembers
# its folder as a whole path; the settings go back to the configuration folder, byte for
# byte as before, and nothing is left in the current folder.
"$prefix/bin/skinstudio-cli" convert --last-update x --out "$tmp/skins/Retro" >/dev/null
timeout 30 "$prefix/bin/skinstudio" --exit-after-start ../skins/Retro 2>"$tmp/err.txt" ||
  fail "the editor did not start and exit: $(cat "$tmp/err.txt")"
expected=$(printf '\xef\xbb\xbf\r\n[settings]\r\nLastPath = %s/\r\nLanguage = 5\r\nBGColor = 0\r\nSwapView = 0\r\n' \
  "$tmp/skins/Retro" | od -c)
[ "$(od -c <"$settings")" = "$expected" ] || fail "settings after opening a skin: $(cat -A "$settings")"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "the editor wrote into the current folder: $(ls -A)"

# A first start makes the configuration folder itself.
rm -rf "$XDG_CONFIG_HOME"
timeout 30 "$prefix/bin/skinstudio" --exit-after-start 2>"$tmp/err.txt" ||
  fail "the editor did not start and exit without settings: $(cat "$tmp/err.txt")"
[ -f "$settings" ] || fail "no settings written to $settings on the first start"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the installed editor failed" >&2
  exit 1
fi
echo "installed editor: every check passed"
