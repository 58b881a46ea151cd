#!/bin/sh
# Checks that debian/changelog tells what CHANGELOG.md tells: the same
# releases, newest first, with the same dates and the same changes (lines
# joined, so each file may wrap them its own way), and that the newest is
# the version being built. A Debian version is the release's version and a
# revision (1.58-1); the entry that scripts/package adds for the Debian
# release it builds for (1.58-1~deb12u1) tells no change of its own and is
# left out.
# usage: check-changelog.sh CHANGELOG.md debian/changelog VERSION
set -eu
markdown="$1" debian="$2" version="$3"

fail() {
    echo "check-changelog: $*" >&2
    exit 1
}

# Both files as "VERSION DATE" lines, each followed by its changes, one a line.
from_markdown() {
    awk '
        /^## / { if (change != "") print change; change = ""
                 date = $3; gsub(/[()]/, "", date); print $2 " " date; next }
        /^- /  { if (change != "") print change; change = "* " substr($0, 3); next }
        /^  +[^ ]/ && change != "" { sub(/^ +/, ""); change = change " " $0; next }
        /^$/   { if (change != "") print change; change = "" }
        END    { if (change != "") print change }' "$1"
}

from_debian() {
    awk '
        /^[^ ]/ { if (change != "") changes = changes change "\n"; change = ""
                  version = $2; gsub(/[()]/, "", version)
                  rebuild = version ~ /~deb[0-9]+u[0-9]+$/
                  sub(/-[^-]*$/, "", version); next }
        rebuild { next }
        /^  \* / { if (change != "") changes = changes change "\n"; change = "* " substr($0, 5); next }
        /^    +[^ ]/ && change != "" { sub(/^ +/, ""); change = change " " $0; next }
        /^ -- / { if (change != "") changes = changes change "\n"; change = ""
                  sub(/.*>  /, ""); cmd = "date -u -d \"" $0 "\" +%F"; cmd | getline date; close(cmd)
                  printf "%s %s\n%s", version, date, changes; changes = "" }' "$1"
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
from_markdown "$markdown" >"$scratch/markdown"
from_debian "$debian" >"$scratch/debian"
[ -s "$scratch/markdown" ] || fail "$markdown lists no release"
diff -u "$scratch/markdown" "$scratch/debian" >&2 ||
    fail "$debian does not tell what $markdown tells (- $markdown, + $debian)"
newest="$(head -n 1 "$scratch/debian" | cut -d ' ' -f 1)"
[ "$newest" = "$version" ] || fail "the newest release in $debian is $newest, not $version"
# A source package of format 3.0 (quilt) carries a Debian revision.
case "$(sed -n '1s/^[^(]*(\([^)]*\)).*/\1/p' "$debian")" in
"$version"-[0-9]*) ;;
*) fail "the newest entry of $debian has no Debian revision ($version-1)" ;;
esac
echo "check-changelog: $debian tells what $markdown tells"
