#!/usr/bin/env bash
# Checks the generated shell completions: zsh and fish parse theirs and
# fish completes a command; bash sources its own and is asked to complete
# command lines as it would after a Tab: each row is the words typed, split as bash
# splits them (at spaces, and around ":" and "="), the last one being
# completed, and the completions expected, sorted.
# usage: check-completion.sh COMPLETION_DIR (holding bash/, zsh/ and fish/)
# No -e: the completion function runs as in an interactive shell, where a failing
# command (compopt outside a real completion) does not end it.
set -uo pipefail
# shellcheck source=/dev/null
dir=$(cd "$1" && pwd)
source "$dir/bash/vantrelctl"
cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
touch cabinet.cfg cabinet.json

failed=0
expect() {
    local line=$1 expected=$2
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vantrelctl
    # bash sorts what it shows; compgen -f gives folder order.
    local got
    got="$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')"
    got="${got% }"
    if [[ $got != "$expected" ]]; then
        echo "check-completion: '$line' completes to '$got', expected '$expected'" >&2
        failed=1
    fi
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

for shell in zsh fish; do
    command -v $shell >/dev/null || { echo "check-completion: '$shell' is missing; run scripts/setup" >&2; exit 1; }
done
zsh -n "$dir/zsh/_vantrelctl" || failed=1
fish --no-execute "$dir/fish/vantrelctl.fish" || failed=1
got="$(HOME="$PWD" fish -c "source '$dir/fish/vantrelctl.fish'; complete -C 'vantrelctl wr'" | cut -f1)"
[[ $got == write ]] || { echo "check-completion: fish completes 'vantrelctl wr' to '$got'" >&2; failed=1; }
exit $failed
