#!/usr/bin/env bash
# skerry-cli flags: the lists, the flag texts and the exit codes.
set -u
cli=$1
source "$(dirname "$0")/cli_checks.sh"

check thing-title 0 'Thing flags' -- bash -c '"$0" flags thing | head -n 1' "$cli"
lines=$("$cli" flags physics | wc -l)
expect physics-33-lines test "$lines" = 33
check thing-entries 0 $'0\tEmits Light\n5\t0x00000020\n31\t0x80000000' -- \
    bash -c '"$0" flags thing | sed -n "2p;7p;33p"' "$cli"
check particle-trailing-blank 0 $'2\tRandom ' -- bash -c '"$0" flags particle | sed -n 4p' "$cli"
check damage-entries 0 $'Damage Type\n0\t0x00\n10\t0x0A\n16\tSaber' -- \
    bash -c '"$0" flags damage | sed -n "1p;2p;12p;18p"' "$cli"

check bits 0 '0x9' -- "$cli" flags thing 0 3
check bit31 0 '0x80000000' -- "$cli" flags actor 31
check all-bits 0 '0xFFFFFFFF' -- "$cli" flags weapon $(seq 0 31)
check saber 0 '0x10' -- "$cli" flags damage 16
check damage-zero 0 '0x0' -- "$cli" flags damage 0
check damage-twice 1 '' -- "$cli" flags damage 1 2
expect damage-twice-message grep -qx 'More than one bit selected Not Allowed - Redo' "$dir/stderr"

check unknown-key 2 '' -- "$cli" flags Thing
check index-too-big 2 '' -- "$cli" flags thing 32
check index-negative 2 '' -- "$cli" flags thing -1
check index-not-a-number 2 '' -- "$cli" flags thing x
check no-key 2 '' -- "$cli" flags

finish
