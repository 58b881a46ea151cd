#!/bin/sh
# Publishes the built packages as an apt repository signed by a throwaway
# key (scripts/publish-apt), serves it on 127.0.0.1 with python3's web
# server, and installs vantrelctl from it with apt in a clean chroot of the
# newest release, set up as README.md tells a user to: the repository in
# /etc/apt/sources.list.d/vantrel.sources, its key named by Signed-By.
# Needs root, the chroot scripts/package made (build/chroots/) and that
# release's packages for this machine; otherwise it is skipped (77).
# usage: check-apt-repository.sh SOURCE_DIR [RELEASE] (trixie unless named)
set -eu
source_dir="$(cd "$1" && pwd)"
release="${2:-trixie}"
arch="$(dpkg --print-architecture)"
tarball="$source_dir/build/chroots/$release-$arch.tar"

if [ "${VANTREL_TEST_PACKAGE:-}" != 1 ] || [ "$(id -u)" -ne 0 ] || [ ! -s "$tarball" ] ||
    ! ls "$source_dir/build/debian/$release/$arch"/vantrelctl_*.deb >/dev/null 2>&1; then
    echo "check-apt-repository: skipped (needs root, VANTREL_TEST_PACKAGE=1 and" \
        "scripts/package --release $release)"
    exit 77
fi

fail() {
    echo "check-apt-repository: $*" >&2
    exit 1
}

scratch="$(mktemp -d)"
server=""
cleanup() {
    [ -z "$server" ] || kill "$server" 2>/dev/null || true
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

# A key that lives as long as the test.
export GNUPGHOME="$scratch/gnupg"
mkdir -m 700 "$GNUPGHOME"
gpg --batch --quiet --passphrase '' --quick-gen-key "VANTREL test archive <test@vantrel.example.org>" \
    ed25519 sign never
key="$(gpg --batch --with-colons --list-secret-keys | awk -F: '/^fpr:/ { print $10; exit }')"
"$source_dir/scripts/publish-apt" "$scratch/repository" --key "$key"

# A port that nothing listens on, then the server on it.
port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server --bind 127.0.0.1 --directory "$scratch/repository" "$port" \
    >"$scratch/server.log" 2>&1 &
server=$!
tries=50
until python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the web server did not start: $(cat "$scratch/server.log")"
    sleep 0.1
done

# A clean chroot of the release (mmdebstrap's tarball holds the device nodes
# apt needs), with the repository added as a user adds it.
root="$scratch/root"
mkdir "$root"
tar -xf "$tarball" -C "$root"
cp "$scratch/repository/vantrel-archive-keyring.gpg" "$root/usr/share/keyrings/"
cat >"$root/etc/apt/sources.list.d/vantrel.sources" <<SOURCES
Types: deb
URIs: http://127.0.0.1:$port
Suites: $release
Components: main
Signed-By: /usr/share/keyrings/vantrel-archive-keyring.gpg
SOURCES
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -qq >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log" >&2; fail "apt-get update failed"; }
in_root apt-get install -y -qq --no-install-recommends vantrelctl >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log" >&2; fail "apt-get install vantrelctl failed"; }
origin="$(in_root apt-cache policy vantrelctl | grep -A1 '^ \*\*\*' | tail -n 1)"
case "$origin" in
*"127.0.0.1:$port $release/main"*) ;;
*) fail "vantrelctl was not installed from the repository: $origin" ;;
esac
in_root vantrelctl --version || fail "the installed vantrelctl does not run"
in_root vantrelctl show /usr/share/doc/vantrelctl/examples/two-player-cabinet.cfg >/dev/null ||
    fail "the installed vantrelctl cannot show the installed sample"
echo "check-apt-repository: vantrelctl installs with apt from the published repository"
