#!/usr/bin/env bash
# The layers of src/, read from the code's own #include lines: a folder includes only itself
# and the folders below it, and no core folder includes Qt. The rules are in the README.
set -u
src=${1:?usage: layers_test.sh SRC_DIR}
cd "$src" || exit 2

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
        *) echo "?" ;;
    esac
}

failures=0
while IFS= read -r file; do
    folder=$(dirname "$file")
    rules=$(allowed "$folder")
    if [[ $rules == "?" ]]; then
        echo "FAIL $file: the folder $folder has no place among the layers"
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r line; do
        if [[ $line =~ ^#include[[:space:]]*\"([^\"]+)\" ]]; then
            target=$(dirname "${BASH_REMATCH[1]}")
            [[ $target == "$folder" || " $rules " == *" $target "* ]] && continue
            echo "FAIL $file includes ${BASH_REMATCH[1]}, a layer above or beside its own"
            failures=$((failures + 1))
        elif [[ $line =~ ^#include[[:space:]]*\<(Q[A-Za-z]*|qt[^>]*)\> ]]; then
            if [[ " $cores " == *" $folder "* ]]; then
                echo "FAIL $file is core code and includes Qt (${BASH_REMATCH[1]})"
                failures=$((failures + 1))
            fi
        fi
    done < "$file"
done < <(find . -name '*.cpp' -o -name '*.hpp' | sed 's#^\./##' | sort)

if ((failures > 0)); then
    echo "$failures include(s) break the layers"
    exit 1
fi
echo "every include keeps to the layers"
