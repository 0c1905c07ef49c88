#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup-common.sh

kelvo_install_packages
kelvo_build

export QT_QPA_PLATFORM=offscreen
cd "$KELVO_BUILD_DIR"
# Most tests wait on a pseudo-terminal or a pause rather than compute, and
# the long suites are one test per function (cmake/KelvoSplitSuite.cmake),
# so three times as many run at once as there are cores (on two cores, 6
# at once were quicker than 4 or 8).
ctest --output-on-failure -j "$(( $(nproc 2>/dev/null || echo 2) * 3 ))" "$@"
