#!/usr/bin/env bash
# Takes screenshots of the real window under Xvfb: screenshot.sh OUT.png [TAB-INDEX] [ARGS...]
# Needs xvfb, xdotool and imagemagick (installed when missing).
source "$(dirname "$0")/common.sh"
install_missing xvfb xdotool imagemagick
out="$1"; tab="${2:-0}"; shift 2 || true
GUI="$BUILD_DIR/src/app/quorella"
export QUORELLA_SCREENSHOT_TAB="$tab"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  "$0" "$@" & pid=$!
  for i in $(seq 1 50); do xdotool search --name "Quorella v" >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 1
  win=$(xdotool search --name "Quorella v" | head -n 1)
  import -window "$win" "'"$out"'"
  kill $pid' "$GUI" "$@"
echo "$out"
