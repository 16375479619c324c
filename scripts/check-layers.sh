#!/usr/bin/env bash
# Keeps the layers apart. Reads the `#include "..."` lines of every .h, .cpp and .def under
# app/, ui/, core/ and base/, and fails on
#   - an include that resolves to no file of the project, or to more than one: a name is looked
#     up in the including file's own folder, then in base/, core/, ui/ and app/ (the compiler's
#     include paths); the files the build generates (configure_file in CMakeLists.txt) count;
#   - a file of core/ outside its rooms (core/ROOM/X.h);
#   - a forbidden arrow between the parts (below);
#   - an include cycle among the modules of one part.
# A module is a header and its sources wherever they sit in its folder: X.h, X.cpp and the
# halves X.win.cpp (the Windows one) and X.read.cpp are module X.
#
# The parts are app, ui, base and the core's rooms; the arrows allowed between them are written
# once, in `arrows` below: a room uses only the rooms before it, the screen's room only the
# utilities and the colour arithmetic, app everything, ui and every room base.
#
#   scripts/check-layers.sh [--draw] [ROOT]
#     --draw  also prints the parts, their modules and their arrows (with the number of includes)
#     ROOT    the tree to check, this checkout by default
set -euo pipefail
draw=0
[ "${1:-}" = --draw ] && { draw=1; shift; }
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

# The core's rooms, and each part with the parts it may use.
rooms="util colour notation settings palette screen"
arrows="app:ui app:base ui:base core/util:base
core/colour:core/util core/colour:base
core/notation:core/util core/notation:core/colour core/notation:base
core/settings:core/util core/settings:core/colour core/settings:core/notation core/settings:base
core/palette:core/util core/palette:core/colour core/palette:core/notation core/palette:core/settings core/palette:base
core/screen:core/util core/screen:core/colour core/screen:base"
for r in $rooms; do arrows+=" app:core/$r"; done

