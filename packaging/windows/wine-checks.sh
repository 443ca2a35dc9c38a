#!/usr/bin/env bash
# What can be tried of the Windows packages without Windows, under Wine and
# Xvfb (no window manager): the editor's window shows the preview exactly as
# the CLI renders it, a close writes its settings where they belong, and
# the installer installs silently, the installed editor starts, and the
# uninstaller leaves nothing of the installation behind.
#
#   packaging/windows/wine-checks.sh PORTABLE-FOLDER SETUP.EXE
#
# The skin it opens is the built-in one with other colours, saved by the
# CLI into a folder whose name is not ASCII.
# Uses a fresh Wine prefix of its own (removed at the end) and prints what a
# start costs: the first start (which makes the prefix) and a later one.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
given="$(cd "$1" && pwd)"
setup="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"

work="$(mktemp -d "${TMPDIR:-/tmp}/skinstudio-wine-checks.XXXXXX")"
user="${USER:-$(id -un)}"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
display=":$((100 + RANDOM % 800))"
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "wine-checks: $*" >&2
  exit 1
}
now() { date +%s.%N; }
seconds_since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.2f", end - start }'; }
winpath() { winepath -w "$1" 2>/dev/null; }
appdata() { echo "$WINEPREFIX/drive_c/users/$user/AppData/Roaming/skinstudio"; }
# The portable copy is tried in a copy of its own: it writes its settings
# beside itself.
portable="$work/portable"
cp -r "$given" "$portable"
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

# --- start-up cost ------------------------------------------------------------
# The first start makes the Wine prefix; later starts show what Wine costs
# on every start. The editor ends itself once its preview has painted.
start=$(now)
wine "$portable/skinstudio.exe" --report-first-frame >/dev/null 2>&1 || fail "first start failed"
first=$(seconds_since "$start")
start=$(now)
wine "$portable/skinstudio.exe" --report-first-frame >/dev/null 2>&1 || fail "second start failed"
later=$(seconds_since "$start")
echo "editor start to first frame under Wine: first ${first}s (makes the prefix), later ${later}s"

# --- the preview, pixel for pixel -----------------------------------------------
skin="$work/Skön スキン"
wine "$portable/skinstudio-cli.exe" convert --set "[global settings] fileNameTextColor=0x03e0" \
  --set "[global settings] gameInfoTextColor=0x7c1f" --set "[SkinInfo] Title=Wine" \
  --out "$(winpath "$skin")" || fail "the CLI did not save a skin"
wine "$portable/skinstudio-cli.exe" render --skin "$(winpath "$skin")" --screens \
  --out "$(winpath "$work/screens.png")" || fail "the CLI did not render the skin"
wine "$portable/skinstudio.exe" "$(winpath "$skin")" >/dev/null 2>&1 &
editor=$!
matched=""
for _ in $(seq 60); do
  sleep 1
  import -display "$display" -window root "$work/shot.png" 2>/dev/null || continue
  if "$here/preview_in_screenshot.py" "$work/shot.png" "$work/screens.png" >"$work/found.txt"; then
    matched=yes
    break
  fi
done
cp "$work/shot.png" "${SKINSTUDIO_WINE_SCREENSHOT:-/dev/null}" 2>/dev/null || true
[ -n "$matched" ] || fail "the editor's preview does not match the CLI's render: $(cat "$work/found.txt")"
sed 's/^/preview: /' "$work/found.txt"

# A close (Alt+F4, as Windows closes a window from the keyboard) writes the
# settings: the portable copy's beside itself, in its "settings" folder.
window=$(xdotool search --name "Skin Studio" | head -1)
[ -n "$window" ] || fail "no editor window"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers alt+F4
for _ in $(seq 30); do kill -0 "$editor" 2>/dev/null || break; sleep 0.5; done
kill -0 "$editor" 2>/dev/null && fail "the editor did not close"
[ -f "$portable/settings/settings.ini" ] || fail "the portable copy wrote no settings/settings.ini"
[ ! -e "$(appdata)" ] || fail "the portable copy wrote into $(appdata)"
echo "portable copy: settings in its own settings folder"

# --- installer and uninstaller ---------------------------------------------------
installed="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Twinscreen Skin Studio"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TwinscreenSkinStudio'
shortcut="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Twinscreen Skin Studio.lnk"
wine "$setup" /S
wineserver -w
[ -f "$installed/skinstudio.exe" ] || fail "the installer put no skinstudio.exe into $installed"
[ -f "$shortcut" ] || fail "no Start menu entry"
wine reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "the uninstaller is not listed"
(cd "$installed" && wine skinstudio.exe --exit-after-start >/dev/null 2>&1) ||
  fail "the installed editor did not start"
[ -f "$(appdata)/settings/settings.ini" ] || fail "the installed editor wrote no settings in $(appdata)"
echo "installer: installed, listed; the installed editor starts and keeps its settings in %APPDATA%\\skinstudio"
wine "$installed/uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "left behind: $(cd "$installed" && find . | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start menu entry is left behind"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller is still listed"
echo "uninstaller: nothing of the installation left (the user's settings stay)"
