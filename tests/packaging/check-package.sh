#!/bin/sh
# Takes the Debian packages scripts/package built for this machine, checks
# their split, installs them with apt, runs the installed programs, removes
# them and checks that nothing is left behind (scripts/package has already
# run lintian and hardening-check on them).
# Changes the system: runs only as root and when VANTREL_TEST_PACKAGE=1
# (the `package` test preset sets it); otherwise it is skipped (77).
# usage: check-package.sh PACKAGE_DIR VERSION (PACKAGE_DIR holds a folder
# per architecture, as scripts/package makes them)
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

for program in xvfb-run xdotool xdg-mime; do
    command -v "$program" >/dev/null || fail "'$program' is missing; run scripts/setup"
done

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export DEBIAN_FRONTEND=noninteractive

arch="$(dpkg --print-architecture)"
packages="$packages/$arch"
[ -d "$packages" ] || fail "no $packages; run scripts/package first"
cd "$packages"
tool_deb="${tool}_${version}_$arch.deb"
desktop_deb="${desktop}_${version}_$arch.deb"
[ -f "$tool_deb" ] && [ -f "$desktop_deb" ] ||
    fail "no packages of $version in $packages; run scripts/package first"
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
printf '%s\n' "$desktop_depends" | grep -q "$tool (= $version)" ||
    fail "$desktop does not depend on $tool (= $version)"
dpkg-deb -c "$tool_deb" | grep -q 'usr/bin/vantrel-config' && fail "$tool holds a window program"

[ "$(dpkg-deb -f "$tool_deb" Description | head -n 1)" != \
  "$(dpkg-deb -f "$desktop_deb" Description | head -n 1)" ] || fail "both packages have the same summary"

apt-get install -y -qq --no-install-recommends "./$tool_deb" "./$desktop_deb" \
    >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log" >&2; fail "apt-get install failed"; }
dpkg -L "$tool" "$desktop" >"$scratch/files"

[ "$(command -v vantrelctl)" = /usr/bin/vantrelctl ] || fail "vantrelctl is not on the PATH"
# The installed programs reach devices through the system's hidapi and
# libevdev, never through the stand-ins the test programs link instead.
linked="$(dirname "$0")/check-linked-libraries.sh"
hidapi=libhidapi-hidraw:hid_open_path evdev=libevdev:libevdev_new_from_fd
"$linked" /usr/bin/vantrelctl "$hidapi" "$evdev" || fail "vantrelctl links a stand-in"
"$linked" /usr/bin/vantrel-config "$hidapi" || fail "vantrel-config links a stand-in"
"$linked" /usr/bin/vantrel-monitor "$hidapi" "$evdev" || fail "vantrel-monitor links a stand-in"
[ -f /usr/lib/udev/rules.d/60-vantrel.rules ] || fail "the udev rule is not installed"
# The installed MIME type names the readable form of the sample cabinet.
type="$(xdg-mime query filetype /usr/share/doc/$tool/examples/two-player-cabinet.json)"
[ "$type" = application/x-vantrel-configuration+json ] || fail "the sample's JSON is known as $type"

# Each installed program starts and does its first job.
"$(dirname "$0")/check-programs.sh" /usr/bin "$(dirname "$0")/../../examples" "$version"

# The demo, started as its menu entry starts it, must still be running after
# its window, of the class its entry names, has appeared on a virtual display
# (timeout then ends it with 124).
entry=/usr/share/applications/org.vantrel.Config.Emulated.desktop
command="$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[fFuU]//')"
class="$(sed -n 's/^StartupWMClass=//p' "$entry")"
cat >"$scratch/demo.sh" <<SCRIPT
$command &
xdotool search --sync --class '^$class\$' >"$scratch/windows"
wait
SCRIPT
set +e
HOME="$scratch" XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=xcb \
    xvfb-run --auto-servernum timeout 15 sh "$scratch/demo.sh" >"$scratch/demo.log" 2>&1
status=$?
set -e
[ "$status" -eq 124 ] || { cat "$scratch/demo.log" >&2; fail "'$command' ended with $status"; }
[ -s "$scratch/windows" ] || fail "no window of class '$class' appeared"
[ -d "$scratch/data/vantrel/vantrel-config-emulated" ] || fail "the demo made no data folder"

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
