#!/bin/sh
# Installs the build into a temporary prefix and checks that every file a
# desktop installation needs is there and valid.
# usage: check-install.sh BUILD_DIR VERSION
set -eu
build="$1" version="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "'$tool' is missing; run scripts/setup"
done

cmake --install "$build" --prefix "$prefix" >/dev/null

app=org.vantrel.Config
docs=share/doc/vantrel-config
for file in \
    bin/vantrel-config bin/vantrel-config-emulated bin/vantrelctl \
    share/applications/$app.desktop share/applications/$app.Emulated.desktop \
    share/metainfo/$app.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app.svg \
    share/icons/hicolor/16x16/apps/$app.png share/icons/hicolor/48x48/apps/$app.png \
    share/icons/hicolor/256x256/apps/$app.png \
    lib/udev/rules.d/60-vantrel.rules \
    share/man/man1/vantrelctl.1 share/man/man1/vantrel-config.1 \
    share/man/man1/vantrel-config-emulated.1 \
    $docs/README.md $docs/copyright \
    $docs/examples/two-player-cabinet.json $docs/examples/two-player-cabinet.cfg; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for program in vantrel-config vantrel-config-emulated vantrelctl; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >&2 ||
    fail "the AppStream file does not validate"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" ||
    fail "the AppStream file does not list release $version"

# The installed rule is the one the build generated from vantrelctl's source
# (the unit tests tie that file to what `vantrelctl devices` prints).
cmp "$prefix/lib/udev/rules.d/60-vantrel.rules" "$build/packaging/60-vantrel.rules" ||
    fail "the installed udev rule differs from the generated one"

# The tool's page comes from its own --help, so it names every command.
for command in show export import diff read write devices; do
    grep -q "$command" "$prefix/share/man/man1/vantrelctl.1" ||
        fail "vantrelctl.1 does not mention '$command'"
done
grep -q "^\.TH VANTRELCTL \"1\"" "$prefix/share/man/man1/vantrelctl.1" ||
    fail "vantrelctl.1 is not a manual page"

"$prefix/bin/vantrelctl" --version | grep -qx "vantrelctl $version" ||
    fail "the installed vantrelctl does not run"
echo "check-install: all files installed and valid"
