#!/usr/bin/env bash
# skerry-cli 3do: the lines it prints, from a container and from a file, and its exit codes.
set -u
cli=$(realpath "$1")
source "$(dirname "$0")/cli_checks.sh"
cd "$dir" || exit 1

expect sample "$cli" sample data
gob=data/jk/res2.gob
crate=$'radius\t0.123296
insert offset\t0 0 0
geosets\t1
meshes\t2
vertices\t16
faces\t12
bbox\t-0.052 -0.055736 -0.05 0.052 0.05 0.107843
materials\t2
material\t04wall.mat
material\t00brick.mat'
check container 0 "$crate" -- "$cli" 3do $gob crate.3do
check entry-name 0 "$crate" -- "$cli" 3do $gob '3DO\CRATE.3DO'
"$cli" gob extract $gob '3do\crate.3do' -o crate.3do
check file 0 "$crate" -- "$cli" 3do crate.3do

check not-listed 1 '' -- "$cli" 3do $gob nosuch.3do
expect not-listed-message grep -qx "nosuch.3do is not in $gob" "$dir/stderr"
# tpl put writes the box of the model a template names or inherits, found in the containers.
printf '_decor none type=cog\r\n# BBOX: 1 2 3 4 5 6\r\ncrate _decor model3d=crate.3do\r\n' > s.tpl
expect put-box "$cli" tpl put s.tpl o.tpl big 'big crate size=2' --container data/mots/jkmres.goo --container $gob
expect put-box-new test "$(tail -n 2 o.tpl)" = $'# BBOX: -0.052 -0.05573576 -0.05 0.052 0.05 0.1078435\r\nbig crate size=2\r'
expect put-box-replaced "$cli" tpl put s.tpl o.tpl crate 'crate _decor model3d=nosuch.3do'
expect put-box-kept grep -qx $'# BBOX: 1 2 3 4 5 6\r' o.tpl

check missing-file 2 '' -- "$cli" 3do missing.3do
expect missing-file-message grep -qx 'Cannot open file missing.3do' "$dir/stderr"
check not-a-container 2 '' -- "$cli" 3do crate.3do crate.3do
expect not-a-container-message grep -qx 'File is Not A Jedi Knight GOB ?' "$dir/stderr"
printf '3DO 2.1\nHIERARCHY NODES 1\n0: 0 1 -1 0 -1 -1 0 0 0 0 0 0 0 0 0 0 loop\n' > loop.3do
check bad-model 2 '' -- "$cli" 3do loop.3do
expect bad-model-message grep -qx 'loop.3do: The hierarchy loops: node 0 is among its own parents' \
    "$dir/stderr"

finish
