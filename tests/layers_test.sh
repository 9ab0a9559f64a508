#!/usr/bin/env bash
# The layers of src/, read from the code's own #include lines: a folder includes only itself
# and the folders below it, and no core folder includes Qt. The rules are in the README.
set -u
# Reads src/ and cli/ of the project: cli/ is the command line, core only.
root=${1:?usage: layers_test.sh PROJECT_DIR}
cd "$root" || exit 2

cores="common settings template resources editors app sample"
# What each folder may include besides itself.
allowed() {
    case $1 in
        common) echo "" ;;
        common/ui) echo "common" ;;
        settings) echo "common" ;;
        template) echo "common settings" ;;
        resources) echo "common settings" ;;
        editors) echo "common settings template" ;;
        app) echo "common settings template resources editors" ;;
        sample) echo "common settings template resources" ;;
        # A subsystem's windows: every core, the shared window helpers, nothing of the
        # application's windows or of another subsystem's.
        settings/ui | template/ui | resources/ui | editors/ui)
            echo "common common/ui settings template resources editors app" ;;
        app/ui) echo "common common/ui settings template resources editors app settings/ui template/ui resources/ui editors/ui" ;;
        cli) echo "common settings template resources editors app sample" ;;
        *) echo "?" ;;
    esac
}

failures=0
ours="common|settings|template|resources|editors|app|sample|cli"
# An include in any spelling the compiler takes: "# include", quotes or angle brackets.
include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]+)[">]'
qt_re='^(Q[A-Za-z0-9]*|qt[^/]*)(/|$)'
while IFS= read -r file; do
    folder=$(dirname "$file")
    folder=${folder#src/}
    case $file in
        *.cpp | *.hpp) ;;
        *)
            echo "FAIL $file: sources are .cpp and .hpp files"
            failures=$((failures + 1))
            continue
            ;;
    esac
    rules=$(allowed "$folder")
    if [[ $rules == "?" ]]; then
        echo "FAIL $file: the folder $folder has no place among the layers"
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r line; do
        [[ $line =~ $include_re ]] || continue
        quote=${BASH_REMATCH[1]}
        header=${BASH_REMATCH[2]}
        if [[ $quote == "<" && $header =~ ^($ours)/ ]]; then
            echo "FAIL $file includes <$header>: our headers are included in quotes"
            failures=$((failures + 1))
        fi
        if [[ $quote == '"' || $header =~ ^($ours)/ ]]; then
            target=$(dirname "$header")
            # The command line's own headers sit beside its files.
            [[ $target == "." && $folder == cli ]] && continue
            [[ $target == "$folder" || " $rules " == *" $target "* ]] && continue
            echo "FAIL $file includes $header, a layer above or beside its own"
            failures=$((failures + 1))
        elif [[ $header =~ $qt_re ]]; then
            if [[ " $cores cli " == *" $folder "* ]]; then
                echo "FAIL $file is core code and includes Qt ($header)"
                failures=$((failures + 1))
            fi
        fi
    done < "$file"
done < <(find src cli -type f | sort)

if ((failures > 0)); then
    echo "$failures include(s) break the layers"
    exit 1
fi
echo "every include keeps to the layers"
