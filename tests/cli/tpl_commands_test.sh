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


# Open's walk, the line Save would write after Open, and the New.tpl rebuild.
printf '_actor\tnone\ttype=actor mass=1\r\nguard _actor health=5\r\nelite guard weapon=+x\r\norphan _gone\r\n' > "$dir/c.tpl"
check chain 0 $'guard _actor health=5\n_actor none type=actor mass=1' -- "$cli" tpl chain "$dir/c.tpl" elite
check chain-self 0 '' -- "$cli" tpl chain "$dir/c.tpl" _actor
check chain-broken 1 '' -- "$cli" tpl chain "$dir/c.tpl" orphan
expect chain-broken-message grep -q '_gone' "$dir/stderr"
check open 0 'elite            guard             weapon=+x' -- "$cli" tpl open "$dir/c.tpl" elite
# Open keeps a template's own type and the fields its grid has no row for, last.
printf '_actor none type=actor\r\nwalk _actor treesize=2 type=player health=1\r\n' > "$dir/k.tpl"
check open-keeps 0 'walk             _actor            type=player health=1 treesize=2' -- \
    "$cli" tpl open "$dir/k.tpl" walk
expect open-rows-kept-last test "$("$cli" tpl open --rows "$dir/k.tpl" walk | tail -n 1)" = \
    $'treesize\tnot in this type\'s list; kept as read\t2'
expect put-new "$cli" tpl put "$dir/c.tpl" "$dir/New.tpl" fresh 'fresh none type=ghost' --desc 'a ghost'
expect put-new-tail test "$(tail -n 3 "$dir/New.tpl")" = $'# DESC: a ghost\r\n# BBOX: 0 0 0 0 0 0\r\nfresh none type=ghost\r'
expect put-replace "$cli" tpl put "$dir/c.tpl" "$dir/New2.tpl" guard 'guard _actor health=9'
expect put-replace-line grep -q $'^guard _actor health=9\r$' "$dir/New2.tpl"
expect put-replace-count test "$(wc -l < "$dir/New2.tpl")" = 4
# A name the line could not keep whole is refused, and nothing is written.
check put-blank-name 2 '' -- "$cli" tpl put "$dir/c.tpl" "$dir/New4.tpl" 'a b' 'a b none'
expect put-blank-name-message grep -q 'holds a blank' "$dir/stderr"
expect put-blank-name-nothing test ! -e "$dir/New4.tpl"
# A folder as the source or the target is named, and nothing is left beside the target.
mkdir "$dir/folder.tpl"
check put-from-folder 2 '' -- "$cli" tpl put "$dir/folder.tpl" "$dir/New3.tpl" x 'x none'
expect put-from-folder-message grep -qx "Cannot open file $dir/folder.tpl" "$dir/stderr"
check put-onto-folder 2 '' -- "$cli" tpl put "$dir/c.tpl" "$dir/folder.tpl" x 'x none'
expect put-onto-folder-message grep -qx "Cannot create file $dir/folder.tpl" "$dir/stderr"
expect put-onto-folder-clean test ! -e "$dir/folder.tpl.part"

# The checker on the grid Open loads.
printf '_boom none type=explosion\r\nbig _boom debris=+a debris=+b physflags=0x4a\r\ncalm _boom\r\n' > "$dir/e.tpl"
check check-debris 0 'Info --  To use more than 1 debris the "typeflag 0x80 RandDebris" must also be set' -- \
    "$cli" tpl check "$dir/e.tpl" big
printf '_thing none type=debris physflags=0x4a move=Physics\r\n' > "$dir/d.tpl"
check check-move 0 'ERROR --  "move" must be set to "physics" to use physics flags.' -- \
    "$cli" tpl check "$dir/d.tpl" _thing
check check-none 0 '' -- "$cli" tpl check "$dir/e.tpl" calm

# lint: one finding a line in line order, exit 1 with findings, 0 without, 2 unread.
printf '_w none type=weapon\r\n# x\r\nw _w thingflags=10 treesize=1\r\n' > "$dir/l.tpl"
check lint 1 $'3\tflags-not-hex\tw\t"thingflags=10" is read as hexadecimal, 0x10; 10 is written 0xA\n3\tunknown-param\tw\t"treesize" is a parameter of Mots only; Jedi Knight ignores it' -- \
    "$cli" tpl lint "$dir/l.tpl"
check lint-mots 1 $'3\tflags-not-hex' -- bash -c 'set -o pipefail; "$0" tpl lint --game mots "$1" | cut -f1,2' "$cli" "$dir/l.tpl"
cp "$dir/l.tpl" "$dir/MOTS.tpl"
check lint-mots-by-name 1 $'3\tflags-not-hex' -- bash -c 'set -o pipefail; "$0" tpl lint "$1" | cut -f1,2' "$cli" "$dir/MOTS.tpl"
printf 'w _w damage=1\r\n_w none type=weapon\r\n' > "$dir/clean.tpl"
check lint-clean 0 '' -- "$cli" tpl lint "$dir/clean.tpl" --game jk
check lint-unread 2 '' -- "$cli" tpl lint "$dir/none.tpl"
check lint-bad-game 2 '' -- "$cli" tpl lint "$dir/l.tpl" --game jkl
# A level's templates section stands in for a template file, read only up to its end.
printf 'Section: GEORESOURCE\r\nend\r\nSection: TEMPLATES\r\n\r\nWorld templates 2\r\n#Name: Based On:\r\n_w\t\tnone\t\ttype=weapon\r\nbolt _w damage=5 explode=+x\r\nend\r\nSection: THINGS\r\nlater none type=ghost\r\n' > "$dir/a.jkl"
check level-names 0 $'_w\nbolt' -- "$cli" tpl names "$dir/a.jkl"
check level-find 0 'bolt _w damage=5 explode=+x' -- "$cli" tpl find "$dir/a.jkl" bolt
check level-find-past-end 1 '' -- "$cli" tpl find "$dir/a.jkl" later
check level-open 0 'bolt             _w                explode=+x damage=5' -- "$cli" tpl open "$dir/a.jkl" bolt
check level-lint 1 $'8\tmissing-reference\tbolt\t"explode=+x" names no template of the level\'s templates' -- \
    "$cli" tpl lint "$dir/a.jkl"
