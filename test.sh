#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup-common.sh

kelvo_install_packages
kelvo_build

export QT_QPA_PLATFORM=offscreen
cd "$KELVO_BUILD_DIR"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"
