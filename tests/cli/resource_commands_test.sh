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
printf 'TXT \0\0\0\0\0\0\0\0\xe8\x03\0\0' > sound.goo  # 1000 entries in 16 bytes
"$cli" gob list sound.goo >/dev/null 2>err
expect other-file test $? = 2
expect other-file-message grep -qx 'sound.goo is not a GOB/GOO container' err
"$cli" gob list missing.gob >/dev/null 2>err
expect cannot-open test $? = 2
expect cannot-open-message grep -qx 'Cannot open file missing.gob' err

# Unpacked whole and packed again: the same names, sizes and bytes, listed by gob list.
expect extract-all bash -c "'$cli' gob extract $gob --all -o unpacked >/dev/null"
expect extract-all-file cmp -s unpacked/cog/door.cog <("$cli" gob extract $gob 'cog\door.cog')
expect pack bash -c "'$cli' gob pack unpacked -o again.gob | grep -q 'packed into again.gob'"
expect pack-same-entries test "$("$cli" gob list $gob | cut -f 3,4 | sort)" = "$("$cli" gob list again.gob | cut -f 3,4 | sort)"
expect pack-same-bytes cmp -s <("$cli" gob extract again.gob 'mat\00brick.mat') unpacked/mat/00brick.mat
expect pack-same-again bash -c "'$cli' gob pack unpacked -o twice.gob >/dev/null && cmp -s again.gob twice.gob"
mkdir -p refused/mat && : > 'refused/mat/a b.mat'
"$cli" gob pack refused -o refused.gob >/dev/null 2>err
expect pack-refused test $? = 2
# The file is named in the system's own spelling: refused\mat\a b.mat on Windows.
expect pack-refused-message grep -qE 'refused[/\\]mat[/\\]a b\.mat: the entry name mat\\a b\.mat holds a blank' err
expect pack-refused-nothing-written bash -c '! ls refused.gob* 2>/dev/null'
"$cli" gob pack unpacked -o unpacked/inside.gob >/dev/null 2>err
expect pack-inside test $? = 2
printf 'GOB \x14\0\0\0\x0c\0\0\0\x02\0\0\0' > evil.gob
{ printf '\x20\x01\0\0\x01\0\0\0..\\evil.txt'; head -c 117 /dev/zero
  printf '\x21\x01\0\0\x01\0\0\0ok.txt'; head -c 122 /dev/zero; printf 'eo'; } >> evil.gob
"$cli" gob extract evil.gob --all -o out/inner >/dev/null 2>err
expect extract-unsafe test $? = 1
expect extract-unsafe-message grep -q 'Not written: \.\.\\evil.txt' err
expect extract-unsafe-others test "$(cat out/inner/ok.txt)" = o
expect extract-unsafe-nothing-outside test ! -e out/evil.txt
"$cli" gob extract evil.gob >/dev/null 2>&1
expect extract-needs-entry test $? = 2

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
expect mat-all-png bash -c "'$cli' mat $gob --all -o png --png 2>/dev/null && test \"\$(head -c 4 png/05sky16.png | tail -c 3)\" = PNG"
expect mat-all-png-only bash -c "! ls png | grep -qv '\.png$'"

# Colormaps by file name or whole entry name in any letter case; one in no entry is an error.
expect mat-cmp-case bash -c "'$cli' mat $gob 'mat\00brick.mat' --cmp 'MISC\CMP\10NIGHT.CMP' -o night2.bmp >/dev/null && cmp -s night.bmp night2.bmp"
"$cli" mat $gob 'mat\00brick.mat' --cmp 10nite.cmp -o nite.bmp >/dev/null 2>err
expect mat-cmp-missing test $? = 2
expect mat-cmp-missing-message grep -qx "No colormap 10nite.cmp in $gob" err
expect mat-cmp-missing-nothing-written test ! -e nite.bmp

