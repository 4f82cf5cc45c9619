#!/usr/bin/env bash
# Screenshots of the real window under Xvfb for the README: the sample FAQ imported into a private
# home, then the General, Q & A, Layout and About pages, written to docs/screenshots/.
source "$(dirname "$0")/common.sh"
install_missing xvfb xdotool imagemagick
configure_and_build "$BUILD_DIR" >/dev/null
OUT="$ROOT/docs/screenshots"
mkdir -p "$OUT"
DEMO="$(mktemp -d)"
trap 'rm -rf "$DEMO"' EXIT
export QUORELLA_HOME="$DEMO/app" XDG_CONFIG_HOME="$DEMO/config"
mkdir -p "$QUORELLA_HOME"
CLI="$BUILD_DIR/src/cli/quorella-cli"
"$CLI" import "$ROOT/data/quorella-faq.txt" "Quorella FAQ" >/dev/null
"$CLI" set "Quorella FAQ" Directory "$HOME/quorella-site"

xvfb-run -a -s "-screen 0 640x520x24" bash -c '
  "$1" & pid=$!
  for i in $(seq 1 50); do xdotool search --name "Quorella v" >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 1.5
  win=$(xdotool search --name "Quorella v" | head -n 1)
  xdotool windowmove "$win" 0 0; sleep 0.5
  shot() { import -window "$win" "$2/$1.png"; }
  click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.6; }
  shot general "$2"
  click 100 52; click 120 146; shot questions "$2"
  click 163 52; shot layout "$2"
  click 247 49; shot answer "$2"
  click 466 49; click 466 49; click 413 49; shot about "$2"
  kill $pid' _ "$BUILD_DIR/src/app/quorella" "$OUT"
ls "$OUT"

# The Modern pages of the same FAQ in headless chromium: desktop, phone and dark.
install_browser_test_packages
(cd "$ROOT/tests/browser" && node screenshots.mjs "$CLI" "$ROOT/data/quorella-faq.txt" "$OUT")
