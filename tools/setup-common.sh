# Shared by run.sh and test.sh: installs what a fresh Debian/Ubuntu machine is
# missing (only when something is missing) and builds.
#   KELVO_BUILD_DIR   where to build (default build/)
#   KELVO_QT_MAJOR    5 or 6; empty (the default) takes Qt 6 when present, else Qt 5
# shellcheck shell=bash

# Both Qt 5.15 and Qt 6 with their Linguist tools, so either can be built
# and the translations made; Qt's own Chinese words for its dialogs; a face
# with Arial's widths, which the form is drawn for.
KELVO_PACKAGES=(cmake g++ make ccache fonts-wqy-microhei fonts-liberation2
    qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools
    qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-l10n-tools
    qttranslations5-l10n qt6-translations-l10n)
KELVO_BUILD_DIR=${KELVO_BUILD_DIR:-build}
# Extra CMake arguments for kelvo_build, e.g. -DKELVO_BUILD_BENCH=OFF.
KELVO_CMAKE_ARGS=${KELVO_CMAKE_ARGS:-}

# ccache (when installed) keys its cache on paths relative to the checkout, so
# another clone or build directory of the same sources reuses what was built.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
# Files compiled with a precompiled header (cmake/KelvoPrecompiled.cmake) are
# cached only with these; CMake's launcher sets them too.
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}

kelvo_missing_packages() {
    local missing=()
    local pkg
    for pkg in "${KELVO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    echo "${missing[@]}"
}

kelvo_install_packages() {
    if ! command -v dpkg-query >/dev/null 2>&1; then
        echo "Not a Debian-based system: install Qt 6 or Qt 5.15 (Widgets, SerialPort), CMake and a C++17 compiler yourself." >&2
        return 0
    fi
    local missing
    missing=$(kelvo_missing_packages)
    [ -z "$missing" ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Missing packages ($missing) and no root rights or sudo to install them." >&2
            return 1
        fi
    fi
    echo "Installing: $missing"
    # A fresh machine has no package lists yet.
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# kelvo_build [target...]: configures and builds the given targets, or all.
kelvo_build() {
    local jobs
    jobs=$(nproc 2>/dev/null || echo 2)
    local targets=()
    local target
    for target in "$@"; do
        targets+=(--target "$target")
    done
    # shellcheck disable=SC2086
    cmake -S . -B "$KELVO_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_QT_MAJOR="${KELVO_QT_MAJOR:-}" $KELVO_CMAKE_ARGS
    cmake --build "$KELVO_BUILD_DIR" -j "$jobs" "${targets[@]}"
}
