#!/usr/bin/env bash
# Makes docs/texts.md, the list of every text in both languages, from the program's own list,
# app/Texts.def: the fixed introduction, then one table row per TEXT_ROW line, in its order.
# A cell is the literal as the program shows it, with a line break written <br> and | as \|.
#
#   scripts/texts-doc.sh            writes docs/texts.md
#   scripts/texts-doc.sh --check    writes nothing; fails, showing the difference, when
#                                   docs/texts.md is not what the list makes
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/app/Texts.def
doc=$root/docs/texts.md

make_doc() {
    cat <<'EOF'
# Texts

Every text Quillora shows or puts on the clipboard as a label, in Chinese (the default) and in
English. The user switches with "语言 / Language(&L)" at the end of the colour menu, which
writes `language=zh` or `language=en` to `[VOP]`. `%1` and `%2` stand for a number, a name or
a path; `&` marks the access key. Texts that are data rather than language (the notations,
"Zoom 100%", "RGB:", "Delphi", the status hint) are the same in both and are not listed.

The table below is the program's own list of texts (`app/Texts.def`), row for row, as
`scripts/texts-doc.sh` writes it; `./test.sh` fails when the two differ.

| Chinese | English |
|---|---|
EOF
    # Byte by byte: UTF-8 never puts \, " or | inside a character of more than one byte.
    LC_ALL=C awk '
    function fail(why) { printf "texts-doc: %s:%d: %s\n", FILENAME, FNR, why > "/dev/stderr"; failed = 1; exit 1 }
    # The wide literal at "at" (its L), as a cell; "at" moves past its closing quote.
    function literal(    cell, c) {
        if (substr($0, at, 2) != "L\"") fail("a wide literal L\"...\" expected")
        cell = ""
        for (at += 2; at <= length($0); at++) {
            c = substr($0, at, 1)
            if (c == "\"") { at++; return cell }
            if (c == "|") { cell = cell "\\|"; continue }
            if (c != "\\") { cell = cell c; continue }
            c = substr($0, ++at, 1)
            if (c == "n") cell = cell "<br>"
            else if (c == "\\" || c == "\"") cell = cell c
            else fail("an escape the list does not use: \\" c)
        }
        fail("a literal without its closing quote (a text stays on one line)")
    }
    /^[[:space:]]*$/ || /^\/\// { next }
    !/^TEXT_ROW\([A-Za-z0-9_]+, / { fail("neither a TEXT_ROW line, a comment nor empty") }
    {
        at = index($0, ", ") + 2
        chinese = literal()
        if (substr($0, at, 2) != ", ") fail("\", \" expected between the two texts")
        at += 2
        english = literal()
        if (substr($0, at) != ")") fail("\")\" expected after the English text")
        print "| " chinese " | " english " |"
        ++rows
    }
    END { if (!failed && !rows) { print "texts-doc: no TEXT_ROW line in " FILENAME > "/dev/stderr"; exit 1 } }
    ' "$list"
}

case ${1:-} in
"")
    made=$(mktemp)
    trap 'rm -f "$made"' EXIT
    make_doc >"$made"
    cp "$made" "$doc"
    ;;
--check)
    made=$(mktemp)
    trap 'rm -f "$made"' EXIT
    make_doc >"$made"
    if ! diff -u "$doc" "$made" >&2; then
        echo "texts-doc: docs/texts.md is not what app/Texts.def makes; run scripts/texts-doc.sh" >&2
        exit 1
    fi
    echo "texts-doc: OK: docs/texts.md lists the $(grep -c '^TEXT_ROW(' "$list") texts of app/Texts.def"
    ;;
*)
    echo "usage: scripts/texts-doc.sh [--check]" >&2
    exit 2
    ;;
esac
