#!/usr/bin/env bash
# Writes packaging/windows/app.ico, the Windows icon of both programs, from
# the application image resources/myImage/images/app.png (256 x 256):
#
#   packaging/windows/make-app-ico.sh [OUTPUT]
#
# The icon holds that PNG as it is, the 256-pixel entry Windows Vista and
# later scale down for the smaller sizes. Rerun it after redrawing app.png;
# the Windows test stage checks that the committed icon is up to date.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
png=$here/../../resources/myImage/images/app.png
out=${1:-$here/app.ico}

# Little-endian 16- and 32-bit fields as printf escapes.
le16() { printf '\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '\\%03o\\%03o\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }

size=$(stat -c %s "$png")
{
    # ICONDIR: reserved, type 1 (icon), one image.
    printf "$(le16 0)$(le16 1)$(le16 1)"
    # ICONDIRENTRY: 0 x 0 means 256 x 256; no palette; one plane, 32 bits;
    # the PNG's length and its offset right after this entry (6 + 16 bytes).
    printf '\000\000\000\000'
    printf "$(le16 1)$(le16 32)$(le32 "$size")$(le32 22)"
    cat "$png"
} >"$out.tmp"
mv "$out.tmp" "$out"
