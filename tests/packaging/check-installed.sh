#!/bin/sh
# Checks the installed packages as a user meets them: the programs take the
# device libraries from the system, the udev rule and the MIME type are in
# place, the tool shows the installed sample, every program starts and does
# its first job (check-programs.sh), and the demo, started as its menu entry
# starts it, shows a window of the class the entry names on a virtual
# display. Used by the package test after it installed the packages, and by
# the autopkgtest (debian/tests), where they are installed already.
# usage: check-installed.sh [VERSION] (the packages' upstream version, by
# default the installed vantrelctl's)
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
tool=vantrelctl
version="${1:-$(dpkg-query -W -f '${Version}' $tool | sed 's/-[^-]*$//')}"
examples=/usr/share/doc/$tool/examples

fail() {
    echo "check-installed: $*" >&2
    exit 1
}

for program in xvfb-run xdotool xdg-mime objdump nm; do
    command -v "$program" >/dev/null || fail "'$program' is missing"
done
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

[ "$(command -v vantrelctl)" = /usr/bin/vantrelctl ] || fail "vantrelctl is not on the PATH"
# The installed programs reach devices through the system's hidapi and
# libevdev, never through the stand-ins the test programs link instead.
hidapi=libhidapi-hidraw:hid_open_path evdev=libevdev:libevdev_new_from_fd
"$here/check-linked-libraries.sh" /usr/bin/vantrelctl "$hidapi" "$evdev" || fail "vantrelctl links a stand-in"
"$here/check-linked-libraries.sh" /usr/bin/vantrel-config "$hidapi" || fail "vantrel-config links a stand-in"
"$here/check-linked-libraries.sh" /usr/bin/vantrel-monitor "$hidapi" "$evdev" ||
    fail "vantrel-monitor links a stand-in"
rule=/usr/lib/udev/rules.d/60-vantrel.rules
[ -f "$rule" ] || fail "the udev rule is not installed"
grep -q 'KERNEL=="hidraw\*".*GROUP="plugdev"' "$rule" || fail "the udev rule gives the device to no group"

# The installed tool reads the installed sample, in both forms.
for sample in "$examples/two-player-cabinet.json" "$examples/two-player-cabinet.cfg"; do
    vantrelctl show "$sample" >"$scratch/show" || fail "vantrelctl show $sample ended with $?"
    grep -q '^Input 1 ' "$scratch/show" || fail "vantrelctl show $sample shows no input 1"
done
# The installed MIME type names the readable form of the sample cabinet.
type="$(xdg-mime query filetype "$examples/two-player-cabinet.json")"
[ "$type" = application/x-vantrel-configuration+json ] || fail "the sample's JSON is known as $type"

# Each installed program starts and does its first job.
"$here/check-programs.sh" /usr/bin "$examples" "$version"

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
echo "check-installed: the installed packages run as a user would run them"
