#!/usr/bin/env bash
# Builds the .deb of a build tree and checks it with lintian, unpacks it into
# a scratch root the way dpkg installs it, checks that it carries its licence
# and that the desktop entry leads to files the package holds, then starts
# the installed program on a virtual display of its own, waits for its
# window and ends it with End.
set -euo pipefail
cpack=${1:?usage: installed_package_starts.sh CPACK CPackConfig.cmake}
config=${2:?usage: installed_package_starts.sh CPACK CPackConfig.cmake}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$config" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack could not build the package"; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}

# Without these the package installs but does not start on a clean system.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libwxgtk3' <<<"$depends" || fail "Depends lacks the wxWidgets library: $depends"

# Errors fail; the warnings left are explained in cmake/package.cmake.
lintian --no-tag-display-limit "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
! grep -q '^E: ' "$scratch/lintian.log" || fail "lintian reports errors"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
docs=$root/usr/share/doc/duvora
grep -q '^License: Expat' "$docs/copyright" 2>/dev/null || fail "no MIT licence in $docs/copyright"
[ -f "$docs/changelog.gz" ] || fail "no changelog in $docs"
entry=$root/usr/share/applications/org.duvora.Duvora.desktop
[ -f "$entry" ] || fail "no desktop entry in the package"
[ -f "$root/usr/share/metainfo/org.duvora.Duvora.metainfo.xml" ] || fail "no metainfo in the package"

program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$root/usr/bin/$program" ] || fail "the desktop entry runs '$program', which the package lacks"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in scalable/apps/$icon.svg 16x16/apps/$icon.png 48x48/apps/$icon.png 256x256/apps/$icon.png; do
    [ -f "$root/usr/share/icons/hicolor/$size" ] || fail "icon $size missing from the package"
done

# The desktop groups the window under the menu entry by its WM_CLASS.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")

export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" >"$2/program.log" 2>&1 &
    pid=$!
    if ! timeout 60 xdotool search --sync --onlyvisible --name "^Duvora\$" >"$2/windows"; then
        echo "FAILED: no window named Duvora appeared" >&2
        cat "$2/program.log" >&2
        kill "$pid" 2>/dev/null
        exit 1
    fi
    kill -0 "$pid" || { echo "FAILED: the program ended" >&2; exit 1; }
    window=$(head -n 1 "$2/windows")
    class=$(xprop -id "$window" WM_CLASS)
    icon=$(xprop -id "$window" _NET_WM_ICON | head -n 1)
    # End, as a keyboard user presses it, ends the program.
    xdotool windowfocus --sync "$window" key alt+e
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null && sleep 0.2; done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAILED: the program still runs after End" >&2; kill "$pid"; exit 1
    fi
    grep -q "\"$3\"" <<<"$class" ||
        { echo "FAILED: the window has $class, the desktop entry expects \"$3\"" >&2; exit 1; }
    # The taskbar shows the icon the window carries.
    grep -q "Icon (" <<<"$icon" || { echo "FAILED: the window carries no icon: $icon" >&2; exit 1; }
' show-window "$root/usr/bin/$program" "$scratch" "$wm_class"
echo "The installed program showed its window."
