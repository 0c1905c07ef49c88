#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup-common.sh

kelvo_install_packages
kelvo_build

export QT_QPA_PLATFORM=offscreen
cd "$KELVO_BUILD_DIR"
# Most suites wait on a pseudo-terminal or a pause rather than compute, so
# twice as many run at once as there are cores.
ctest --output-on-failure -j "$(( $(nproc 2>/dev/null || echo 2) * 2 ))" "$@"
