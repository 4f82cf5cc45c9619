#!/usr/bin/env bash
# Installs what is missing and builds everything into build/.
source "$(dirname "$0")/common.sh"
install_missing
configure_and_build "$BUILD_DIR"
