#!/usr/bin/env bash
# Builds the Qt that the Windows build of the tool links against: qtbase and
# Qt SerialPort 6.4.2, cross-compiled with Debian's MinGW-w64 (posix thread
# model), shared, with only the modules and plugins the tool loads.
#
#   packaging/windows/build-qt.sh                  build from Qt's source archives
#   packaging/windows/build-qt.sh --from-cache [ARCHIVE]
#                                                  unpack a prebuilt cache instead
#
#   KELVO_QT_SOURCES  folder with qtbase-everywhere-src-6.4.2.tar.xz and
#                     qtserialport-everywhere-src-6.4.2.tar.xz
#                     (default: ../shared/qt-sources next to the checkout)
#   KELVO_WIN_QT      where Qt is installed
#                     (default: ~/.cache/kelvo-miraq/qt-6.4.2-mingw64)
#
# The from-source build takes about an hour on two cores; the cache, a
# minute. Both need the Linux Qt 6.4 host tools (moc, rcc, uic), which the
# set-up scripts install.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
qt_version=6.4.2
prefix=${KELVO_WIN_QT:-$HOME/.cache/kelvo-miraq/qt-$qt_version-mingw64}
sources=${KELVO_QT_SOURCES:-$root/../shared/qt-sources}
default_cache=$root/../shared/qt-mingw64/qt-$qt_version-mingw64.tar.xz
jobs=$(nproc 2>/dev/null || echo 2)

source "$root/tools/setup-common.sh"
KELVO_PACKAGES=(cmake ninja-build xz-utils g++-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools)

if [ "${1:-}" = "--from-cache" ]; then
    archive=${2:-$default_cache}
    if [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
        echo "Qt for Windows is already in $prefix"
        exit 0
    fi
    if [ ! -f "$archive" ]; then
        echo "No prebuilt Qt at $archive; build it from the sources instead (without --from-cache)." >&2
        exit 1
    fi
    # The archive holds one folder, qt-6.4.2-mingw64/; its contents become the
    # prefix, which appears only once all of it is unpacked.
    rmdir "$prefix" 2>/dev/null || true
    if [ -e "$prefix" ]; then
        echo "$prefix holds something other than a complete Qt for Windows; remove it first." >&2
        exit 1
    fi
    rm -rf "$prefix.unpacking"
    mkdir -p "$prefix.unpacking"
    tar -xJf "$archive" -C "$prefix.unpacking" --strip-components=1
    mv "$prefix.unpacking" "$prefix"
    echo "Qt for Windows unpacked into $prefix"
    exit 0
elif [ $# -gt 0 ]; then
    sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
fi

kelvo_install_packages
# libwine-dev only for the two tablet headers that Debian's qtbase source leaves out.
KELVO_PACKAGES=(libwine-dev)
kelvo_install_packages

qtbase_archive=$sources/qtbase-everywhere-src-$qt_version.tar.xz
serialport_archive=$sources/qtserialport-everywhere-src-$qt_version.tar.xz
for archive in "$qtbase_archive" "$serialport_archive"; do
    if [ ! -f "$archive" ]; then
        cat >&2 <<MSG
Missing $archive.
Download Qt's source archives of qtbase and qtserialport $qt_version from
https://download.qt.io/archive/qt/6.4/$qt_version/submodules/ and put them in
$sources (or point KELVO_QT_SOURCES at their folder).
MSG
        exit 1
    fi
done

work=${KELVO_WIN_QT_BUILD:-$HOME/.cache/kelvo-miraq/qt-$qt_version-mingw64-build}
rm -rf "$work"
mkdir -p "$work"
tar -xJf "$qtbase_archive" -C "$work"
tar -xJf "$serialport_archive" -C "$work"
qtbase_src=$work/qtbase-everywhere-src-$qt_version
serialport_src=$work/qtserialport-everywhere-src-$qt_version

# The Windows platform plugin includes wintab.h and pktdef.h from
# src/3rdparty/wintab. When the source lacks them, Wine's declarations of the
# same public API serve.
wintab=$qtbase_src/src/3rdparty/wintab
if [ ! -f "$wintab/wintab.h" ]; then
    mkdir -p "$wintab"
    cp /usr/include/wine/wine/windows/wintab.h "$wintab/wine_wintab.h"
    cp /usr/include/wine/wine/windows/pktdef.h "$wintab/pktdef.h"
    cat >"$wintab/wintab.h" <<'HDR'
#pragma once
#include <windows.h>
#include <_mingw_dxhelper.h>
#include "wine_wintab.h"
#define API WINAPI
HDR
fi

toolchain=$prefix/mingw64-posix.cmake
mkdir -p "$prefix"
cp "$here/mingw64.cmake" "$toolchain"

start=$SECONDS
cmake -S "$qtbase_src" -B "$work/build-qtbase" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_icu=OFF \
    -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_testlib=ON
cmake --build "$work/build-qtbase" -j "$jobs"
cmake --install "$work/build-qtbase"

cmake -S "$serialport_src" -B "$work/build-serialport" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
cmake --build "$work/build-serialport" -j "$jobs"
cmake --install "$work/build-serialport"

rm -rf "$work"
echo "Qt for Windows built into $prefix in $(( (SECONDS - start) / 60 )) min $(( (SECONDS - start) % 60 )) s"
