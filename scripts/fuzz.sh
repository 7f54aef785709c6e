#!/usr/bin/env bash
# Builds the fuzz targets under fuzz/ with clang, AddressSanitizer and UBSan, and runs each
# for FUZZ_SECONDS (60) from a copy of its seed corpus. A crash or a failed check fails the
# script; the input that caused it is left in fuzz/corpus/<target>/ to be committed.
# The mutations follow FUZZ_SEED (1), so a run repeats what an earlier run with that seed
# tried; FUZZ_SEED=0 lets libFuzzer pick a new one, for hunting rather than checking.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang libclang-rt-14-dev

seconds="${FUZZ_SECONDS:-60}"
seed="${FUZZ_SEED:-1}"
targets=(book_reader_fuzz earlier_form_fuzz settings_fuzz sort_file_fuzz)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVOPA_BUILD_FUZZ=ON \
  -DVOPA_BUILD_TESTS=OFF -DVOPA_BUILD_BENCH=OFF
cmake --build build-fuzz --target "${targets[@]}"

# Every input is written to a file and every round trip saved; on tmpfs the saves' syncs cost
# nothing. A folder of our own, so that what a crashed run leaves behind goes too.
scratch="$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/vopa-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
failed=()
for target in "${targets[@]}"; do
  corpus="fuzz/corpus/$target"
  work="$(mktemp -d)"
  cp "$corpus"/* "$work"/
  echo "== $target: ${seconds} s"
  if ! "build-fuzz/fuzz/$target" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=4096 \
      -artifact_prefix="$corpus/" -print_final_stats=1 "$work" 2>"$work.log"; then
    tail -n 60 "$work.log"
    failed+=("$target")
  else
    grep -E "^(stat::number_of_executed_units|Done)" "$work.log" || true
  fi
  rm -rf "$work" "$work.log"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs kept in fuzz/corpus/<target>/crash-*)" >&2
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets, ${seconds} s each, no faults"
