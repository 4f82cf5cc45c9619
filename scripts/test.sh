#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the C++ tests; the core and command-line
# tests again with AddressSanitizer and UndefinedBehaviorSanitizer (the "sanitize" preset, in
# build-sanitize/), so that any report fails the run; then the browser tests, whose node packages
# come from the npm registry (pinned by tests/browser/package-lock.json), last, so that a registry
# out of reach stops only them. Ends by checking that no test left a process of ours running.
# A failure names the step it stopped in.
source "$(dirname "$0")/common.sh"
STEP=""
step() {
  STEP=$1
  echo "== $STEP"
}
# Every process the tests start inherits this mark, by which the last step finds what is left.
export QUORELLA_TEST_RUN="$$-$(date +%s%N)"
trap 'status=$?; [ "$status" -eq 0 ] || echo "scripts/test.sh: failed in the step \"$STEP\" (exit $status)" >&2' EXIT

step "install the packages of the build and the tests (apt-get)"
install_missing
step "build"
configure_and_build "$BUILD_DIR"
step "C++ tests"
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" -LE browser)

cd "$ROOT"
step "build with the sanitizers"
# shellcheck disable=SC2086  # QUORELLA_CMAKE_ARGS holds several arguments
cmake --preset sanitize ${QUORELLA_CMAKE_ARGS:-} >/dev/null
cmake --build --preset sanitize -j "$(nproc)"
step "C++ tests with the sanitizers"
ctest --preset sanitize -j "$(nproc)"

step "the browser tests' node packages (npm ci from the npm registry)"
install_browser_test_packages
step "browser tests"
(cd "$BUILD_DIR" && ctest --output-on-failure -L browser)

step "no process left behind"
left=$(processes_left_behind "$QUORELLA_TEST_RUN" $$)
if [ -n "$left" ]; then
  sleep 2 # a browser's helpers may still be on their way out
  left=$(processes_left_behind "$QUORELLA_TEST_RUN" $$)
fi
if [ -n "$left" ]; then
  echo "Still running after the tests:" >&2
  echo "$left" >&2
  awk '{ print $1 }' <<<"$left" | xargs -r kill 2>/dev/null || true
  exit 1
fi
echo "Every test passed and no process of the tests is left."
