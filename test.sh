#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup-common.sh

kelvo_install_packages
# What the suites run; `cmake --build build` builds the benchmarks and the
# screenshot tools too.
kelvo_build kelvo_tests

export QT_QPA_PLATFORM=offscreen
cd "$KELVO_BUILD_DIR"
# Most tests wait on a pseudo-terminal or a pause rather than compute (a
# window is cheap to build now), and the long suites are one test per
# function (cmake/KelvoSplitSuite.cmake), so five times as many run at once
# as there are cores: on two cores the suite took 73 s with 6 at once, 63 s
# with 8 and 50 s with 10.
ctest --output-on-failure -j "$(( $(nproc 2>/dev/null || echo 2) * 5 ))" "$@"
