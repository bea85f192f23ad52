#!/usr/bin/env bash
# Every text of the program has its Arabic translation: lupdate, run over the program's sources
# into a copy of the translation, must find no text without a finished translation (a new or
# changed one) and no translation whose text the program no longer has.
set -euo pipefail
lupdate=$1
translation=$2
sources=$3
source_root=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$translation" "$work/korvel_ar.ts"
"$lupdate" -locations none -no-ui-lines -I "$source_root" "@$sources" -ts "$work/korvel_ar.ts" \
    >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log"; exit 1; }

if grep -B3 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>' \
    "$work/korvel_ar.ts"; then
    echo "FAIL: the texts above have no Arabic translation, or the program no longer has them;"
    echo "run 'cmake --build build --target update_translations' and translate them."
    exit 1
fi
grep -c '<message>' "$work/korvel_ar.ts" | xargs echo "translated texts:"
