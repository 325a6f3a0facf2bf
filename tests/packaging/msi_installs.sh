#!/usr/bin/env bash
# Installs the installer under Wine silently, as IT would, over an older version
# built from the same files; checks what it put on the machine; opens a data file
# with the installed program and reads its table; uninstalls it, leaving nothing.
# Usage: msi_installs.sh MSI WXS WINE_RUN PREFIX LIST_VIEW_ROWS.exe DATA_FILE
set -euo pipefail
msi=$(realpath "$1") wxs=$(realpath "$2") wine_run=$3 prefix=$4 list_view_rows=$5 data=$(realpath "$6")
fail() { echo "FAILED: $*" >&2; exit 1; }
wine() { "$wine_run" "$prefix" "$@" | tr -d '\r'; }
reg() { wine reg query "$@" 2>/dev/null || true; }
msiexec() { wine msiexec "$1" "Z:${2//\//\\}" /qn; }
work=$(mktemp -d)
trap '{ wine taskkill /f /im duvora.exe; msiexec /x "$msi"; } >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
property() { msiinfo export "$msi" Property | tr -d '\r' | sed -n "s/^$1\t//p"; }
product=$(property ProductCode) classes='HKLM\Software\Classes'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
folder=$prefix/drive_c/Program\ Files/Duvora icon=$prefix/drive_c/windows/Installer/$product/duvora.ico
shortcut() { find "$prefix/drive_c" -path '*/Start Menu/Programs/*' -iname 'duvora*.lnk'; }
msiextract -C "$work" "$msi" >/dev/null
(cd "$(dirname "$(find "$work" -name duvora.exe)")" && wixl -a x64 -o "$work/old.msi" -D Name=Duvora -D Version=0.0.1 -D Publisher=Old "$wxs")
msiexec /i "$work/old.msi" && [ -f "$folder/duvora.exe" ] || fail "the older version did not install"
msiexec /i "$msi" || fail "msiexec could not install $msi"
# The shortcut holds its paths in both narrow and wide characters.
grep -q 'Program Files\\Duvora\\duvora.exe' <<<"$(strings -a "$(shortcut)")" || fail "no shortcut starts duvora.exe"
grep -q "$product\\\\duvora.ico" <<<"$(strings -a -el "$(shortcut)")" && [ -f "$icon" ] || fail "the shortcut has no icon"
# Apps & features: this version alone, with its name, publisher and icon.
entry=$(reg "$uninstall\\$product") products=$(reg "$classes\\Installer\\Products" /s)
[ "$(grep -cE "DisplayName.*Duvora$|DisplayVersion.*$(property ProductVersion)$|Publisher.*$(property Manufacturer)$" <<<"$entry")" -eq 3 ] ||
    fail "Apps & features lacks the name, version or publisher: $entry"
[ "$(grep -c 'ProductName.*Duvora' <<<"$products")" -eq 1 ] || fail "the older version was not replaced: $products"
grep -q "ProductIcon.*$product.*duvora.ico" <<<"$products" || fail "Apps & features shows no icon"
# Open with, for both types, passing the file; never their default program.
app=$(reg "$classes\\Applications\\duvora.exe" /s)
grep -qE '^\s+\.csv\s' <<<"$app" && grep -qE '^\s+\.txt\s' <<<"$app" && grep -q 'duvora.exe" "%1"' <<<"$app" ||
    fail "Applications\\duvora.exe does not open .csv and .txt: $app"
for type in .csv .txt; do
    progid=$(reg "$classes\\$type\\OpenWithProgids" | awk 'NF > 1 { name = $1 } END { print name }')
    grep -q 'duvora.exe" "%1"' <<<"$(reg "$classes\\${progid:-none}\\shell\\open\\command")" ||
        fail "$type has no Open with entry that starts Duvora"
    ! grep -q "$progid" <<<"$(reg "$classes\\$type" /ve)" || fail "Duvora became $type's default"
done
# The installed program, given a file as Open with gives it, shows its records.
"$wine_run" "$prefix" "C:\\Program Files\\Duvora\\duvora.exe" "Z:${data//\//\\}" &
expected=$(sed -n '2,$p' "$data" | tr -d '\r' | sed '/^$/d' | cut -d, -f1,2 | tr , '\t')
for _ in $(seq 100); do
    shown=$(wine "$list_view_rows" | cut -f1,2 || true)
    [ "$shown" = "$expected" ] && break
    sleep 0.3
done
[ "$shown" = "$expected" ] || fail "the table shows [$shown], the file holds [$expected]"
# End, pressed as a user would: sent to the window, its release would find it gone.
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Duvora$' | head -n 1)" key alt+e
wait $! || fail "the installed program ended with a failure"
msiexec /x "$msi" || fail "msiexec could not uninstall"
[ ! -e "$folder" ] && [ -z "$(shortcut)" ] && [ ! -e "$icon" ] || fail "files are left after uninstall"
! grep -i duvora <<<"$(reg 'HKLM\Software' /s; reg 'HKCU\Software' /s)" || fail "the registry still names Duvora"
echo "Installed over an older version, opened $(wc -l <<<"$expected") records, uninstalled whole."
