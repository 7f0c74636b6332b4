#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for a while.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default 60 seconds, every target)
# FUZZ_BUILD: build folder (default build-fuzz); FUZZ_JOBS: targets run at once (default 1).
# New inputs go to FUZZ_BUILD/corpus/TARGET, starting from the committed seeds in fuzz/corpus;
# a crash, sanitizer report or leak leaves its input in FUZZ_BUILD/artifacts/TARGET and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-build-fuzz}
jobs=${FUZZ_JOBS:-1}

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/targets/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

# Longest input per target: a few records, a short sample, a settings record, two short texts.
max_len() {
  case "$1" in
    fuzz_settings_file) echo 2048 ;;
    fuzz_string_protocol) echo 512 ;;
    fuzz_wave_file) echo 16384 ;;
    fuzz_language_file) echo 20000 ;;
    fuzz_vocabulary_file) echo 40000 ;;
    *) echo 70000 ;;
  esac
}

run_one() {
  local target=$1 corpus="$build/corpus/$1" artifacts="$build/artifacts/$1/"
  mkdir -p "$corpus" "$artifacts"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    nice "$build/$target" "$corpus" "fuzz/corpus/$target" -max_total_time="$seconds" \
    -max_len="$(max_len "$target")" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="$artifacts" >"$build/$target.log" 2>&1
}

failed=0
pids=()
names=()
for target in "${targets[@]}"; do
  echo "== fuzzing $target for $seconds s"
  run_one "$target" &
  pids+=($!)
  names+=("$target")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    if ! wait "${pids[0]}"; then
      echo "!! ${names[0]} failed: see $build/${names[0]}.log"
      failed=1
    fi
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
done
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    echo "!! ${names[$i]} failed: see $build/${names[$i]}.log"
    failed=1
  fi
done

for target in "${targets[@]}"; do
  runs=$(grep -ho 'stat::number_of_executed_units: *[0-9]*' "$build/$target.log" | grep -o '[0-9]*$' || true)
  echo "$target: ${runs:-?} inputs run"
done
exit $failed
