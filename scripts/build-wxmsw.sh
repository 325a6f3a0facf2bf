#!/usr/bin/env bash
# Builds the small static wxMSW that the Windows cross build links, once per
# wxWidgets version, option set and compiler, and prints its prefix. The
# build (some ten minutes of two cores) lives in the user's cache, outside any
# work tree, so that every clone and worktree reuses it; a machine without it
# builds it here. The sources are Debian's own `wxwidgets3.2` source package.
# Usage: build-wxmsw.sh   (progress on stderr, the prefix on stdout)
set -euo pipefail

wx_version=3.2.2
host=x86_64-w64-mingw32
cxx=$host-g++-posix

# Everything off, then on again only what the window, its dialogs and their
# tests use. The Debian tarball lacks the bundled image and compression
# libraries, and nothing here needs them.
options=(
    --host=$host --with-msw --disable-shared --without-subdirs --disable-tests
    --enable-pch --disable-all-features
    --without-zlib --without-expat --without-libpng --without-libjpeg
    --without-libtiff --without-regex --without-liblzma --without-nanosvg
    --without-opengl --without-libcurl
    --enable-button --enable-stattext --enable-textctrl --enable-listctrl
    --enable-imaglist --enable-filedlg --enable-msgdlg --enable-uiactionsim
    --enable-timer --enable-validators --enable-dynlib --enable-dynamicloader
    --enable-exceptions --enable-log --enable-longlong --enable-file
    --enable-ffile --enable-datetime --enable-threads
    --enable-ole --enable-uxtheme --enable-wxdib --enable-image
    --enable-streams --enable-display --enable-regkey --enable-intl
    # ole needs these two.
    --enable-dataobj --enable-variant
    # The frame needs these on MSW.
    --enable-menus --enable-menubar
    # The native list control needs these.
    --enable-tooltips
    # Files dropped on the window, and the table copied.
    --enable-dnd --enable-clipboard
    # The file dialog needs these.
    --enable-treectrl --enable-checkbox --enable-radiobtn --enable-choice
)

key=$( { printf '%s\n' "${options[@]}"; "$cxx" --version | head -1; } | sha256sum | cut -c1-12)
cache=${DUVORA_WX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/duvora}
prefix=$cache/wxmsw-$wx_version-$key

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
# Two builds starting at once (two worktrees, say) build it once.
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "$cache/wxmsw-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "Building wxMSW $wx_version into $prefix (once; takes several minutes)" >&2

# A private apt configuration that knows only bookworm's sources, so that
# the system's own sources and lists stay as they are.
mkdir -p "$work/apt/sources" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    >"$work/apt/sources/bookworm-src.list"
apt=(apt-get -q -o Dir::Etc::sourcelist=/dev/null
     -o Dir::Etc::sourceparts="$work/apt/sources"
     -o Dir::State::lists="$work/apt/lists"
     -o Dir::Cache="$work/apt/cache"
     -o APT::Sandbox::User="$(id -un)")
"${apt[@]}" update >&2
(cd "$work" && "${apt[@]}" source --download-only wxwidgets3.2 >&2)

tarball=$(find "$work" -maxdepth 1 -name "wxwidgets3.2_${wx_version}*.orig.tar.*" | head -1)
if [ -z "$tarball" ]; then
    echo "build-wxmsw: Debian no longer serves wxWidgets $wx_version:" >&2
    ls "$work" >&2
    echo "set wx_version in $0 to the version it serves." >&2
    exit 1
fi
mkdir "$work/src"
tar -xf "$tarball" -C "$work/src" --strip-components=1

mkdir "$work/build"
cd "$work/build"
nice "$work/src/configure" --prefix="$prefix" "${options[@]}" \
    CC=$host-gcc-posix CXX="$cxx" >configure.log 2>&1 \
    || { tail -40 configure.log >&2; exit 1; }
nice make -j2 >make.log 2>&1 || { tail -40 make.log >&2; exit 1; }
rm -rf "$prefix"
make install >install.log 2>&1 || { tail -40 install.log >&2; exit 1; }
touch "$prefix/.complete"
echo "$prefix"
