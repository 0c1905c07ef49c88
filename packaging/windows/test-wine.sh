#!/usr/bin/env bash
# The Windows build tried under Wine, as far as Wine can take it:
#
#   packaging/windows/test-wine.sh
#
#   1. the packages (packaging/windows/build.sh), with the Qt for Windows
#      unpacked from the prebuilt cache when it is not there yet;
#   2. the test suites whose code differs on Windows cross-built and run
#      under Wine on Qt's offscreen platform (their cases that play a
#      transmitter on a pseudo-terminal skip themselves on Windows); the
#      rest run the same code on Linux, or nothing but such cases;
#   3. kelvo-miraq-cli.exe from the package: show and diff on the sample
#      files print byte for byte what the Linux build prints;
#   4. kelvo-miraq-config.exe from the package: --version, and the window on
#      a virtual X display, closed as a user closes it;
#   5. the installer and the uninstaller, silent (/S).
#
# The serial line itself cannot be tried: Wine 8.0 does not emulate what
# QSerialPort's Windows backend needs of a pseudo-terminal (see README).
#
#   KELVO_WIN_BUILD_DIR  the cross build (default build-win); the Wine prefix
#                        is its wine/ folder
#   KELVO_BUILD_DIR      the Linux build whose kelvo-miraq-cli is the
#                        reference (default build; built when missing)
#   KELVO_SHOTS_DIR      when set, screenshots of the window in Chinese and
#                        English go there
#   KELVO_WINE_SUITES    the suites to run under Wine, separated by spaces
#                        (default: those listed below; "all" for every one)
#   KELVO_WIN_CMAKE_ARGS extra CMake arguments for the cross build
#                        (packaging/windows/build.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cd "$root"
qt=${KELVO_WIN_QT:-$HOME/.cache/kelvo-miraq/qt-6.4.2-mingw64}
build=${KELVO_WIN_BUILD_DIR:-build-win}
jobs=$(nproc 2>/dev/null || echo 2)
SECONDS=0
step() { echo ">> $* (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }
fail() { echo "FAILED: $*" >&2; exit 1; }
# Checks that fail are collected and listed at the end, so one run shows all.
problems=()
problem() { echo "   PROBLEM: $*" >&2; problems+=("$*"); }

source tools/setup-common.sh
KELVO_PACKAGES=(wine wine64 fonts-wine fonts-dejavu-core fonts-wqy-microhei xvfb x11-utils x11-apps)
kelvo_install_packages

step "the committed application icon matches app.png"
mkdir -p "$build"
"$here/make-app-ico.sh" "$build/app.ico.check"
cmp -s "$build/app.ico.check" "$here/app.ico" \
    || fail "packaging/windows/app.ico is older than app.png: run packaging/windows/make-app-ico.sh"

step "Qt for Windows and the packages"
[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ] || "$here/build-qt.sh" --from-cache
"$here/build.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage=$build/stage/kelvo-miraq-config

step "the test suites, cross-built"
# The suites whose code takes other paths on Windows, and why:
#   tst_startup         the Chinese fallback faces and the settings file in
#                       %APPDATA% (app/startup.cpp, ui/platformfonts.cpp);
#   tst_portlist        COM port names and the port watch (link/portlist.h,
#                       link/portwatch.cpp);
#   tst_connectioncheck the connection check where there is no /sys or /dev;
#   tst_parameterfile   files on a Windows file system: paths, line ends, a
#                       replaced file;
#   tst_filecommands    Save and Load through the file dialogs with Windows
#                       paths;
#   tst_setups          the backups in %LOCALAPPDATA% and their records;
#   tst_cli             the console's text (cli/console.cpp) and the exit
#                       codes of the program as a script runs it.
# The others test code that is the same on Windows (parsing, the model), or
# only what skips there (the pseudo-terminal transmitter), or looks that
# Wine's font engine does not show as Windows draws them.
if [ "${KELVO_WINE_SUITES:-}" = all ]; then
    mapfile -t suites < <(cd tests && ls tst_*.cpp | sed 's/\.cpp$//')
else
    read -r -a suites <<<"${KELVO_WINE_SUITES:-tst_startup tst_portlist tst_connectioncheck tst_parameterfile tst_filecommands tst_setups tst_cli}"
fi
cmake --build "$build" -j "$jobs" --target "${suites[@]}"

export WINEPREFIX=$root/$build/wine WINEDEBUG=-all
unset DISPLAY
# No Mono or Gecko download dialogs when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's wine wrapper looks for the 32-bit Wine too; these are 64-bit programs.
if [ -x /usr/lib/wine/wine64 ]; then wine=(/usr/lib/wine/wine64); else wine=(wine64); fi
step "the Wine prefix in $WINEPREFIX"
# Nothing left running in this prefix from a run that was cut short, and
# nothing left behind by this one.
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >/dev/null 2>&1
# A stock Windows has Arial, Segoe UI, Microsoft YaHei and SimSun; Wine has
# none of them, and without Segoe UI Latin texts of the line edits come out
# empty. Free faces of the Linux side stand in under their names.
for face in "Arial=DejaVu Sans" "Segoe UI=DejaVu Sans" "Microsoft YaHei=WenQuanYi Micro Hei" \
        "SimSun=WenQuanYi Micro Hei"; do
    "${wine[@]}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
done
wineserver -w
winpath() { winepath -w "$1" 2>/dev/null; }

step "the test suites under Wine (offscreen)"
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
# The suites are not packaged: Qt's DLLs and the MinGW runtime come from
# where they were built (Qt finds its plugins next to its DLLs). Wine keeps
# PATH and QT_* of Linux from its programs and passes WINEPATH and WINEQT_*
# on under those names instead.
WINEPATH="$(winpath "$qt/bin");$(winpath "$gcc_runtime");$(winpath /usr/x86_64-w64-mingw32/lib)"
export WINEPATH WINEQT_QPA_PLATFORM=offscreen
# The offscreen platform reads its fonts from one folder: the faces the
# Linux runs get from fontconfig for the form's Arial and for Chinese, so
# texts measure the same.
fonts=$build/fonts
mkdir -p "$fonts"
for pattern in Arial Arial:bold sans-serif sans-serif:bold sans-serif:lang=zh-cn; do
    file=$(fc-match -f '%{file}' "$pattern")
    ln -sf "$file" "$fonts/${file##*/}"
done
WINEQT_QPA_FONTDIR=$(winpath "$fonts")
export WINEQT_QPA_FONTDIR
# Qt's Chinese texts beside the suites, where the package has them too.
mkdir -p "$build/bin/translations"
cp "$stage/translations/"*.qm "$build/bin/translations/"
# Test functions Wine cannot judge, with why; they run on Linux:
#   tst_english englishFitsTheChineseBoxes: the stand-in faces go through
#   Qt's FreeType engine with full hinting here (whole-pixel advances), so a
#   text that fits with no pixel to spare under fontconfig's slight hinting
#   measures a pixel wider. A stock Windows draws Arial with DirectWrite.
#   tst_glance statusVerdictsFit: the same measure, of the status line.
not_under_wine=(tst_english:englishFitsTheChineseBoxes tst_glance:statusVerdictsFit)
logs=$build/wine-tests
rm -rf "$logs"
mkdir -p "$logs"
for suite in "${suites[@]}"; do
    functions=()
    for entry in "${not_under_wine[@]}"; do
        [ "${entry%%:*}" = "$suite" ] || continue
        mapfile -t functions < <(cd "$build/tests" && "${wine[@]}" "../bin/$suite.exe" -functions \
            | tr -d '\r' | sed 's/()$//' | grep -vx "${entry#*:}")
        echo "   $suite: all but ${entry#*:}"
    done
    status=0
    # Without a console a Windows program's stdout may go nowhere; the log
    # goes to a file instead.
    (cd "$build/tests" && timeout 900 "${wine[@]}" "../bin/$suite.exe" \
        -o "$(winpath "$root/$logs/$suite.txt"),txt" "${functions[@]}" >"$root/$logs/$suite.out" 2>&1) || status=$?
    totals=$(grep -a '^Totals:' "$logs/$suite.txt" 2>/dev/null | tr -d '\r' || true)
    echo "   $suite: ${totals:-no totals} (exit $status)"
    if [ "$status" -ne 0 ]; then
        grep -a -E '^(FAIL!|   Loc:|QFATAL)' "$logs/$suite.txt" | tr -d '\r' | head -n 12 >&2 || true
        problem "$suite under Wine (exit $status; log in $logs/$suite.txt)"
    fi
done

# From here on the programs of the package, as they are shipped.
unset WINEPATH WINEQT_QPA_PLATFORM WINEQT_QPA_FONTDIR

step "kelvo-miraq-cli.exe prints what the Linux build prints"
linux_build=${KELVO_BUILD_DIR:-build}
# Built (or found up to date) from the same sources.
(KELVO_BUILD_DIR=$linux_build; kelvo_build kelvo-miraq-cli) >/dev/null
samples=fuzz/corpus/fuzz_parameterfile
# Each in a language of its own: without --lang the tool speaks the system's.
cases=(
    "show --lang zh $samples/factory"
    "show --lang zh $samples/edited"
    "show --lang zh $samples/edited-with-line-ends"
    "show --lang zh --json $samples/edited"
    "show --lang en $samples/start-up"
    "show --lang zh $samples/not-hex"
    "diff --lang zh $samples/factory $samples/factory"
    "diff --lang zh $samples/factory $samples/edited"
    "diff --lang en $samples/start-up $samples/edited"
)
compared=$build/wine-cli
rm -rf "$compared"
mkdir -p "$compared"
n=0
for case in "${cases[@]}"; do
    n=$((n + 1))
    read -r -a arguments <<<"$case"
    linux_status=0 wine_status=0
    "$linux_build/bin/kelvo-miraq-cli" "${arguments[@]}" >"$compared/$n.linux" 2>/dev/null || linux_status=$?
    "${wine[@]}" "$stage/kelvo-miraq-cli.exe" "${arguments[@]}" >"$compared/$n.wine" 2>/dev/null || wine_status=$?
    if ! cmp -s "$compared/$n.linux" "$compared/$n.wine" || [ "$linux_status" != "$wine_status" ]; then
        diff <(od -c "$compared/$n.linux") <(od -c "$compared/$n.wine") | head -n 6 >&2 || true
        problem "kelvo-miraq-cli $case: Linux exit $linux_status, Wine exit $wine_status (outputs in $compared/$n.*)"
    else
        echo "   $case: the same $(wc -c <"$compared/$n.linux") bytes, exit $linux_status"
    fi
done
# QCommandLineParser's own --help and --version print only when the program
# has a console window or was handed its standard handles; otherwise they pop
# up a message box. A program started by Wine from a Linux shell has neither,
# so only text the tool prints itself shows here.
for option in --version --help; do
    out=$("${wine[@]}" "$stage/kelvo-miraq-cli.exe" --lang en "$option" 2>&1 | head -n 1 | tr -d '\r')
    if [ -z "$out" ]; then
        echo "   NOTE: kelvo-miraq-cli.exe $option printed nothing to a pipe (a message box instead)"
    elif [[ "$out" != kelvo-miraq-cli* && "$out" != Usage:* ]]; then
        problem "kelvo-miraq-cli.exe $option printed '$out'"
    fi
done

step "kelvo-miraq-config.exe starts, shows its window and closes"
# The window's text output is a console's: CRLF line ends.
out=$("${wine[@]}" "$stage/kelvo-miraq-config.exe" --version | tr -d '\r')
[ "$out" = "kelvo-miraq-config $version" ] || problem "kelvo-miraq-config.exe --version printed '$out'"
# A virtual X display for Wine's own windows (the Windows platform plugin,
# not offscreen): the window must come up and end with exit code 0 when it
# is asked to close (WM_CLOSE, as the title bar's close button does).
# Wine's desktop takes its display when the first program of the prefix
# starts: let the offscreen ones end first.
wineserver -w
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
for lang in zh en; do
    status_file=$build/wine-window-$lang.status
    rm -f "$status_file"
    ("${wine[@]}" "$stage/kelvo-miraq-config.exe" --lang "$lang" >/dev/null 2>&1; echo $? >"$status_file") &
    window=
    for _ in $(seq 1 120); do
        # Nothing yet while the X server is still starting.
        window=$(xwininfo -root -tree 2>/dev/null | awk '/"KELVO&MIRAQ/ { print $1; exit }' || true)
        [ -n "$window" ] && break
        sleep 1
    done
    if [ -z "$window" ]; then
        problem "no window of kelvo-miraq-config.exe ($lang) within two minutes"
        wineserver -k
        continue
    fi
    if [ -n "${KELVO_SHOTS_DIR:-}" ]; then
        # Time to paint; then the window as X has it (no window manager, so
        # without a frame).
        sleep 5
        mkdir -p "$KELVO_SHOTS_DIR"
        shot=$KELVO_SHOTS_DIR/window-wine-$lang
        xwd -id "$window" -silent >"$shot.xwd"
        if command -v xwdtopnm >/dev/null && command -v pnmtopng >/dev/null; then
            xwdtopnm "$shot.xwd" 2>/dev/null | pnmtopng >"$shot.png" && rm "$shot.xwd"
        fi
    fi
    "${wine[@]}" taskkill /im kelvo-miraq-config.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 60); do
        [ -f "$status_file" ] && break
        sleep 1
    done
    if [ "$(cat "$status_file" 2>/dev/null)" = 0 ]; then
        echo "   $lang: window shown, closed with exit 0"
    else
        problem "kelvo-miraq-config.exe ($lang) did not close cleanly (exit $(cat "$status_file" 2>/dev/null || echo none))"
        wineserver -k
    fi
