#!/usr/bin/env bash
# skerry-cli gob, mat and sample: output, files and exit codes.
set -u
cli=$(realpath "$1")
source "$(dirname "$0")/cli_checks.sh"
cd "$dir" || exit 1

expect sample "$cli" sample data
gob=data/jk/res2.gob
expect list-first test "$("$cli" gob list $gob | head -n 1 | cut -f 1,4)" = $'0\t3do\\kyle.3do'
expect list-cmp bash -c "'$cli' gob list $gob | grep -q 'misc.cmp.dflt.cmp'"
expect extract-any-case test "$("$cli" gob extract $gob 'COG\DOOR.COG' | head -n 1 | tr -d '\r')" = '# door.cog'
"$cli" gob extract $gob 'nosuch.cog' >/dev/null 2>&1
expect extract-missing test $? = 1
printf 'GOB\n__________' > notgob.gob
"$cli" gob list notgob.gob >/dev/null 2>err
expect not-a-container test $? = 2
expect not-a-container-message grep -qx 'File is Not A Jedi Knight GOB ?' err
"$cli" gob list missing.gob >/dev/null 2>err
expect cannot-open test $? = 2
expect cannot-open-message grep -qx 'Cannot open file missing.gob' err

out=$("$cli" mat $gob 'mat\02stripe.mat')
expect mat-texts test "$out" = $'Size in Jed Grid = 0.09 Wide x 0.06 High\nSize in pixels =  30 Wide x  20 High'
expect mat-file test "$(head -c 2 02stripe.bmp)" = BM
expect mat-size test "$(stat -c %s 02stripe.bmp)" = $((20 * 32 + 1078))
"$cli" mat $gob 'cog\door.cog' -o door.bmp >/dev/null 2>err
expect not-a-mat test $? = 2
expect not-a-mat-message grep -qx 'Not a Mat File' err
expect mat-default bash -c "'$cli' mat $gob 'mat\00brick.mat' >/dev/null"
expect mat-cmp bash -c "'$cli' mat $gob 'mat\00brick.mat' --cmp 10night.cmp -o night.bmp >/dev/null"
expect mat-cmp-differs bash -c '! cmp -s night.bmp 00brick.bmp'
expect mat-all bash -c "'$cli' mat $gob --all -o all 2>/dev/null && test -f all/04wall.bmp && test -f all/red.bmp"

finish
