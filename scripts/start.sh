#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorella. Without a display it says so and shows
# what quorella-cli can do instead.
source "$(dirname "$0")/common.sh"
install_missing
configure_and_build "$BUILD_DIR"
GUI="$BUILD_DIR/src/app/quorella"
CLI="$BUILD_DIR/src/cli/quorella-cli"
if [ -x "$GUI" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$GUI" "$@"
fi
[ -x "$GUI" ] && echo "No display found: here is what quorella-cli does instead."
exec "$CLI" --help
