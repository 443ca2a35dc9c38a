#!/usr/bin/env bash
# Runs the libFuzzer targets of fuzz/ (builds them first, with clang, in
# build-fuzz or $FUZZ_BUILD_DIR).
#
#   tools/fuzz.sh TARGET|all SECONDS      fuzz each for SECONDS
#   tools/fuzz.sh --runs N TARGET|all     a bounded smoke run of N inputs each
#
# Targets: settings bmp16 picture archive text. The seeds in
# fuzz/corpus/TARGET and the findings in fuzz/regressions/TARGET are read,
# never written; what the fuzzer learns goes to BUILD/fuzz-work/TARGET, and
# crashing inputs to BUILD/fuzz-findings/TARGET/. Once a finding is fixed,
# copy it into fuzz/regressions/TARGET/: the test suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(settings bmp16 picture archive text)
runs=""
if [ "${1:-}" = "--runs" ]; then
  runs="${2:?--runs needs a count}"
  shift 2
fi
target="${1:-}"
seconds="${2:-}"
if [ -z "$target" ] || { [ -z "$runs" ] && [ -z "$seconds" ]; }; then
  sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
if [ "$target" = all ]; then
  targets=("${all_targets[@]}")
else
  case " ${all_targets[*]} " in
    *" $target "*) targets=("$target") ;;
    *) echo "unknown target: $target (one of: ${all_targets[*]} all)" >&2; exit 2 ;;
  esac
fi

build="${FUZZ_BUILD_DIR:-build-fuzz}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DSKINSTUDIO_FUZZ=ON -DSKINSTUDIO_TESTS=OFF \
    -DSKINSTUDIO_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"

# Longest input tried per target: room for real files, short enough to stay fast.
declare -A max_len=([settings]=8192 [bmp16]=4096 [picture]=16384 [archive]=32768 [text]=4096)

status=0
for t in "${targets[@]}"; do
  work="$build/fuzz-work/$t"
  findings="$build/fuzz-findings/$t"
  mkdir -p "$work" "$findings"
  limit=(-max_total_time="$seconds")
  if [ -n "$runs" ]; then limit=(-runs="$runs"); fi
  dict=()
  if [ -f "fuzz/dict/$t.dict" ]; then dict=(-dict="fuzz/dict/$t.dict"); fi
  echo "== fuzz_$t"
  if ! "$build/bin/fuzz_$t" "${limit[@]}" "${dict[@]}" -max_len="${max_len[$t]}" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$work" "fuzz/corpus/$t" "fuzz/regressions/$t"; then
    echo "fuzz_$t found a problem; the input is in $findings/" >&2
    status=1
  fi
done
exit $status
