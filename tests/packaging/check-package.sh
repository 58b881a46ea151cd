#!/bin/sh
# Builds the Debian package from a build tree, installs it with apt, runs the
# installed programs, removes it and checks that nothing is left behind.
# Changes the system: runs only as root and when VANTREL_TEST_PACKAGE=1
# (the `package` test preset sets it); otherwise it is skipped (77).
# usage: check-package.sh BUILD_DIR VERSION
set -eu
build="$1" version="$2"
package=vantrel-config

if [ "${VANTREL_TEST_PACKAGE:-}" != 1 ] || [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "check-package: skipped (needs root, apt and VANTREL_TEST_PACKAGE=1)"
    exit 77
fi

fail() {
    echo "check-package: $*" >&2
    exit 1
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export DEBIAN_FRONTEND=noninteractive

cd "$build"
rm -f ${package}_*.deb
cpack -G DEB >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb="$(ls ${package}_"$version"_*.deb)"
echo "check-package: built $deb; Depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 ||
    fail "the computed dependencies do not name Qt"

apt-get install -y -qq --no-install-recommends "./$deb" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log" >&2; fail "apt-get install failed"; }
dpkg -L "$package" >"$scratch/files"

[ "$(command -v vantrelctl)" = /usr/bin/vantrelctl ] || fail "vantrelctl is not on the PATH"
/usr/bin/vantrelctl --version | grep -qx "vantrelctl $version" || fail "vantrelctl --version"
[ -f /usr/lib/udev/rules.d/60-vantrel.rules ] || fail "the udev rule is not installed"

# The demo, started as its menu entry starts it, must still be running after
# a few seconds on a virtual display (timeout then ends it with 124).
entry=/usr/share/applications/org.vantrel.Config.Emulated.desktop
command="$(sed -n 's/^Exec=//p' "$entry")"
set +e
# The Exec line is split into words as the desktop would split it.
# shellcheck disable=SC2086
HOME="$scratch" XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=xcb \
    xvfb-run --auto-servernum timeout 4 $command >"$scratch/demo.log" 2>&1
status=$?
set -e
[ "$status" -eq 124 ] || { cat "$scratch/demo.log" >&2; fail "'$command' ended with $status"; }
[ -d "$scratch/data/vantrel/vantrel-config-emulated" ] || fail "the demo made no data folder"

apt-get purge -y -qq "$package" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log" >&2; fail "apt-get purge failed"; }
while read -r path; do
    if [ -e "$path" ] && [ ! -d "$path" ]; then
        fail "$path is left after removal"
    fi
done <"$scratch/files"
# /usr/local is left out: a `cmake --install` of one's own may live there.
left="$(find /usr -path /usr/local -prune -o -name '*vantrel*' -print 2>/dev/null)"
[ -z "$left" ] || fail "left in /usr after removal: $left"
echo "check-package: $deb installs, runs and removes cleanly"
