#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that are missing for the given purposes:
#   build  compiler, CMake, wxWidgets, and GTK's headers for the GTK-only parts
#   test   GoogleTest, a virtual X server for the window tests, Google
#          Benchmark, so that the benchmarks build with the tests, the
#          German locale the window is tested in, and a window manager, to
#          see the window framed as on a desktop
#   bench  hyperfine, which times the whole processes, and what `make bench`
#          compares Duvora with: Python with NumPy and SciPy, and R
#   fuzz   clang 14 with its runtimes (libFuzzer, AddressSanitizer, UBSan), which
#          Debian packages apart from the compiler
#   package  the .deb tools and lintian, the desktop-entry and AppStream
#          validators, what the installed-package test needs to find the
#          window, and mingw-w64's resource compiler with the C compiler it
#          preprocesses with and the Windows headers, to check the Windows
#          resources
#   windows  the mingw-w64 cross compiler, Wine, GoogleTest's sources, what
#          fetches wxWidgets' sources, wixl and msitools for the installer,
#          and for the window under Wine a virtual X server, Wine's fonts, xdotool
#   screenshot-windows  the image tools of scripts/screenshot-windows.sh
#   icons  the SVG renderer and the .ico writer for scripts/render-icons.sh
set -euo pipefail

packages=()
for purpose in "$@"; do
    case "$purpose" in
        build) packages+=(g++ make cmake pkg-config libwxgtk3.2-dev libgtk-3-dev) ;;
        test) packages+=(libgtest-dev libgmock-dev xvfb xauth libbenchmark-dev locales openbox) ;;
        bench) packages+=(libbenchmark-dev xvfb xauth hyperfine python3 python3-numpy python3-scipy r-base-core) ;;
        fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
        package) packages+=(dpkg-dev file lintian desktop-file-utils appstream xvfb xauth xdotool
                            x11-utils gcc-mingw-w64-x86-64-posix) ;;
        windows) packages+=(cmake make g++-mingw-w64-x86-64-posix wine64 googletest
                            apt xz-utils xvfb fonts-wine xdotool wixl msitools) ;;
        screenshot-windows) packages+=(netpbm) ;;
        icons) packages+=(librsvg2-bin icoutils) ;;
        *) echo "install-deps: unknown purpose '$purpose'" >&2; exit 2 ;;
    esac
done

# The German locale, generated where it is missing (after the packages).
need_german=false
for purpose in "$@"; do
    [ "$purpose" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && need_german=true
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && ! $need_german && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
    echo "Please install these packages with your system's package manager: ${missing[*]}" >&2
    exit 1
fi

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "Missing packages. Run as root, then try again:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi

# Another package manager (on Ubuntu, unattended upgrades after boot) may hold
# apt's locks for minutes: say so, and wait up to DUVORA_APT_LOCK_WAIT seconds
# in all. apt-get waits for dpkg's locks itself (after a first try that does
# not, so that the wait is announced), but not for the package lists' lock of
# `apt-get update` or the download directory's: those are tried again here.
deadline=$((SECONDS + ${DUVORA_APT_LOCK_WAIT:-600}))
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
apt_get() {
    local lock_timeout=0
    until "${sudo[@]}" apt-get -qq -o DPkg::Lock::Timeout=$lock_timeout "$@" 2>"$errors"; do
        if [ $SECONDS -ge $deadline ] || ! grep -q 'Could not get lock' "$errors"; then
            cat "$errors" >&2
            return 1
        fi
        [ $lock_timeout -gt 0 ] || echo "Waiting up to $((deadline - SECONDS)) s for another package manager:" \
            "$(grep -m1 -o 'Could not get lock.*' "$errors")"
        sleep 2
        lock_timeout=$((deadline > SECONDS ? deadline - SECONDS : 1))
    done
    cat "$errors" >&2
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt_get update
    apt_get install -y --no-install-recommends "${missing[@]}"
fi
if $need_german; then
    echo "Generating the locale de_DE.UTF-8"
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
