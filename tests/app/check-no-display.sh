#!/bin/sh
# A window program that cannot open a display ends with status 1 and one
# line of its own on standard error, not with Qt's abort: no display named,
# one named that is not there, and a platform plugin that fails.
program=$1
name=$(basename "$program")
home=$(mktemp -d) || exit 1
trap 'rm -rf "$home"' EXIT
failed=0

check() {
    what=$1
    shift
    said=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$home" XDG_DATA_HOME="$home" \
        "$@" 2>&1 >/dev/null)
    status=$?
    lines=$(printf '%s\n' "$said" | wc -l)
    case "$said" in
    "$name: no display can be opened: "?*) prefix=ok ;;
    *) prefix=wrong ;;
    esac
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || [ "$prefix" != ok ]; then
        printf 'FAIL %s: status %s, said:\n%s\n' "$what" "$status" "$said"
        failed=1
    else
        printf 'ok   %s: %s\n' "$what" "$said"
    fi
}

check "no display named" env -u DISPLAY "$program"
check "display not there" env DISPLAY=:4711 "$program"
check "platform plugin fails" env DISPLAY=:4711 "$program" -platform no-such-platform
exit $failed
