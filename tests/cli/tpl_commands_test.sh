#!/usr/bin/env bash
# skerry-cli tpl: output bytes and exit codes.
set -u
cli=$1
source "$(dirname "$0")/cli_checks.sh"

printf '# DESC: x\r\n_weapon none type=weapon\r\nbryar\t_weapon damage=30\r\nConc _weapon\r\nrifle bryar\r\n' > "$dir/t.tpl"

check names 0 $'_weapon\nbryar\nConc\nrifle' -- "$cli" tpl names "$dir/t.tpl"
check find 0 'bryar _weapon damage=30' -- "$cli" tpl find "$dir/t.tpl" bryar
check find-miss 1 '' -- "$cli" tpl find "$dir/t.tpl" nosuch
check descendants 0 $'_weapon\nbryar\nConc\nrifle' -- "$cli" tpl descendants "$dir/t.tpl" _weapon
check missing-file 2 '' -- "$cli" tpl names "$dir/none.tpl"
expect missing-file-message grep -qx 'Cannot find Jed Tpl file' "$dir/stderr"
check rows-none 1 '' -- "$cli" tpl rows 'type='
rows=$("$cli" tpl rows ghost | wc -l)
expect rows-ghost-count test "$rows" = 17
first=$("$cli" tpl rows ghost | head -n 1)
expect rows-ghost-first test "$first" = $'type\ttemplate type (string)\tghost'
check compose 0 'mytpl            none              type=item model3d=a.3do respawn=5' -- \
    "$cli" tpl compose mytpl none item model3d=a.3do respawn=5
check compose-unknown 2 '' -- "$cli" tpl compose mytpl none item nosuch=1
expect compose-unknown-message grep -q 'nosuch' "$dir/stderr"
check bad-args 2 '' -- "$cli" tpl find

finish
