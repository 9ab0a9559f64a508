# Helpers for the skerry-cli tests; source it, then call finish at the end.
# Sets $dir (a scratch folder removed on exit); the last command's stderr is in $dir/stderr.
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

finish() {
    echo "$((total - failures)) passed, $failures failed"
    [[ $failures == 0 ]]
}
