#!/usr/bin/env bash
# Checks the generated shell completions through the shells. bash, with
# bash-completion loaded as a desktop has it, sources ours and is asked to
# complete command lines as it would after a Tab: each row is the words
# typed, split as bash splits them (at spaces, and around ":" and "="), the
# last one being completed, and the completions expected, sorted. zsh is
# driven through a pseudo-terminal (check-zsh-completion.zsh) and fish asked
# with complete -C. A stand-in vantrelctl on PATH lists two attached devices.
# usage: check-completion.sh COMPLETION_DIR (holding bash/, zsh/ and fish/)
# No -e: the completion function runs as in an interactive shell, where a failing
# command (compopt outside a real completion) does not end it.
set -uo pipefail
# shellcheck source=/dev/null
dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
if [[ -r /usr/share/bash-completion/bash_completion ]]; then
    source /usr/share/bash-completion/bash_completion
else
    echo "check-completion: bash-completion is missing; run scripts/setup" >&2
    exit 1
fi
source "$dir/bash/vantrelctl"
cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
touch cabinet.cfg cabinet.json
mkdir bin
cat >bin/vantrelctl <<'STUB'
#!/bin/sh
# Two attached devices, as "vantrelctl devices" lists them.
[ "$1" = devices ] || exit 2
printf '1  /dev/hidraw3  port 1-4.1  0000:0108  VANTREL\n'
printf '2  /dev/hidraw5  port 1-4.2  0000:0108  VANTREL\n'
STUB
chmod +x bin/vantrelctl
PATH=$PWD/bin:$PATH

failed=0
# The completions on standard input, one a line, against those expected;
# shells sort what they show.
compare() {
    local shell=$1 line=$2 expected=$3 got
    got="$(sort | tr '\n' ' ')"
    got="${got% }"
    if [[ $got != "$expected" ]]; then
        echo "check-completion: $shell completes '$line' to '$got', expected '$expected'" >&2
        failed=1
    fi
}
expect() {
    local line=$1
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vantrelctl
    compare bash "$line" "$2" < <(printf '%s\n' "${COMPREPLY[@]}")
}

expect "vantrelctl wr" "write"
expect "vantrelctl d" "devices diff"
expect "vantrelctl write --no" "--no-verify"
expect "vantrelctl show --no" ""
expect "vantrelctl --device em" "emulated:"
expect "vantrelctl --device emulated : cab" "cabinet.cfg cabinet.json"
expect "vantrelctl --device emulated : x show cabinet.j" "cabinet.json"
expect "vantrelctl --device = emulated : x --backup = x write --no" "--no-verify"
expect "vantrelctl --output = cabinet.c" "cabinet.cfg"
expect "vantrelctl read -o cabinet.c" "cabinet.cfg"
expect "vantrelctl devices " ""
expect "vantrelctl -q names k" "keys"
expect "vantrelctl help wr" "write"
expect "vantrelctl --device usb : " "1 2"
expect "vantrelctl --device = usb : 2" "2"
expect "vantrelctl write --device usb : " "1 2"
expect "vantrelctl --device usb:" "usb:1 usb:2"
expect "vantrelctl --device emulated:cab" "emulated:cabinet.cfg emulated:cabinet.json"
expect "vantrelctl show -" "--device --help --quiet -h -q"
expect "vantrelctl import x -" "--help --output --quiet --strict -h -o -q"
expect "vantrelctl -" "--device --help --quiet --version -V -h -q"
expect "vantrelctl helpp --v" ""
expect "vantrelctl new --from " "mame retroarch"
expect "vantrelctl new --from mame --players " ""

for shell in zsh fish; do
    command -v $shell >/dev/null || { echo "check-completion: '$shell' is missing; run scripts/setup" >&2; exit 1; }
done
zsh -n "$dir/zsh/_vantrelctl" || failed=1
zsh "$here/check-zsh-completion.zsh" "$dir/zsh" "$PWD" || failed=1
fish --no-execute "$dir/fish/vantrelctl.fish" || failed=1
fish_expect() {
    compare fish "$1" "$2" < <(HOME="$PWD" fish -c \
        "source '$dir/fish/vantrelctl.fish'; complete -C '$1'" | cut -f1)
}
fish_expect "vantrelctl wr" "write"
fish_expect "vantrelctl --device usb:" "usb: usb:1 usb:2"
fish_expect "vantrelctl show --" "--device --help --quiet"
fish_expect "vantrelctl write --no" "--no-verify"
fish_expect "vantrelctl new --from " "mame retroarch"
exit $failed
