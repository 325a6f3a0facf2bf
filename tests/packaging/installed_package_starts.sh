#!/usr/bin/env bash
# Builds the .deb of a build tree, checks it with lintian, unpacks it as dpkg
# installs it, checks its licence and that the desktop entry leads to files it
# holds, then starts the program on a display of its own as window_shows_and_ends.sh does.
set -euo pipefail
cpack=${1:?usage: installed_package_starts.sh CPACK CPackConfig.cmake} config=${2:?}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
"$cpack" -G DEB --config "$config" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack could not build the package"; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
# Without these the package installs but does not start on a clean system.
grep -q 'libwxgtk3' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "Depends lacks the wxWidgets library"
# Errors fail; the warnings left are explained in cmake/package.cmake.
lintian --no-tag-display-limit "$deb" 2>&1 | tee "$scratch/lintian.log" || true
! grep -q '^E: ' "$scratch/lintian.log" || fail "lintian reports errors"
root=$scratch/root
dpkg-deb -x "$deb" "$root"
docs=$root/usr/share/doc/duvora
grep -q '^License: Expat' "$docs/copyright" 2>/dev/null || fail "no MIT licence in $docs/copyright"
[ -f "$docs/changelog.gz" ] || fail "no changelog in $docs"
entry=$root/usr/share/applications/org.duvora.Duvora.desktop
[ -f "$entry" ] && [ -f "$root/usr/share/metainfo/org.duvora.Duvora.metainfo.xml" ] ||
    fail "no desktop entry or no metainfo in the package"
# "Open with" for the types the entry declares, the file passed as %f, the
# software centre told the same types; and no type's default program.
types=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' '\n' | sed '/^$/d' | sort)
provided=$(sed -n 's:.*<mediatype>\(.*\)</mediatype>.*:\1:p' "$root"/usr/share/metainfo/*.xml | sort)
[ -n "$types" ] && [ "$types" = "$provided" ] || fail "the metainfo provides [$provided], the desktop entry [$types]"
grep -q '^Exec=[^ ]* %[fF]$' "$entry" || fail "the desktop entry does not pass the file: $(grep ^Exec= "$entry")"
[ -z "$(find "$root" -name mimeapps.list -o -name defaults.list)" ] || fail "the package sets default programs"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$root/usr/bin/$program" ] || fail "the desktop entry runs '$program', which the package lacks"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in scalable/apps/$icon.svg 16x16/apps/$icon.png 48x48/apps/$icon.png 256x256/apps/$icon.png; do
    [ -f "$root/usr/share/icons/hicolor/$size" ] || fail "icon $size missing from the package"
done
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
xvfb-run -a -s "-screen 0 1280x1024x24" "$(dirname "$0")/window_shows_and_ends.sh" \
    "$(sed -n 's/^StartupWMClass=//p' "$entry")" "$root/usr/bin/$program"
