#!/bin/sh
# Starts each program once, as a person would, and checks that it does its
# first job: every --version; the demo until its main window shows; the USB
# program without a device until its message box shows; the input test
# replaying the sample recording until its log holds what `vantrelctl
# monitor` prints for the same recording. The window programs stay open (the
# demo and the input test for the person, the message box for its OK), so
# each is then asked to stop with SIGTERM and must end by itself, with
# status 0, within a few seconds. They run on Qt's offscreen platform and
# print a line for each window they show (VANTREL_REPORT_SHOWN_WINDOWS).
# usage: check-programs.sh BIN_DIR EXAMPLES_DIR VERSION
set -eu
bin="$1" examples="$2" version="$3"

fail() {
    echo "check-programs: $*" >&2
    exit 1
}

scratch="$(mktemp -d)"
started=""
cleanup() {
    [ -z "$started" ] || kill -KILL "$started" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

for program in vantrelctl vantrel-config vantrel-config-emulated vantrel-monitor; do
    [ -x "$bin/$program" ] || fail "$bin/$program is missing"
    env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --version >"$scratch/version" 2>&1 ||
        fail "$program --version ended with $?: $(cat "$scratch/version")"
    [ "$(cat "$scratch/version")" = "$program $version" ] ||
        fail "$program --version says '$(cat "$scratch/version")', not '$program $version'"
done

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime"
export QT_QPA_PLATFORM=offscreen VANTREL_REPORT_SHOWN_WINDOWS=1
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# start NAME ARGS...: starts a program in the background, its standard error
# in $scratch/NAME.err.
start() {
    name="$1"
    shift
    : >"$scratch/$name.err"
    "$bin/$name" "$@" >"$scratch/$name.out" 2>>"$scratch/$name.err" &
    started=$!
}

# wait_for NAME SECONDS CONDITION...: waits until the shell condition holds
# while the program started last is still running.
wait_for() {
    name="$1" seconds="$2"
    shift 2
    tries=$((seconds * 10))
    until "$@"; do
        kill -0 "$started" 2>/dev/null ||
            fail "$name ended before it was done: $(cat "$scratch/$name.err")"
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "$name did not get there in $seconds s: $(cat "$scratch/$name.err")"
        sleep 0.1
    done
}

# stop NAME: sends SIGTERM to the program started last, which must end with
# status 0 within five seconds.
stop() {
    name="$1"
    kill -TERM "$started"
    tries=50
    while kill -0 "$started" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "$name is still running five seconds after SIGTERM"
        sleep 0.1
    done
    status=0
    wait "$started" || status=$?
    started=""
    [ "$status" -eq 0 ] || fail "$name ended with $status after SIGTERM: $(cat "$scratch/$name.err")"
}

shown() { grep -qF "shown: $2" "$scratch/$1.err"; }

start vantrel-config-emulated
wait_for vantrel-config-emulated 30 shown vantrel-config-emulated "VANTREL Configuration Utility"
stop vantrel-config-emulated
[ -d "$XDG_DATA_HOME/vantrel/vantrel-config-emulated" ] ||
    fail "vantrel-config-emulated made no data folder"

# Without a device, the USB program says so and waits for OK.
start vantrel-config
wait_for vantrel-config 30 shown vantrel-config "VANTREL:      No VANTREL devices detected !"
grep -q "shown: VANTREL Configuration Utility" "$scratch/vantrel-config.err" &&
    fail "vantrel-config showed its main window without a device"
stop vantrel-config

recording="$examples/two-player-cabinet.evemu"
config="$examples/two-player-cabinet.json"
"$bin/vantrelctl" monitor --events "$recording" --config "$config" >"$scratch/expected" ||
    fail "vantrelctl monitor of the sample recording ended with $?"
# The recording's length: its last event's time, in whole seconds.
length="$(sed -n 's/^E: \([0-9]*\)\..*/\1/p' "$recording" | tail -n 1)"
start vantrel-monitor --events "$recording" --config "$config" --log "$scratch/log"
wait_for vantrel-monitor 30 shown vantrel-monitor "VANTREL Input Test"
replay_start=$(date +%s)
# The replay keeps the recording's pace; the log grows as presses are decided
# and gets the summary only when the program ends. Once the recording's
# length has passed, the log must have stopped growing for two seconds.
lines() { grep -c . "$scratch/log" 2>/dev/null || true; }
logged=-1 still=0
until [ $(($(date +%s) - replay_start)) -gt $((length + 2)) ] && [ "$still" -ge 4 ]; do
    kill -0 "$started" 2>/dev/null || fail "vantrel-monitor ended during the replay"
    [ $(($(date +%s) - replay_start)) -lt $((length + 60)) ] ||
        fail "vantrel-monitor's log still grew a minute after the recording's end"
    now="$(lines)"
    if [ "$now" = "$logged" ]; then still=$((still + 1)); else still=0 logged="$now"; fi
    sleep 0.5
done
stop vantrel-monitor
cmp -s "$scratch/expected" "$scratch/log" || {
    diff "$scratch/expected" "$scratch/log" >&2 || true
    fail "vantrel-monitor's log differs from what vantrelctl monitor prints"
}
echo "check-programs: the four programs start, do their first job and end on SIGTERM"
