#!/usr/bin/env bash
# Installs what is missing, builds and starts the tool.
#   ./run.sh        the configuration tool
#   ./run.sh demo   the tool wired to a virtual transmitter, no hardware needed
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup-common.sh

kelvo_install_packages
kelvo_build

if [ "${1:-}" = "demo" ]; then
    exec tools/run-demo.sh
fi
exec build/bin/kelvo-miraq-config "$@"
