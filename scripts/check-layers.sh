#!/usr/bin/env bash
# Fails when an include points back up the tree or sideways between folders
# of one floor, or when a portable folder includes a Win32 header. The tree
# reads bottom up:
#
#   resources  <-  core  <-  settings, macro, menu, hooks  <-  win32
#              <-  hooks/win32, menu/win32, controls, app/ports  <-  app
#
# A file may include its own folder and any folder on a lower floor.
# resources/ is the leaf: it includes nothing of ours. core, settings, macro,
# menu (but menu/win32) and hooks (but hooks/win32) are portable: no
# <windows.h> nor any other header of the platform's. Tests, benchmarks and
# fuzz targets are outside the floors.
#
#   scripts/check-layers.sh      (prints every offending include; exit 1 if any)
set -uo pipefail
cd "$(dirname "$0")/.."

# folder → floor; the longest matching prefix wins (menu/win32 before menu).
folder_of() {
    case "$1" in
        resources/*) echo resources ;; core/*) echo core ;; settings/*) echo settings ;;
        macro/*) echo macro ;; menu/win32/*) echo menu/win32 ;; menu/*) echo menu ;;
        hooks/win32/*) echo hooks/win32 ;; hooks/*) echo hooks ;; win32/*) echo win32 ;;
        controls/*) echo controls ;; app/ports/*) echo app/ports ;; app/*) echo app ;;
        *) echo - ;;
    esac
}
floor_of() {
    case "$1" in
        resources) echo 0 ;; core) echo 1 ;; settings|macro|menu|hooks) echo 2 ;; win32) echo 3 ;;
        hooks/win32|menu/win32|controls|app/ports) echo 4 ;; app) echo 5 ;; *) echo - ;;
    esac
}
portable() {
    case "$1" in core|settings|macro|menu|hooks) return 0 ;; *) return 1 ;; esac
}

# The platform's headers: <windows.h> and the ones that need it.
win32_header='^(windows|win[a-z0-9_]*|shellapi|shlobj|shlwapi|shobjidl|commctrl|commdlg|windowsx|gdiplus|objidl|objbase|ole2|oleauto|mmsystem|psapi|tlhelp32|dwmapi|uxtheme|dbghelp|[a-z]+api)\.h$'

bad=0
while read -r file; do
    from=$(folder_of "$file")
    [[ "$from" == - ]] && continue
    while read -r inc; do
        to=$(folder_of "$inc")
        [[ "$to" == - || "$to" == "$from" ]] && continue
        if [[ "$from" == resources ]]; then
            echo "$file includes $inc: resources/ includes nothing of ours"
            bad=1
        elif (($(floor_of "$to") >= $(floor_of "$from"))); then
            echo "$file includes $inc: $to is not below $from"
            bad=1
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
    if portable "$from"; then
        while read -r inc; do
            if [[ "${inc,,}" =~ $win32_header ]]; then
                echo "$file includes <$inc>: $from is portable"
                bad=1
            fi
        done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+<([^>]+)>.*/\1/p' "$file")
    fi
done < <(git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.rc' | grep -vE '^build/')

if ((bad)); then
    echo "includes must point down the tree only, and portable folders stay off the platform's"
    echo "headers (the floors are drawn at the top of scripts/check-layers.sh and under Layout in"
    echo "README.md)"
    exit 1
fi
echo "layers: no include points back up, no platform header in a portable folder"
