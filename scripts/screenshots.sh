#!/usr/bin/env bash
# Screenshots of the real window under Xvfb for the README: the sample FAQ imported into a private
# home, then every page at a 1280x800 and an 800x600 screen, written to docs/screenshots/. The
# pages and the question shown are found by their names (window_screenshots), not by positions;
# then the Modern pages of the same FAQ in headless Chromium.
source "$(dirname "$0")/common.sh"
install_missing xvfb
configure_and_build "$BUILD_DIR" >/dev/null
OUT="$ROOT/docs/screenshots"
mkdir -p "$OUT"
DEMO="$(mktemp -d)"
trap 'rm -rf "$DEMO"' EXIT
export QUORELLA_HOME="$DEMO/app" XDG_CONFIG_HOME="$DEMO/config"
mkdir -p "$QUORELLA_HOME"
CLI="$BUILD_DIR/src/cli/quorella-cli"
SHOTS="$BUILD_DIR/tests/app/window_screenshots"
# A fresh configuration for each screen, so the window opens at its own size for that screen.
prepare() {
  rm -rf "$DEMO/app" "$DEMO/config" && mkdir -p "$DEMO/app"
  "$CLI" import "$ROOT/data/quorella-faq.txt" "Quorella FAQ" >/dev/null
  "$CLI" set "Quorella FAQ" Directory "$HOME/quorella-site"
  "$CLI" set "Quorella FAQ" Layout 1  # the framed layout shows the Question Page tab too
}
prepare
xvfb-run -a -s "-screen 0 1280x800x24" "$SHOTS" "$OUT" ""
prepare
xvfb-run -a -s "-screen 0 800x600x24" "$SHOTS" "$OUT" "-800x600"

# The Modern pages of the same FAQ in headless chromium: desktop, phone and dark.
install_browser_test_packages
(cd "$ROOT/tests/browser" && node screenshots.mjs "$CLI" "$ROOT/data/quorella-faq.txt" "$OUT")
