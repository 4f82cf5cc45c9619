#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format (.clang-format) makes of it.
source "$(dirname "$0")/common.sh"
install_missing clang-format
cd "$ROOT"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "Formatting: every file as clang-format writes it."
