#!/usr/bin/env bash
# Keeps the layers apart. Reads the `#include "..."` lines of every .h and .cpp under app/,
# ui/, core/ (with core/win/) and base/, and fails on
#   - a forbidden arrow: the only arrows between folders are app -> ui, core, base;
#     ui -> base; core -> base; base uses nothing of the project;
#   - an include cycle among the modules of one folder (X.h and X.cpp are one module).
# An include name is looked up in the including file's own folder, then in base/, core/, ui/
# and app/ (the compiler's include paths); a name found nowhere (a system header, a header
# generated into the build folder) is not ours and is skipped.
#
#   scripts/check-layers.sh [ROOT]    ROOT: the tree to check, this checkout by default
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

mapfile -t files < <(for d in app ui core base; do
                      [ -d "$d" ] && find "$d" -type f \( -name '*.h' -o -name '*.cpp' \)
                  done | LC_ALL=C sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "check-layers: no .h or .cpp files under app/, ui/, core/ or base/ of $root" >&2
    exit 2
fi

{
    printf 'F %s\n' "${files[@]}"
    # path:line:text of every quoted include, in file order
    grep -nH '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${files[@]}" | sed 's/^/I /' || true
} | LC_ALL=C awk '
function module(path) { sub(/\.(h|cpp)$/, "", path); return path }
function layer(path) { sub(/\/.*/, "", path); return path }
function dirname(path) { return path ~ /\// ? substr(path, 1, match(path, /\/[^\/]*$/) - 1) : "." }
# Folds "a/./b" and "a/x/../b" so that names such as "../core/X.h" resolve too.
function normal(path,    n, i, k, part, keep) {
    n = split(path, part, "/"); k = 0
    for (i = 1; i <= n; i++) {
        if (part[i] == "." || part[i] == "") continue
        if (part[i] == ".." && k > 0 && keep[k] != "..") { k--; continue }
        keep[++k] = part[i]
    }
    path = ""
    for (i = 1; i <= k; i++) path = path (i > 1 ? "/" : "") keep[i]
    return path
}
function resolve(from, name,    dirs, n, i, p) {
    n = split(dirname(from) " base core ui app", dirs, " ")
    for (i = 1; i <= n; i++) {
        p = normal(dirs[i] "/" name)
        if (p in exists) return p
    }
    return ""
}
# Tarjan: strongly connected components of the arrows inside the folders.
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
    allowed["app ui"]; allowed["app core"]; allowed["app base"]
    allowed["ui base"]; allowed["core base"]
}
$1 == "F" {
    exists[substr($0, 3)]
    m = module(substr($0, 3))
    if (!(m in known)) { known[m]; mods[++nmods] = m }
    next
}
$1 == "I" {
    line = substr($0, 3)
    i = index(line, ":"); path = substr(line, 1, i - 1); line = substr(line, i + 1)
    i = index(line, ":"); lineno = substr(line, 1, i - 1); text = substr(line, i + 1)
    sub(/^[[:space:]]+/, "", text)
    name = text; sub(/^[^"]*"/, "", name); sub(/".*/, "", name)
    ++checked
    target = resolve(path, name)
    if (target == "") next
    ++ours
    from = module(path); to = module(target)
    if (from == to) next
    where = path ":" lineno ": " text
    if (layer(from) != layer(to)) {
        if (!((layer(from) " " layer(to)) in allowed)) {
            printf "check-layers: forbidden arrow %s -> %s: %s\n", layer(from), layer(to), where
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
        printf "check-layers: include cycle in %s/ among%s:%s\n", layer(mods[i]), members, detail
    }
    if (forbidden || cycles) {
        printf "check-layers: FAILED: %d forbidden arrow(s), %d include cycle(s)\n", forbidden, cycles
        exit 1
    }
    printf "check-layers: OK: %d modules, %d includes checked (%d of the project)\n", nmods, checked, ours
}'
