#!/bin/sh
# Installs the build into a temporary prefix and checks that every file a
# desktop installation needs is there and valid.
# usage: check-install.sh BUILD_DIR VERSION [EMULATOR...]
# In a cross build the installed programs are started through the emulator
# words that follow.
set -eu
build="$1" version="$2"
shift 2
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

for tool in desktop-file-validate update-desktop-database appstreamcli update-mime-database \
    xdg-mime; do
    command -v "$tool" >/dev/null || fail "'$tool' is missing; run scripts/setup"
done

cmake --install "$build" --prefix "$prefix" >/dev/null

app=org.vantrel.Config
man=share/man/man1
for file in \
    bin/vantrel-config bin/vantrel-config-emulated bin/vantrel-monitor bin/vantrelctl \
    share/applications/$app.desktop share/applications/$app.Emulated.desktop \
    share/applications/$app.Monitor.desktop \
    share/metainfo/$app.metainfo.xml share/metainfo/org.vantrel.vantrelctl.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app.svg \
    share/icons/hicolor/16x16/apps/$app.png share/icons/hicolor/48x48/apps/$app.png \
    share/icons/hicolor/256x256/apps/$app.png \
    lib/udev/rules.d/60-vantrel.rules \
    share/mime/packages/vantrel-config.xml \
    $man/vantrelctl.1 $man/vantrel-config.1 $man/vantrel-config-emulated.1 \
    $man/vantrel-monitor.1 share/man/man5/vantrel-json.5 \
    share/bash-completion/completions/vantrelctl share/zsh/vendor-completions/_vantrelctl \
    share/fish/vendor_completions.d/vantrelctl.fish \
    share/doc/vantrelctl/examples/two-player-cabinet.json \
    share/doc/vantrelctl/examples/two-player-cabinet.cfg \
    share/doc/vantrelctl/examples/two-player-cabinet.evemu; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for program in vantrel-config vantrel-config-emulated vantrel-monitor vantrelctl; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# Each package's own documentation folder (the package build adds the
# copyright and the changelog).
for package in vantrelctl vantrel-config; do
    readme="$prefix/share/doc/$package/README.md"
    [ -s "$readme" ] || fail "share/doc/$package/README.md is not installed"
    ! grep -q '!\[' "$readme" || fail "the installed README links pictures it lacks"
done

desktop-file-validate "$prefix"/share/applications/*.desktop
for metainfo in "$prefix"/share/metainfo/*.metainfo.xml; do
    appstreamcli validate --no-net "$metainfo" >/dev/null ||
        appstreamcli validate --no-net "$metainfo" >&2 ||
        fail "$metainfo does not validate"
    grep -q "<release version=\"$version\"" "$metainfo" ||
        fail "$metainfo does not list release $version"
done

# A file manager knows the readable form by its content, whatever its name,
# and by its own suffix, and still takes other JSON for plain JSON.
# xdg-mime asks `mimetype` (libfile-mimeinfo-perl), which a cross build
# cannot install: an architecture-independent package without Multi-Arch is
# looked for in the target's architecture. The MIME file is the same there,
# so the native build checks it.
update-mime-database "$prefix/share/mime" >/dev/null 2>&1
source_dir="$(dirname "$0")/../.."
if [ $# -eq 0 ]; then
    cp "$source_dir/examples/two-player-cabinet.json" "$prefix/cabinet.txt"
    printf '{}\n' >"$prefix/empty.vantrel"
    for file in "$source_dir/examples/two-player-cabinet.json" "$prefix/cabinet.txt" \
        "$prefix/empty.vantrel"; do
        type="$(XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$file")"
        [ "$type" = application/x-vantrel-configuration+json ] || fail "$file is known as $type"
    done
    type="$(XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$source_dir/CMakePresets.json")"
    [ "$type" = application/json ] || fail "other JSON is known as $type"
fi
# ... and offers the configuration program for it.
update-desktop-database "$prefix/share/applications"
program="$(XDG_DATA_DIRS="$prefix/share:/usr/share" \
    xdg-mime query default application/x-vantrel-configuration+json)"
[ "$program" = $app.desktop ] || fail "a VANTREL configuration opens with '$program'"

# A desktop matches a window to its entry by the class the program gives it,
# which is the program's name.
for entry in "$prefix"/share/applications/*.desktop; do
    program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
    grep -qx "StartupWMClass=$program" "$entry" || fail "$entry: StartupWMClass is not $program"
done

# The installed rule is the one the build generated from vantrelctl's source
# (the unit tests tie that file to what `vantrelctl devices` prints).
cmp "$prefix/lib/udev/rules.d/60-vantrel.rules" "$build/packaging/60-vantrel.rules" ||
    fail "the installed udev rule differs from the generated one"

# The tool's page comes from its own --help, so it names every command and
# option; the rest is written beside it.
page="$(cat "$prefix/$man/vantrelctl.1")"
for word in show export import diff check card read write devices new names monitor help \
    'vantrel\\-json' '\\-\\-layout' \
    '\\-\\-device' '\\-\\-verify' '\\-\\-no\\-verify' '\\-\\-backup' '\\-\\-output' \
    '\\-\\-quiet' '\\-\\-events' '\\-\\-config' '\\-\\-json' '\\-\\-no\\-grab' \
    'SYNOPSIS' 'EXIT STATUS' 'FILES' 'SEE ALSO'; do
    printf '%s\n' "$page" | grep -q -- "$word" || fail "vantrelctl.1 does not mention '$word'"
done
printf '%s\n' "$page" | grep -q "^\.TH VANTRELCTL \"1\"" || fail "vantrelctl.1 is not a manual page"

"$@" "$prefix/bin/vantrelctl" --version | grep -qx "vantrelctl $version" ||
    fail "the installed vantrelctl does not run"
# The page that the tool's help points to for the JSON form is installed and
# carries what `vantrelctl help format` says.
pointer="$("$@" "$prefix/bin/vantrelctl" --help | tr '\n' ' ' | grep -o 'manual page [a-z-]*([0-9])')" ||
    fail "vantrelctl --help names no manual page of the JSON form"
page="${pointer#manual page }"
section="${page#*(}" section="${section%)}"
format_page="$prefix/share/man/man$section/${page%(*}.$section"
[ -s "$format_page" ] || fail "vantrelctl --help points to $page, which is not installed"
for word in '^\.TH VANTREL-JSON 5 ' '"intended"' '"joystickAxes"' '"rotarySwitches"'; do
    grep -q -- "$word" "$format_page" || fail "$page does not mention '$word'"
done
# The format and a start come from the installed tool alone.
"$@" "$prefix/bin/vantrelctl" help format | grep -q '"joystickAxes"' ||
    fail "the installed vantrelctl does not describe the JSON form"
for layout in blank two-player retroarch pinball; do
    "$@" "$prefix/bin/vantrelctl" new --layout "$layout" -o "$prefix/$layout.json" &&
        "$@" "$prefix/bin/vantrelctl" check --strict "$prefix/$layout.json" >/dev/null ||
        fail "the installed vantrelctl's new layout $layout does not pass check"
done
# The window programs answer without a display (Qt would abort without one).
for program in vantrel-config vantrel-config-emulated; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$prefix/bin/$program" --version |
        grep -qx "$program $version" || fail "$program --version needs a display"
done
echo "check-install: all files installed and valid"
