#!/usr/bin/env bash
# Installs what is missing, builds and starts the tool.
#   ./run.sh        the configuration tool
#   ./run.sh demo   the tool wired to a virtual transmitter, no hardware needed
# Arguments go to the tool, e.g. ./run.sh --port /dev/ttyUSB0 --open
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup-common.sh

kelvo_install_packages

# Only what is started: the test suites are left to ./test.sh.
if [ "${1:-}" = "demo" ]; then
    shift
    kelvo_build kelvo-miraq-config kelvo-miraq-sim
    exec tools/run-demo.sh "$@"
fi
kelvo_build kelvo-miraq-config
exec "$KELVO_BUILD_DIR/bin/kelvo-miraq-config" "$@"
