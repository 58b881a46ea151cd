#!/usr/bin/env zsh
# Drives zsh's completion of vantrelctl through a pseudo-terminal, as a
# person pressing Tab would, and records what it offers: every word added,
# and "(_files)" wherever it would offer files instead.
# usage: check-zsh-completion.zsh ZSH_COMPLETION_DIR WORK_DIR (holding bin/vantrelctl)
emulate -L zsh
zmodload zsh/zpty
dir=$1 work=$2
log=$work/offered
failed=0

zpty -b vz zsh -f -i
zpty -w vz "PS1='' RPS1=''; LISTMAX=1000; cd ${(q)work}; path=(${(q)work}/bin \$path)"
zpty -w vz "fpath=(${(q)dir} \$fpath); autoload -Uz compinit; compinit -u -d ${(q)work}/zcompdump"
zpty -w vz "compadd() { if (( \${@[(I)-[OAD]*]} )); then builtin compadd \"\$@\"; return; fi;" \
    "local -a found; builtin compadd -O found \"\$@\"; print -rl -- \$found >>${(q)log};" \
    "builtin compadd \"\$@\"; }"
zpty -w vz "_files() { print -r -- '(_files)' >>${(q)log}; }"

# zle drops what is typed before its first prompt: wait for the shell.
zpty -w vz 'print -r -- READY-$((2*3))'
zpty -r -m vz out '*READY-6*'

# What Tab offers after `line`, sorted, one a line.
offered() {
    : >| $log
    zpty -w -n vz "$1"$'\t'
    zpty -w -n vz $'\C-e\C-u'
    zpty -w vz 'print -r -- DONE-$((6*7))'
    local out
    zpty -r -m vz out '*DONE-42*'
    sort -u $log
}

# The words that must, and must not, be among those offered.
expect() {
    local line=$1 got
    shift
    got=("${(@f)$(offered $line)}")
    for word in "$@"; do
        if [[ $word == !* ]]; then
            (( ${got[(Ie)${word#!}]} )) || continue
        else
            (( ${got[(Ie)$word]} )) && continue
        fi
        print -r -- "check-completion: zsh after '$line' offers (${(j:, :)got}): $word is wrong" >&2
        failed=1
    done
}

expect 'vantrelctl --device usb:' 1 2 '!(_files)'
expect 'vantrelctl --device emulated:' '(_files)'
expect 'vantrelctl --device ' usb: emulated: '!(_files)'
expect 'vantrelctl wri' write
expect 'vantrelctl write --' --no-verify --backup '!--events' '!--output'
expect 'vantrelctl show --' --help '!--output' '!--no-verify' '!--json'
expect 'vantrelctl monitor --' --events --json '!--backup'
# Options that may be given again are offered again.
expect 'vantrelctl monitor --events a.evemu --config a.json --device emulated:b --' --events \
    --config --device
expect 'vantrelctl help ' write format '!(_files)'
expect 'vantrelctl new --layout ' blank two-player '!(_files)'
expect 'vantrelctl new --from ' retroarch mame '!(_files)'
expect 'vantrelctl names ' keys settings '!(_files)'
zpty -d vz
exit $failed
