#!/usr/bin/env bash
# Builds Tavrino and runs all its tests.
#   ./test.sh          build/ and every test through CTest
#   ./test.sh --full   also the AddressSanitizer + UndefinedBehaviorSanitizer
#                      build of the tests, the ThreadSanitizer build of the
#                      player, stream and platform tests, a bounded run of each
#                      fuzz target, and the Windows build of the core, tested
#                      under Wine
set -euo pipefail
cd "$(dirname "$0")"

full=0
case "${1:-}" in
  "") ;;
  --full) full=1 ;;
  *) echo "usage: ./test.sh [--full]" >&2; exit 2 ;;
esac

./scripts/setup
jobs="$(nproc)"

./scripts/build build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure --parallel "$jobs"

if [ "$full" -eq 1 ]; then
  ./scripts/build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRINO_SANITIZE=ON
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --parallel "$jobs"

  # Only the two test programs with threads of their own are built. The
  # tests against a live JACK server stay out: their time limits do not
  # allow for ThreadSanitizer's slowdown.
  ./scripts/build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRINO_THREAD_SANITIZE=ON \
    --target tavrino_core_tests tavrino_platform_tests
  TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/tsan_suppressions.txt" \
    ctest --test-dir build-tsan --output-on-failure --parallel "$jobs" --exclude-regex 'LiveStream'

  ./scripts/build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRINO_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
  # Two minutes of fuzzing in all, shared by the targets.
  ./scripts/fuzz build-fuzz "${TAVRINO_FUZZ_SECONDS:-40}"

  ./scripts/cross-windows build
fi
