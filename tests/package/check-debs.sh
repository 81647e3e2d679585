#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-debs.sh DIR: checks the source and binary packages that ./dev package left
# in DIR as a distribution would. lintian (pedantic, information shown) must find no
# error and no warning; an override must say why. The installed desktop entry and
# AppStream file must pass their validators, every file a desktop needs must be
# there, the stripped programs must start and name the changelog's version, the
# engine must neither depend on nor load a display library, and it must play a
# short match (the autopkgtest, run on the unpacked package).
set -euo pipefail
dir=$(realpath "$1")
source=$(realpath "$(dirname "$0")/../..")
version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# lintian warns when run as root that unpacking a stranger's package as root is
# unwise; these packages are our own, so root runs (CI) say they know.
as_root=()
[ "$(id -u)" -ne 0 ] || as_root=(--allow-root)
lintian "${as_root[@]}" --pedantic --display-info --fail-on error,warning "$dir"/*.changes \
    || fail "lintian exited with $?"
for overrides in "$source"/debian/*lintian-overrides "$source"/debian/source/lintian-overrides; do
    [ -f "$overrides" ] || continue
    awk '!/^#/ && NF && previous !~ /^#/ { bad = 1; print FILENAME ": no reason for " $0 } { previous = $0 } END { exit bad }' \
        "$overrides" || fail "an override without its reason"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
for deb in "$dir"/zarvik_"$version"_*.deb "$dir"/zarvik-engine_"$version"_*.deb; do
    dpkg-deb -x "$deb" "$root"
done

report=$(desktop-file-validate "$root/usr/share/applications/org.zarvik.Zarvik.desktop" 2>&1) \
    && [ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.zarvik.Zarvik.metainfo.xml" >"$work/appstream.log" 2>&1 \
    || fail "appstreamcli: $(cat "$work/appstream.log")"
for size in 16 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/zarvik.png" ] || fail "no ${size}x$size icon"
done
for program in zarvik zarvik-engine; do
    [ -f "$root/usr/share/man/man6/$program.6.gz" ] || fail "no manual page for $program"
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/games/$program" --version 2>&1) \
        && [ "$answer" = "$program $version" ] || fail "$program --version said: $answer"
done

# The command line must install and run where there is no display at all.
display='libqt5(gui|widgets|opengl)|libx11|libxcb|libgl[0-9x.]|libegl|libopengl|libwayland'
depends=$(dpkg-deb -f "$dir"/zarvik-engine_"$version"_*.deb Depends)
echo "zarvik-engine depends on: $depends"
! grep -Eiq "$display" <<<"$depends" || fail "zarvik-engine depends on a display library: $depends"
loaded=$(ldd "$root/usr/games/zarvik-engine")
! grep -Eiq "$display" <<<"$loaded" || fail "zarvik-engine loads a display library: $loaded"
PATH=$root/usr/games:$PATH AUTOPKGTEST_TMP=$work "$source/debian/tests/engine-match" || fail "the engine's match"
exit $failed
