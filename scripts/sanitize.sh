#!/usr/bin/env bash
# Builds everything in Debug (so Q_ASSERT fires) with AddressSanitizer, LeakSanitizer and UBSan in
# build-sanitize/, and runs the whole test suite there. Any finding, a failed assertion included,
# fails its test and so the script. The standard library checks its own preconditions too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$flags -D_GLIBCXX_ASSERTIONS" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build build-sanitize

# Every leak is a finding: Qt and the system libraries under the offscreen platform leave none.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j2
