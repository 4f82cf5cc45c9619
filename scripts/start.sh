#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorella. On a machine without a display it says so
# and builds the site of the sample FAQ with quorella-cli instead.
source "$(dirname "$0")/common.sh"
install_missing
configure_and_build "$BUILD_DIR" >/dev/null
GUI="$BUILD_DIR/src/app/quorella"
CLI="$BUILD_DIR/src/cli/quorella-cli"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$GUI" "$@"
fi

echo "No display found, so the window cannot open. Building the sample FAQ's site with quorella-cli instead."
DEMO="$BUILD_DIR/demo"
export QUORELLA_HOME="$DEMO/app" XDG_CONFIG_HOME="$DEMO/config"
mkdir -p "$QUORELLA_HOME"
"$CLI" list | grep -qx "Sample FAQ" || "$CLI" import "$ROOT/data/quorella-faq.txt" "Sample FAQ" >/dev/null
"$CLI" set "Sample FAQ" Directory "$DEMO/site"
"$CLI" generate "Sample FAQ" >/dev/null
echo "The start page is $DEMO/site/faq.html"
