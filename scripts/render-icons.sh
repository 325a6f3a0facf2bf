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

le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
be32() { printf "\\x$(printf %02x $(($1 >> 24 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))"
         printf "\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 & 255)))"; }

# .ico with PNG-compressed images (Windows Vista on): a directory of entries,
# then the PNG files as they stand. A width of 0 stands for 256.
ico_sizes=(16 24 32 48 64 256)
{
    le16 0; le16 1; le16 ${#ico_sizes[@]}
    offset=$((6 + 16 * ${#ico_sizes[@]}))
    for size in "${ico_sizes[@]}"; do
        bytes=$(stat -c %s "$(png "$size")")
        printf "\\x$(printf %02x $((size & 255)))\\x$(printf %02x $((size & 255)))\\x00\\x00"
        le16 1; le16 32; le32 "$bytes"; le32 "$offset"
        offset=$((offset + bytes))
    done
    for size in "${ico_sizes[@]}"; do cat "$(png "$size")"; done
} >packaging/windows/duvora.ico

# .icns: "icns" and the total length, then per image a type code, its length
# with the 8-byte header, and the PNG.
icns_types=(icp4:16 icp5:32 icp6:64 ic07:128 ic08:256 ic09:512)
body=$(mktemp)
trap 'rm -f "$body"' EXIT
for entry in "${icns_types[@]}"; do
    file=$(png "${entry#*:}")
    printf %s "${entry%%:*}"; be32 $(($(stat -c %s "$file") + 8)); cat "$file"
done >"$body"
{ printf icns; be32 $(($(stat -c %s "$body") + 8)); cat "$body"; } >packaging/macos/duvora.icns
