#!/bin/sh
# Runs a Windows program of a cross build under Wine, for CTest
# (CMAKE_CROSSCOMPILING_EMULATOR) and by hand:
#   tools/wine-run.sh build-windows/bin/skinstudio-cli.exe render --out x.png
# The Wine prefix lives in the build tree (build-windows/wine-prefix, or
# $SKINSTUDIO_WINEPREFIX) and is made quietly on first use, so tests never
# touch ~/.wine and a fresh build starts from a known Windows.
set -eu
program="$1"
case "$program" in
  /*) ;;
  *) program="$PWD/$program" ;;
esac
if [ -z "${SKINSTUDIO_WINEPREFIX:-}" ]; then
  # The build tree is the folder holding bin/ (or tools/) with the program.
  build=$(dirname "$(dirname "$program")")
  SKINSTUDIO_WINEPREFIX="$build/wine-prefix"
fi
export WINEPREFIX="$SKINSTUDIO_WINEPREFIX"
export WINEDEBUG=-all
# No desktop integration, no Mono or Gecko installer dialogs.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # Several tests may start at once: one makes the prefix, the others wait.
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# One server for a whole test run: a server that quits between two tests
# while the next one connects ends that one with "Connection reset by peer".
wineserver -p30 </dev/null >/dev/null 2>&1 || true
shift
# The first program of a server starts Wine's own services, which inherit
# its output and keep it open until the server quits: whoever reads the
# output (CTest) would wait for that. The program writes into files, which
# are passed on once it has ended.
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
wine "$program" "$@" >"$output" 2>"$errors" || status=$?
# gtest's test list is printed in text mode ("\r\n"), which CTest's test
# discovery would take into the test names.
case " $* " in
  *" --gtest_list_tests "*) tr -d '\r' <"$output" ;;
  *) cat "$output" ;;
esac
cat "$errors" >&2
exit "$status"
