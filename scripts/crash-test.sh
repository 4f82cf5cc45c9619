#!/usr/bin/env bash
# Kills a process that rewrites a document and writes settings store transactions 1,000 times (or
# as many as the first argument says) at random moments, checking after each kill that nothing was
# lost or torn, and as many first Gos (into a missing folder, which is built aside, and into an
# empty one), checking that every page left is whole, a missing folder appears with the whole set or
# not at all, and the sweep removes what a killed Go left beside it. Prints the figures. CI runs the
# same tests with 100 kills.
source "$(dirname "$0")/common.sh"
kills="${1:-1000}"
install_missing
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DQUORELLA_BUILD_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" --target crash_tests -j "$(nproc)" >/dev/null
QUORELLA_CRASH_KILLS="$kills" "$BUILD_DIR/tests/reliability/crash_tests" --gtest_brief=1
