#!/usr/bin/env bash
# Installs what is missing, builds the two programs, and starts Quorella. Where the window cannot
# open (no display, or one that does not answer) it says so and builds the site of the sample FAQ
# with quorella-cli instead.
source "$(dirname "$0")/common.sh"
install_packages "${APP_PACKAGES[@]}"
configure_and_build_programs "$BUILD_DIR" >/dev/null
GUI="$BUILD_DIR/src/app/quorella"
CLI="$BUILD_DIR/src/cli/quorella-cli"

build_sample_site() {
  echo "Building the sample FAQ's site with quorella-cli instead."
  local demo="$BUILD_DIR/demo"
  export QUORELLA_HOME="$demo/app" XDG_CONFIG_HOME="$demo/config"
  mkdir -p "$QUORELLA_HOME"
  "$CLI" list | grep -qx "Sample FAQ" || "$CLI" import "$ROOT/data/quorella-faq.txt" "Sample FAQ" >/dev/null
  "$CLI" set "Sample FAQ" Directory "$demo/site"
  "$CLI" generate "Sample FAQ" >/dev/null
  echo "The start page is $demo/site/faq.html"
}

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found, so the window cannot open."
  build_sample_site
  exit 0
fi

# The window's messages still reach the terminal; a copy tells a display that does not answer
# (Qt then ends the program) from a window that ran and failed.
messages=$(mktemp)
trap 'rm -f "$messages"' EXIT
status=0
{ "$GUI" "$@" 2>&1 1>&3 3>&- | tee "$messages" >&2; } 3>&1 || status=$?
if [ "$status" -ne 0 ] &&
  grep -qE 'could not connect to display|no Qt platform plugin could be initialized|Failed to create wl_display' "$messages"; then
  echo "The display \"${DISPLAY:-${WAYLAND_DISPLAY:-}}\" does not answer, so the window cannot open."
  build_sample_site
  exit 0
fi
exit "$status"
