#!/usr/bin/env bash
# Renders the icon's PNG sizes, the Windows .ico and the macOS .icns from the
# one hand-drawn SVG. The results are committed, so that no build on any
# platform needs an SVG renderer; run this again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh icons

icons=packaging/icons
svg=$icons/hicolor/scalable/apps/org.duvora.Duvora.svg
sizes=(16 24 32 48 64 128 256 512)

png() { echo "$icons/hicolor/${1}x${1}/apps/org.duvora.Duvora.png"; }
for size in "${sizes[@]}"; do
    mkdir -p "$(dirname "$(png "$size")")"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$(png "$size")"
done

# .ico with the PNG files stored as they stand (Windows Vista on).
ico_pngs=()
for size in 16 24 32 48 64 256; do ico_pngs+=(--raw="$(png "$size")"); done
icotool -c -o packaging/windows/duvora.ico "${ico_pngs[@]}"

be32() { printf "\\x$(printf %02x $(($1 >> 24 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))"
         printf "\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 & 255)))"; }

# .icns: "icns" and the total length, then per image a type code, its length
# with the 8-byte header, and the PNG. png2icns is no help: it refuses 64x64,
# stores 16 to 128 pixels in the older RLE types and 256 and 512 as JPEG 2000,
# three times the size.
icns_types=(icp4:16 icp5:32 icp6:64 ic07:128 ic08:256 ic09:512)
body=$(mktemp)
trap 'rm -f "$body"' EXIT
for entry in "${icns_types[@]}"; do
    file=$(png "${entry#*:}")
    printf %s "${entry%%:*}"; be32 $(($(stat -c %s "$file") + 8)); cat "$file"
done >"$body"
{ printf icns; be32 $(($(stat -c %s "$body") + 8)); cat "$body"; } >packaging/macos/duvora.icns
