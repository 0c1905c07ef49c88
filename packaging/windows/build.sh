#!/usr/bin/env bash
# Cross-builds the Windows programs on Linux and packs them:
#
#   packaging/windows/build.sh
#
# gives in dist/
#   kelvo-miraq-config-<version>-windows-x64.zip   unzip and run, nothing installed
#   kelvo-miraq-config-<version>-setup.exe         installer for the current user
#
#   KELVO_WIN_QT         the Qt for Windows (default ~/.cache/kelvo-miraq/qt-6.4.2-mingw64;
#                        packaging/windows/build-qt.sh makes it)
#   KELVO_WIN_BUILD_DIR  the cross build (default build-win)
#   KELVO_DIST_DIR       where the packages go (default dist)
#   KELVO_WIN_CMAKE_ARGS extra CMake arguments for the cross build, e.g.
#                        -DKELVO_WERROR=ON (as CI builds it)
#
# The programs and the DLLs they load are stripped copies in
# <build>/stage/kelvo-miraq-config/, which both packages hold as they are.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cd "$root"
qt=${KELVO_WIN_QT:-$HOME/.cache/kelvo-miraq/qt-6.4.2-mingw64}
build=${KELVO_WIN_BUILD_DIR:-build-win}
dist=${KELVO_DIST_DIR:-dist}
triple=x86_64-w64-mingw32
jobs=$(nproc 2>/dev/null || echo 2)

source tools/setup-common.sh
KELVO_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 nsis zip
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
kelvo_install_packages

if [ ! -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    echo "No Qt for Windows in $qt: run packaging/windows/build-qt.sh (or with --from-cache) first." >&2
    exit 1
fi

# The same build directory serves the Wine tests (packaging/windows/test-wine.sh).
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release ${KELVO_WIN_CMAKE_ARGS:-}
cmake --build "$build" -j "$jobs" --target kelvo-miraq-config kelvo-miraq-cli
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

stage=$build/stage/kelvo-miraq-config
rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations"
cp "$build/bin/kelvo-miraq-config.exe" "$build/bin/kelvo-miraq-cli.exe" "$stage/"
# Plugins are loaded by name at run time, so no import table lists them: the
# platform integration and the native widget style.
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

# Every DLL the programs and plugins import, and what those import in turn,
# from Qt's bin folder and the MinGW runtime. A name found in none of them
# is Windows' own (KERNEL32.dll, USER32.dll, ...) and stays out.
gcc_runtime=$(dirname "$("$triple-g++-posix" -print-libgcc-file-name)")
search=("$qt/bin" "$gcc_runtime" "/usr/$triple/lib")
imports() { "$triple-objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
find_dll() {
    local dir path base
    for dir in "${search[@]}"; do
        for path in "$dir"/*.[dD][lL][lL]; do
            base=${path##*/}
            # Import tables are not particular about case.
            if [ "${base,,}" = "${1,,}" ]; then
                echo "$path"
                return 0
            fi
        done
    done
    return 1
}
declare -A seen=()
queue=("$stage"/*.exe "$stage"/platforms/*.dll "$stage"/styles/*.dll)
while [ ${#queue[@]} -gt 0 ]; do
    file=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r dll; do
        dll=${dll%$'\r'}
        [ -n "${seen[${dll,,}]:-}" ] && continue
        seen[${dll,,}]=1
        if path=$(find_dll "$dll"); then
            cp "$path" "$stage/"
            queue+=("$stage/${path##*/}")
        elif [[ "${dll,,}" == qt6* || "${dll,,}" == lib* ]]; then
            echo "$dll (needed by ${file##*/}) is in none of: ${search[*]}" >&2
            exit 1
        fi
    done < <(imports "$file")
done

# Qt's own texts (standard buttons, file dialogs) in Chinese, next to the
# program where it looks for them; the tool's catalogues are built in.
qt_translations=$(qtpaths6 --query QT_INSTALL_TRANSLATIONS 2>/dev/null || echo /usr/share/qt6/translations)
cp "$qt_translations/qtbase_zh_CN.qm" "$stage/translations/"

find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec "$triple-strip" --strip-unneeded {} +

mkdir -p "$dist"
zip_name=kelvo-miraq-config-$version-windows-x64.zip
rm -f "$dist/$zip_name"
(cd "$stage/.." && zip -q -r -9 -X "$root/$dist/$zip_name" kelvo-miraq-config)
# What the uninstaller removes: the files, then their folders, deepest first.
(cd "$stage" && {
    find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|'
}) >"$stage/../files.nsh"
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -DSIZE_KB="$size_kb" -DVERSION="$version" -DSTAGE="$root/$stage" -DICON="$here/app.ico" \
    -DOUTFILE="$root/$dist/kelvo-miraq-config-$version-setup.exe" "$here/installer.nsi"

echo "Windows packages of $version:"
ls -l "$dist/$zip_name" "$dist/kelvo-miraq-config-$version-setup.exe"
