#!/usr/bin/env bash
# Fails when an include points back up the tree or sideways between folders
# of one floor. The tree reads bottom up:
#
#   core  <-  settings, macro, menu, hooks  <-  win32  <-  menu/win32, controls, app/ports  <-  app
#
# A file may include its own folder and any folder on a lower floor; tests,
# benchmarks, fuzz targets and resources are outside the floors.
#
#   scripts/check-layers.sh      (prints every offending include; exit 1 if any)
set -uo pipefail
cd "$(dirname "$0")/.."

# folder → floor; the longest matching prefix wins (menu/win32 before menu).
folder_of() {
    case "$1" in
        core/*) echo core ;; settings/*) echo settings ;; macro/*) echo macro ;;
        menu/win32/*) echo menu/win32 ;; menu/*) echo menu ;; hooks/*) echo hooks ;;
        win32/*) echo win32 ;; controls/*) echo controls ;; app/ports/*) echo app/ports ;;
        app/*) echo app ;; *) echo - ;;
    esac
}
floor_of() {
    case "$1" in
        core) echo 0 ;; settings|macro|menu|hooks) echo 1 ;; win32) echo 2 ;;
        menu/win32|controls|app/ports) echo 3 ;; app) echo 4 ;; *) echo - ;;
    esac
}

bad=0
while read -r file; do
    from=$(folder_of "$file")
    [[ "$from" == - ]] && continue
    while read -r inc; do
        to=$(folder_of "$inc")
        [[ "$to" == - || "$to" == "$from" ]] && continue
        if (($(floor_of "$to") >= $(floor_of "$from"))); then
            echo "$file includes $inc: $to is not below $from"
            bad=1
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done < <(git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' | grep -vE '^build/')

if ((bad)); then
    echo "includes must point down the tree only (see DESIGN.md)"
    exit 1
fi
echo "layers: no include points back up"