mapfile -t files < <(for d in app ui core base; do
                      [ -d "$d" ] && find "$d" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.def' \)
                  done | LC_ALL=C sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "check-layers: no .h or .cpp files under app/, ui/, core/ or base/ of $root" >&2
    exit 2
fi
# The files the build writes from templates, by name: they resolve, as the compiler finds them.
generated=$(sed -n 's/.*configure_file([^ ]* *\${QUILLORA_GENERATED_DIR}\/\([^ )]*\).*/\1/p' \
                CMakeLists.txt 2>/dev/null | tr '\n' ' ') || true

{
    printf 'F %s\n' "${files[@]}"
    # path:line:text of every quoted include, in file order
    grep -nH '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${files[@]}" | sed 's/^/I /' || true
} | LC_ALL=C awk -v rooms="$rooms" -v arrows="$arrows" -v generated=" $generated " -v draw="$draw" '
function dirname(path) { return path ~ /\// ? substr(path, 1, match(path, /\/[^\/]*$/) - 1) : "." }
# X.h, X.cpp, X.win.cpp: the folder and the name up to its first dot.
function module(path,    d, f) {
    d = dirname(path); f = substr(path, length(d) + 2); sub(/\..*/, "", f)
    return d "/" f
}
# app, ui, base, or core/ROOM; "" for a file of core/ outside the rooms.
function part(path,    n, p) {
    n = split(path, p, "/")
    if (p[1] != "core") return p[1]
    return (n == 3 && (p[2] in room)) ? "core/" p[2] : ""
}
# Folds "a/./b" and "a/x/../b"; a name that climbs out of the tree keeps its leading "..".
function normal(path,    n, i, k, piece, keep) {
    n = split(path, piece, "/"); k = 0
    for (i = 1; i <= n; i++) {
        if (piece[i] == "." || piece[i] == "") continue
        if (piece[i] == ".." && k > 0 && keep[k] != "..") { k--; continue }
        keep[++k] = piece[i]
    }
    path = ""
    for (i = 1; i <= k; i++) path = path (i > 1 ? "/" : "") keep[i]
    return path
}
# The one file a name resolves to; "" with why set when it is none or several.
function resolve(from, name,    dirs, n, i, p, found, count, seen) {
    n = split(dirname(from) " base core ui app", dirs, " "); count = 0; found = ""
    for (i = 1; i <= n; i++) {
        p = normal(dirs[i] "/" name)
        if ((p in exists) && !(p in seen)) { seen[p]; found = found (count++ ? ", " : "") p }
    }
    if (count == 1) return found
    why = count ? "resolves to more than one file (" found ")" : "resolves to no file of the project"
    return ""
}
# Tarjan: strongly connected components of the arrows inside the parts.
function visit(v,    i, w) {
    index_[v] = low[v] = ++counter
    stack[++top] = v; onstack[v] = 1
    for (i = 1; i <= nout[v]; i++) {
        w = out[v, i]
        if (!(w in index_)) { visit(w); if (low[w] < low[v]) low[v] = low[w] }
        else if (onstack[w] && index_[w] < low[v]) low[v] = index_[w]
    }
    if (low[v] == index_[v]) {
        ++ncomp
        do { w = stack[top--]; onstack[w] = 0; comp[w] = ncomp; size[ncomp]++ } while (w != v)
    }
}
BEGIN {
    n = split(rooms, r, " "); for (i = 1; i <= n; i++) room[r[i]]
    n = split(arrows, a, /[ \n]+/); for (i = 1; i <= n; i++) { sub(/:/, " ", a[i]); allowed[a[i]] }
}
$1 == "F" {
    path = substr($0, 3); exists[path]
    if (part(path) == "") { printf "check-layers: %s is in none of the core'"'"'s rooms (%s)\n", path, rooms; ++misplaced; next }
    m = module(path)
    if (!(m in known)) { known[m]; mods[++nmods] = m; modpart[m] = part(path); ++partmods[part(path)] }
    next
}
$1 == "I" {
    line = substr($0, 3)
    i = index(line, ":"); path = substr(line, 1, i - 1); line = substr(line, i + 1)
    i = index(line, ":"); lineno = substr(line, 1, i - 1); text = substr(line, i + 1)
    sub(/^[[:space:]]+/, "", text)
    name = text; sub(/^[^"]*"/, "", name); sub(/".*/, "", name)
    ++checked
    if (part(path) == "") next
    where = path ":" lineno ": " text
    target = resolve(path, name)
    if (target == "") {
        if (index(generated, " " name " ")) next
        printf "check-layers: %s %s\n", where, why; ++unresolved; next
    }
    if (part(target) == "") next
    from = module(path); to = module(target)
    if (from == to) next
    if (part(from) != part(to)) {
        arrow = part(from) " " part(to)
        ++between[arrow]
        if (!(arrow in allowed)) {
            printf "check-layers: forbidden arrow %s -> %s: %s\n", part(from), part(to), where
            ++forbidden
        }
        next
    }
    if (!((from, to) in edge)) { edge[from, to]; out[from, ++nout[from]] = to }
    lines[from, to] = lines[from, to] "\n    " where
}
END {
    for (i = 1; i <= nmods; i++) if (!(mods[i] in index_)) visit(mods[i])
    for (i = 1; i <= nmods; i++) {
        c = comp[mods[i]]
        if (size[c] < 2 || (c in reported)) continue
        reported[c]; ++cycles
        members = ""; detail = ""
        for (j = 1; j <= nmods; j++) {
            if (comp[mods[j]] != c) continue
            members = members " " mods[j]
            for (k = 1; k <= nmods; k++)
                if (comp[mods[k]] == c && ((mods[j], mods[k]) in edge)) detail = detail lines[mods[j], mods[k]]
        }
        printf "check-layers: include cycle in %s among%s:%s\n", modpart[mods[i]], members, detail
    }
    if (draw) {
        np = split("app ui " rooms " base", order, " ")
        for (i = 1; i <= np; i++) {
            p = order[i]; if (i > 2 && i < np) p = "core/" p
            targets = ""
            for (j = 1; j <= np; j++) {
                q = order[j]; if (j > 2 && j < np) q = "core/" q
                if ((p " " q) in between) targets = targets sprintf(" %s (%d)", q, between[p " " q])
            }
            printf "%-14s %3d modules ->%s\n", p, partmods[p], targets == "" ? " nothing" : targets
        }
    }
    if (unresolved || misplaced || forbidden || cycles) {
        printf "check-layers: FAILED: %d include(s) not resolved to one file, %d file(s) outside the rooms, %d forbidden arrow(s), %d include cycle(s)\n", \
            unresolved, misplaced, forbidden, cycles
        exit 1
    }
    printf "check-layers: OK: %d modules, %d includes checked\n", nmods, checked
}'
