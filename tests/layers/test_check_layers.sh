#!/usr/bin/env bash
# The layer check on small trees: each row is a tree (a file and the names it includes, ';'
# between files) and the words the check must print, or OK.
set -uo pipefail
check=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers.sh
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
# Every tree holds these: a utility, a colour module on it, and the app using both.
base='core/util/A.h:;core/colour/B.h:../util/A.h;app/M.cpp:colour/B.h,util/A.h'

failures=0
row() {  # name, extra files, expected words
  local dir="$work/$1" entries file includes out
  mkdir -p "$dir"
  IFS=';' read -ra entries <<<"$base${2:+;$2}"
  for entry in "${entries[@]}"; do
    file=${entry%%:*} includes=${entry#*:}
    mkdir -p "$dir/$(dirname "$file")"
    : >"$dir/$file"
    IFS=',' read -ra names <<<"$includes"
    for n in "${names[@]}"; do printf '#include "%s"\n' "$n" >>"$dir/$file"; done
  done
  out=$("$check" "$dir" 2>&1)
  if grep -qF -- "$3" <<<"$out"; then echo "ok   $1"; else
    echo "FAIL $1: wanted '$3', got:"; sed 's/^/  /' <<<"$out"; failures=$((failures + 1))
  fi
}

row "good tree"        ""                                        "check-layers: OK: 3 modules"
row "unresolved"       "core/util/C.h:Nowhere.h"                 'core/util/C.h:1: #include "Nowhere.h" resolves to no file'
row "two candidates"   "ui/util/A.h:"                            "resolves to more than one file (core/util/A.h, ui/util/A.h)"
row "outside a room"   "core/Loose.h:"                           "core/Loose.h is in none of the core's rooms"
row "backward arrow"   "core/util/D.h:../colour/B.h"             "forbidden arrow core/util -> core/colour"
row "screen on notes"  "core/notation/N.h:;core/screen/S.h:../notation/N.h" "forbidden arrow core/screen -> core/notation"
row "cycle in a room"  "core/colour/C.h:B.h;core/colour/B.cpp:C.h" "include cycle in core/colour among core/colour/B core/colour/C"
row "split module"     "core/settings/S.h:;core/settings/I.h:;core/settings/S.win.cpp:I.h;core/settings/I.read.cpp:S.h" \
                       "include cycle in core/settings among core/settings/I core/settings/S"
[ $failures -eq 0 ]
