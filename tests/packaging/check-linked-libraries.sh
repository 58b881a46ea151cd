#!/bin/sh
# Checks that a program takes the device libraries' functions from the
# system's shared libraries: each FUNCTION is left undefined in the program
# and bound at run time, and the program needs LIBRARY. The stand-ins that
# test programs link in place of hidapi and libevdev define those functions
# inside the program, so a program built with one fails here.
# usage: check-linked-libraries.sh PROGRAM LIBRARY:FUNCTION...
set -eu
program="$1"
shift
needed="$(objdump -p "$program" | sed -n 's/^ *NEEDED *//p')"
undefined="$(nm -D --undefined-only "$program" | awk '{sub(/@.*/, "", $NF); print $NF}')"
for pair in "$@"; do
    library="${pair%%:*}" function="${pair#*:}"
    printf '%s\n' "$needed" | grep -q "^$library\.so" ||
        { echo "check-linked-libraries: $program does not need $library" >&2; exit 1; }
    printf '%s\n' "$undefined" | grep -qx "$function" ||
        { echo "check-linked-libraries: $program does not take $function from a library" >&2; exit 1; }
done