# 16-bit textures in their own colours, cels by number, PNG by the file's name.
"$cli" mat $gob 'mat\05sky16.mat' --cmp 10night.cmp -o sky.bmp >/dev/null 2>err
expect mat-16-bit-note grep -q 'colormap has no effect' err
expect mat-16-bit-size test "$(stat -c %s sky.bmp)" = $((54 + 64 * 64 * 3))
out=$("$cli" mat $gob 'mat\07switch.mat' --cel 2 -o switch.PNG)
expect mat-cel-texts test "$out" = $'Size in Jed Grid = 0.10 Wide x 0.10 High\nSize in pixels =  32 Wide x  32 High\nCel 2 of 3 (0 to 2)'
expect mat-png test "$(head -c 4 switch.PNG | tail -c 3)" = PNG
"$cli" mat $gob 'mat\07switch.mat' --cel 3 -o nocel.bmp >/dev/null 2>err
expect mat-cel-past-last test $? = 2
expect mat-cel-past-last-message grep -qx 'The texture has no cel 3; its cels are 0 to 2' err
expect mat-cel-past-last-nothing-written test ! -e nocel.bmp

# mat make: a texture from a picture of ours (the brick exported as a PNG), 8-bit under a
# colormap inside the container or on its own, 16-bit, single colour; refusals write nothing.
"$cli" mat $gob 'mat\00brick.mat' -o brick.png >/dev/null
"$cli" gob extract $gob 'misc\cmp\dflt.cmp' -o dflt.cmp
out=$("$cli" mat make brick.png --cmp "$gob:DFLT.CMP" -o brick.mat)
expect make-8-bit test "$out" = 'brick.mat: 8-bit, 64x64, 1 cel, 4 mip-map levels; mean colour error 0.00'
expect make-8-bit-size test "$(stat -c %s brick.mat)" = $((76 + 40 + 24 + 64 * 64 + 32 * 32 + 16 * 16 + 8 * 8))
expect make-cmp-file bash -c "'$cli' mat make brick.png --cmp dflt.cmp -o brick2.mat >/dev/null && cmp -s brick.mat brick2.mat"
expect make-16-bit-cels bash -c "'$cli' mat make brick.png brick.png --16bit --mips 2 -o two.mat | grep -q '16-bit 5-6-5, 64x64, 2 cels, 2 mip-map levels'"
expect make-colour bash -c "'$cli' mat make --colour 32 112 -o sparks.mat >/dev/null && test \"\$(stat -c %s sparks.mat)\" = $((76 + 2 * 24))"
"$cli" mat $gob 'mat\02stripe.mat' -o stripe.png >/dev/null
"$cli" mat make stripe.png --cmp dflt.cmp -o stripe.mat 2>err
expect make-sides-refused test $? = 2
expect make-sides-message grep -qx 'stripe.png: 30x20 pixels will not do: a texture.s sides are powers of two from 1 to 2048; 16 or 32 wide and 16 or 32 high would (--fit scales it to 32x16)' err
expect make-sides-nothing-written test ! -e stripe.mat
expect make-fit bash -c "'$cli' mat make stripe.png --cmp dflt.cmp --fit -o stripe.mat | grep -q '32x16'"
printf 'not a picture' > note.png
"$cli" mat make note.png --16bit -o note.mat 2>err
expect make-not-a-picture test $? = 2
expect make-not-a-picture-message grep -qx 'note.png: Not a PNG, BMP, TGA or JPEG picture' err
"$cli" mat make brick.png --cmp "$gob:nosuch.cmp" -o x.mat 2>err
expect make-no-colormap test $? = 2
expect make-no-colormap-message grep -qx "No colormap nosuch.cmp in $gob" err
"$cli" mat make brick.png --cmp brick.png -o x.mat 2>err
expect make-not-a-colormap grep -q 'brick.png is not a colormap' err
"$cli" mat make brick.png --16bit --mips 9 -o x.mat 2>err
expect make-mips-refused grep -qx 'A 64x64 texture has 1 to 7 mip-map levels, not 9' err
"$cli" mat make brick.png -o x.mat 2>err
expect make-needs-a-depth test $? = 2
"$cli" mat make --colour 256 -o x.mat 2>err
expect make-colour-range grep -qx 'Colour index 256 is not 0 to 255' err
expect make-nothing-written test ! -e x.mat

finish
