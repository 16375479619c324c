#!/usr/bin/env bash
# Where the release program's bytes go: its sections, and what each folder of the program puts in
# them (base, core, ui, app, the C++ library and run-time, Windows imports, resources), read from
# the build's own files: the release copy and the linker's map of the program it is made from.
#
#   scripts/size.sh [--objects N] [BUILD_DIR]
#     --objects N  also lists the N objects that put the most bytes in the program
#     BUILD_DIR    the Windows build, build/windows unless given
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
objects=0
while [ $# -gt 0 ]; do
  case "$1" in
    --objects) objects=${2:?}; shift 2 ;;
    -*) echo "usage: scripts/size.sh [--objects N] [BUILD_DIR]" >&2; exit 2 ;;
    *) break ;;
  esac
done
build=${1:-$root/build/windows}
exe=$build/release/Quillora.exe map=$build/Quillora.map
for f in "$exe" "$map"; do
  [ -f "$f" ] || { echo "size: $f is missing (run scripts/build.sh)" >&2; exit 1; }
done
objdump=$(command -v i686-w64-mingw32-objdump || command -v objdump)

# The sections: name and size (debug link left out), and which of them take no bytes in the file
# (.bss: zeros the loader provides).
sections=$("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ && $2 !~ /debug/ { print $2, $3 }')
nobits=$("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ { name = $2; next } name && !/CONTENTS/ { print name } { name = "" }' | tr '\n' ' ')
file_bytes=$(stat -c %s "$exe")

# Every input section the map places, credited to the folder its object comes from; "*fill*" is
# alignment between them.
# (mawk, Debian's default awk, reads no hexadecimal by itself.)
awk -v sections="$sections" -v nobits=" $nobits" -v total="$file_bytes" -v objects="$objects" '
  function hex(t,   v, i) {
    sub(/^0x/, "", t); v = 0
    for (i = 1; i <= length(t); i++) v = v * 16 + index("0123456789abcdef", tolower(substr(t, i, 1))) - 1
    return v
  }
  function folder(obj) {
    if (obj ~ /libquillora_base\.a/) return "base"
    if (obj ~ /libquillora_core\.a/) return "core"
    if (obj ~ /libquillora_ui\.a/) return "ui"
    if (obj ~ /libquillora_app\.a|Quillora\.dir/) return "app"
    if (obj ~ /\.res$/) return "resources"
    if (obj ~ /lib(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ole32|oleaut32|uuid|version|psapi)\.a/) return "Windows imports"
    if (obj == "dll") return "linker"
    return "C++ library and run-time"
  }
  function credit(obj, bytes,   f) {
    f = folder(obj)
    by[f, out] += bytes; rows[f] = 1
    if (objects) { sub(/^.*\//, "", obj); perobj[obj] += bytes }
  }
  BEGIN {
    n = split(sections, s, /[ \n]/)
    for (i = 1; i < n; i += 2) { cols[++ncols] = s[i]; filesize[s[i]] = hex(s[i + 1]); known[s[i]] = 1 }
  }
  /^Linker script and memory map/ { inmap = 1; next }
  !inmap { next }
  /^\.[^ ]+/ { out = $1; next }            # an output section begins
  !(out in known) { next }
  /^ \*fill\*/ { fill[out] += hex($3); next }
  /^ [^ *]/ && NF == 1 { pending = 1; next }   # a long input name; its figures follow
  /^ [^ *]/ && NF >= 4 && $2 ~ /^0x/ && $3 ~ /^0x/ { obj = $4; for (i = 5; i <= NF; i++) obj = obj " " $i; credit(obj, hex($3)); pending = 0; next }
  pending && /^ +0x/ && NF >= 3 && $2 ~ /^0x/ { obj = $3; for (i = 4; i <= NF; i++) obj = obj " " $i; credit(obj, hex($2)); pending = 0; next }
  { pending = 0 }
  END {
    split("base|core|ui|app|C++ library and run-time|Windows imports|resources|linker", names, "|")
    printf "%-26s", "bytes"
    for (c = 1; c <= ncols; c++) printf " %9s", cols[c]
    printf " %10s\n", "total"
    for (r = 1; r <= 8; r++) {
      f = names[r]; if (!(f in rows)) continue
      printf "%-26s", f; sum = 0
      for (c = 1; c <= ncols; c++) { v = by[f, cols[c]] + 0; sum += v; printf " %9d", v }
      printf " %10d\n", sum
    }
    # What the sections hold beyond their inputs: alignment, and the file alignment at the end.
    printf "%-26s", "alignment and padding"; sum = 0
    for (c = 1; c <= ncols; c++) {
      col = cols[c]; placed = 0
      for (r = 1; r <= 8; r++) placed += by[names[r], col]
      v = filesize[col] - placed; pad[col] = v; sum += v; printf " %9d", v
    }
    printf " %10d\n", sum
    printf "%-26s", "section"; sum = 0; infile = 0
    for (c = 1; c <= ncols; c++) {
      sum += filesize[cols[c]]; printf " %9d", filesize[cols[c]]
      if (index(nobits, " " cols[c] " ") == 0) infile += filesize[cols[c]]
    }
    printf " %10d\n", sum
    printf "%-26s %d\n", "in the file", infile
    printf "%-26s %d\n", "headers and file alignment", total - infile
    printf "%-26s %d (limit 1048576, %d to spare)\n", "program file", total, 1048576 - total
    if (objects) {
      printf "\nthe %d objects that put the most bytes in the program:\n", objects
      cmd = "sort -k1,1nr | head -n " objects
      for (o in perobj) printf "%9d  %s\n", perobj[o], o | cmd
      close(cmd)
    }
  }' "$map"
