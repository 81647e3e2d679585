#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-package.sh CPACK BUILD_DIR VERSION: builds the Debian package from the build
# folder and checks it as a distribution would. lintian must find nothing at all
# (no error, no warning), the installed desktop entry and AppStream file must pass
# their validators, every file a desktop needs must be there, and the stripped
# programs must start and name their version. Exits 77 (skipped) when a checker
# is not installed (./dev test installs them).
set -euo pipefail
cpack=$1 build=$2 version=$3

for tool in lintian desktop-file-validate appstreamcli dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; exit 1; }
deb=("$work"/zarvik_*.deb)
failed=0
fail() { echo "FAILED: $*"; failed=1; }

# lintian warns when run as root that unpacking a stranger's package as root is
# unwise; this package is our own, so root runs (CI) say they know.
as_root=()
[ "$(id -u)" -ne 0 ] || as_root=(--allow-root)
report=$(lintian "${as_root[@]}" --fail-on error,warning "${deb[0]}" 2>&1) || fail "lintian exited with $?"
[ -z "$report" ] || fail "lintian: $report"

root=$work/root
dpkg-deb -x "${deb[0]}" "$root"
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
exit $failed