done
wineserver -w

step "the installer and the uninstaller, silent"
setup=dist/kelvo-miraq-config-$version-setup.exe
local_app_data=$(winepath -u "$("${wine[@]}" cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
app_data=$(winepath -u "$("${wine[@]}" cmd /c echo %APPDATA% | tr -d '\r')")
installed=$local_app_data/Programs/kelvo-miraq-config
shortcut="$app_data/Microsoft/Windows/Start Menu/Programs/kelvo-miraq-config.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\kelvo-miraq-config'
"${wine[@]}" "$setup" /S
wineserver -w
for file in kelvo-miraq-config.exe kelvo-miraq-cli.exe uninstall.exe platforms/qwindows.dll \
        styles/qwindowsvistastyle.dll translations/qtbase_zh_CN.qm; do
    [ -f "$installed/$file" ] || problem "the installer left out $installed/$file"
done
[ -f "$shortcut" ] || problem "no Start-menu entry $shortcut"
"${wine[@]}" reg query "$key" /v DisplayVersion 2>/dev/null | tr -d '\r' | grep -q "REG_SZ[[:space:]]*$version\$" \
    || problem "no DisplayVersion $version under $key"
out=$("${wine[@]}" "$installed/kelvo-miraq-cli.exe" show "$samples/factory" | head -n 1)
[ -n "$out" ] || problem "the installed kelvo-miraq-cli.exe does not run"
echo "   installed into $installed"
# The uninstaller copies itself away and returns at once; wait for the copy.
"${wine[@]}" "$installed/uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || problem "the uninstaller left $(find "$installed" | head -n 5 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || problem "the uninstaller left the Start-menu entry"
if "${wine[@]}" reg query "$key" >/dev/null 2>&1; then problem "the uninstaller left $key"; fi
echo "   uninstalled: no files, Start-menu entry or registry key left"

if [ ${#problems[@]} -gt 0 ]; then
    echo "Under Wine, ${#problems[@]} problem(s):" >&2
    printf '  %s\n' "${problems[@]}" >&2
    exit 1
fi
step "Windows build tried under Wine: all well"
