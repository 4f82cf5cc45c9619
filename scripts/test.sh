#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the core and command-line
# tests again with AddressSanitizer and UndefinedBehaviorSanitizer (the "sanitize" preset, in
# build-sanitize/) and runs them, so that any report fails the run.
source "$(dirname "$0")/common.sh"
install_missing
install_browser_test_packages
configure_and_build "$BUILD_DIR"
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")

cd "$ROOT"
# shellcheck disable=SC2086  # QUORELLA_CMAKE_ARGS holds several arguments
cmake --preset sanitize ${QUORELLA_CMAKE_ARGS:-} >/dev/null
cmake --build --preset sanitize -j "$(nproc)"
ctest --preset sanitize -j "$(nproc)"
