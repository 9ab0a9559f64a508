#!/usr/bin/env bash
# skerry-cli tpl: output bytes and exit codes.
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
total=0

expect() {  # expect NAME COMMAND...: passes when the command succeeds
    local name=$1
    shift
    total=$((total + 1))
    "$@" || { echo "FAIL $name"; failures=$((failures + 1)); }
}

check() {  # check NAME EXPECTED_EXIT EXPECTED_OUTPUT -- command...
    local name=$1 want_exit=$2 want_out=$3
    shift 4
    total=$((total + 1))
    local out code
    out=$("$@" 2>"$dir/stderr")
    code=$?
    if [[ $code != "$want_exit" || "$out" != "$want_out" ]]; then
        echo "FAIL $name: exit $code (want $want_exit), output:"
        printf '%s\n' "$out"
        echo "want:"
        printf '%s\n' "$want_out"
        failures=$((failures + 1))
    fi
}

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

echo "$((total - failures)) passed, $failures failed"
[[ $failures == 0 ]]
