#!/bin/sh
# Checks that two builds of a package for different architectures hold the
# same files: a cross build that skipped a step it could not run (a manual
# page, the completions, the udev rule) would show here. Sizes, dates and
# the programs' bytes differ by nature and are not compared.
# usage: check-same-contents.sh PACKAGE.deb OTHER-ARCHITECTURE-PACKAGE.deb
set -eu

names() {
    dpkg-deb -c "$1" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
names "$1" >"$scratch/first"
names "$2" >"$scratch/second"
if ! diff -u "$scratch/first" "$scratch/second"; then
    echo "check-same-contents: $1 and $2 hold different files" >&2
    exit 1
fi
echo "check-same-contents: $(basename "$2") holds the same $(wc -l <"$scratch/first") files as $(basename "$1")"