printf 'Section: THINGS\r\nend\r\n' > "$dir/b.JKL"
check level-without-templates 2 '' -- "$cli" tpl names "$dir/b.JKL"
expect level-without-templates-message grep -q 'holds no templates section' "$dir/stderr"
# jkl put: what it put, a line each; the level as it was beside it; refusals touch nothing.
printf '_w none type=weapon\r\n+hit none type=explosion\r\n+bolt _w explode=+hit\r\ngun _w trailthing=+bolt\r\n' > "$dir/w.tpl"
printf 'Section: TEMPLATES\r\nWorld templates 1\r\n_w none type=weapon damage=1\r\ngun _w\r\nend\r\nSection: THINGS\r\nend\r\n' > "$dir/p.jkl"
cp "$dir/p.jkl" "$dir/p.orig"
check jkl-put 0 $'added\t+hit\nadded\t+bolt\nreplaced\tgun' -- "$cli" jkl put "$dir/p.jkl" "$dir/w.tpl" gun
expect jkl-put-level test "$(cat "$dir/p.jkl")" = "$(printf 'Section: TEMPLATES\r\nWorld templates 4\r\n_w none type=weapon damage=1\r\n+hit none type=explosion\r\n+bolt _w explode=+hit\r\ngun _w trailthing=+bolt\r\nend\r\nSection: THINGS\r\nend\r')"
expect jkl-put-backup cmp -s "$dir/p.jkl.bak" "$dir/p.orig"
check jkl-put-lint 0 '' -- "$cli" tpl lint "$dir/p.jkl"
cp "$dir/p.jkl" "$dir/p.after"
check jkl-put-unknown 2 '' -- "$cli" jkl put "$dir/p.jkl" "$dir/w.tpl" rifle
expect jkl-put-unknown-message grep -qx "$dir/w.tpl holds no template \"rifle\"" "$dir/stderr"
check jkl-put-no-section 2 '' -- "$cli" jkl put "$dir/b.JKL" "$dir/w.tpl" gun
expect jkl-put-no-section-message grep -q 'holds no templates section' "$dir/stderr"
expect jkl-put-untouched cmp -s "$dir/p.jkl" "$dir/p.after"
# resolve: the template as the game finishes it, PARAM VALUE FROM a line; 1 when the game drops
# it, 2 for a name the file lacks. A size from a model's radius comes from the containers.
printf '_actor none type=actor move=physics mass=5 health=1\r\n_human _actor size=0.065 damage=1\r\nguard _human model3d=crate.3do health=9\r\nbox none type=cog model3d=crate.3do\r\nlost none light=1\r\n' > "$dir/r.tpl"
check resolve 0 $'type\tactor\t_actor\nmove\tphysics\t_actor\nmass\t5\t_actor\nhealth\t9\tguard\nsize\t0.065\t_human\nmovesize\t0.065\t_human\nmodel3d\tcrate.3do\tguard' -- \
    "$cli" tpl resolve "$dir/r.tpl" guard
"$cli" sample "$dir/sample" > /dev/null
check resolve-model 0 $'type\tcog\tbox\nmodel3d\tcrate.3do\tbox\nsize\t0.123296\tmodel crate.3do\nmovesize\t0.123296\tmodel crate.3do' -- \
    "$cli" tpl resolve "$dir/r.tpl" box --container "$dir/sample/jk/res2.gob"
check resolve-dropped 1 '' -- "$cli" tpl resolve "$dir/r.tpl" lost
expect resolve-dropped-message grep -qx 'lost: the game drops it: no template of its chain sets a type' "$dir/stderr"
check resolve-missing 2 '' -- "$cli" tpl resolve "$dir/r.tpl" nosuch
check resolve-unread 2 '' -- "$cli" tpl resolve "$dir/none.tpl" guard
check lint-not-applied 1 $'2\tnot-applied\t_human\tdamage does nothing for an actor' -- \
    bash -c 'set -o pipefail; "$0" tpl lint "$1" | grep -v no-type' "$cli" "$dir/r.tpl"
# A static level is read first: its templates count as defined and keep their names.
printf 'Section: TEMPLATES\r\nWorld templates 1\r\n_w none type=weapon damage=3\r\nend\r\n' > "$dir/static.jkl"
printf 'Section: TEMPLATES\r\nWorld templates 2\r\n_w none type=weapon\r\nbolt _w\r\nend\r\n' > "$dir/lev.jkl"
check lint-static 1 $'3\tduplicate\t_w\tstatic.jkl defines "_w" first; the game keeps that one' -- \
    "$cli" tpl lint "$dir/lev.jkl" --static "$dir/static.jkl"
check resolve-static 0 $'type\tweapon\t_w\ndamage\t3\t_w' -- \
    "$cli" tpl resolve "$dir/lev.jkl" bolt --static "$dir/static.jkl"
finish
