#!/bin/sh
# Takes the Debian packages scripts/package built for this machine, checks
# their split, installs them with apt, runs the installed programs, removes
# them and checks that nothing is left behind (scripts/package has already
# run lintian and hardening-check on them).
# Changes the system: runs only as root and when VANTREL_TEST_PACKAGE=1
# (the `package` test preset sets it); otherwise it is skipped (77).
# usage: check-package.sh PACKAGE_DIR VERSION (PACKAGE_DIR holds a folder
# per Debian release and architecture, as scripts/package makes them;
# VERSION is the upstream version, which the packages' versions begin with)
set -eu
packages="$1" version="$2"
tool=vantrelctl desktop=vantrel-config

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

arch="$(dpkg --print-architecture)"
release="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
packages="$packages/$release/$arch"
[ -d "$packages" ] || fail "no $packages; run scripts/package first"
cd "$packages"
set -- "${tool}_${version}"-*"_$arch.deb"
[ $# -eq 1 ] && [ -f "$1" ] || fail "not one package of $tool $version in $packages; run scripts/package first"
tool_deb="$1"
debian_version="$(dpkg-deb -f "$tool_deb" Version)"
desktop_deb="${desktop}_${debian_version}_$arch.deb"
[ -f "$desktop_deb" ] || fail "no $desktop_deb in $packages; run scripts/package first"
tool_depends="$(dpkg-deb -f "$tool_deb" Depends)"
desktop_depends="$(dpkg-deb -f "$desktop_deb" Depends)"
echo "check-package: built $tool_deb; Depends: $tool_depends"
echo "check-package: built $desktop_deb; Depends: $desktop_depends"

# The split: the tool must install on a machine without a desktop, the
# windows bring Qt and take the udev rule from the tool of their version.
case "$tool_depends" in
*libqt* | *qt6* | *libx11* | *libxcb* | *libgl*) fail "$tool depends on a graphical library" ;;
esac
printf '%s\n' "$tool_depends" | grep -q libhidapi || fail "$tool does not depend on hidapi"
printf '%s\n' "$desktop_depends" | grep -q libqt6widgets6 || fail "$desktop does not depend on Qt"
printf '%s\n' "$desktop_depends" | grep -qF "$tool (= $debian_version)" ||
    fail "$desktop does not depend on $tool (= $debian_version)"
dpkg-deb -c "$tool_deb" | grep -q 'usr/bin/vantrel-config' && fail "$tool holds a window program"

[ "$(dpkg-deb -f "$tool_deb" Description | head -n 1)" != \
  "$(dpkg-deb -f "$desktop_deb" Description | head -n 1)" ] || fail "both packages have the same summary"

apt-get install -y -qq --no-install-recommends "./$tool_deb" "./$desktop_deb" \
    >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log" >&2; fail "apt-get install failed"; }
dpkg -L "$tool" "$desktop" >"$scratch/files"

"$(dirname "$0")/check-installed.sh" "$version"

apt-get purge -y -qq "$desktop" "$tool" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log" >&2; fail "apt-get purge failed"; }
while read -r path; do
    if [ -e "$path" ] && [ ! -d "$path" ]; then
        fail "$path is left after removal"
    fi
done <"$scratch/files"
# /usr/local is left out: a `cmake --install` of one's own may live there.
left="$(find /usr -path /usr/local -prune -o -name '*vantrel*' -print 2>/dev/null)"
[ -z "$left" ] || fail "left in /usr after removal: $left"
echo "check-package: $tool_deb and $desktop_deb install, run and remove cleanly"
