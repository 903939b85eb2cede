#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the quorvale-cli(1) manual page from the tool's own help texts, so the
# page always lists the options the tool has:
#   make-cli-manpage.sh CLI TEMPLATE OUTPUT
# CLI is the quorvale-cli executable; TEMPLATE is the page with every part
# but the commands, holding the lines "%%SYNOPSIS%%" and "%%COMMANDS%%", which are
# replaced by the usage line and the help (options and arguments) of each
# command that "CLI --help" lists.
set -euo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 CLI TEMPLATE OUTPUT" >&2
    exit 2
fi
CLI=$1
TEMPLATE=$2
OUTPUT=$3

# The command names: the lines after "Commands:" up to the next empty line.
mapfile -t NAMES < <("$CLI" --help | awk '/Commands:$/ { on = 1; next } on && /^$/ { exit } on { print $1 }')
if ((${#NAMES[@]} == 0)); then
    echo "$0: '$CLI --help' lists no commands" >&2
    exit 1
fi

# Turns one command's help text into troff: the usage line, the description,
# then a tagged paragraph for each option and argument.
# shellcheck disable=SC2016 # an awk program, not shell
HELP_TO_TROFF='
function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    if (s ~ /^[.\x27]/) s = "\\&" s
    return s
}
function term(s,    value, names, n, i, out) {
    if (section == "Arguments:") return "\\fI" esc(s) "\\fR"
    value = ""
    if (match(s, / <[^>]+>$/)) {
        value = substr(s, RSTART + 2, RLENGTH - 3)
        s = substr(s, 1, RSTART - 1)
    }
    n = split(s, names, /, /)
    out = ""
    for (i = 1; i <= n; i++) out = out (i > 1 ? ", " : "") "\\fB" esc(names[i]) "\\fR"
    if (value != "") out = out " \\fI" esc(value) "\\fR"
    return out
}
function flush() {
    if (item != "") { print ".TP"; print item; print esc(text) }
    item = ""; text = ""
}
NR == 1 {
    if ($0 !~ /^Usage: /) { print "unexpected help text: " $0 > "/dev/stderr"; exit 1 }
    usage = substr($0, 8)
    split(usage, words, " ")
    print ".SS " esc(words[2])
    rest = substr(usage, length(words[1]) + length(words[2]) + 3)
    print "\\fB" esc(words[1] " " words[2]) "\\fR " esc(rest)
    next
}
/^(Options|Arguments):$/ { flush(); section = $0; next }
section == "" {
    if ($0 != "") description = description (description == "" ? "" : " ") $0
    else if (description != "") { print ".PP"; print esc(description); description = "" }
    next
}
/^$/ { flush(); next }
/^  [^ ]/ {
    flush()
    line = substr($0, 3)
    gap = index(line, "  ")
    if (gap == 0) { item = term(line); next }
    item = term(substr(line, 1, gap - 1))
    text = substr(line, gap); sub(/^ +/, "", text)
    next
}
/^   / { sub(/^ +/, ""); text = text " " $0; next }
END {
    if (section == "" && description != "") { print ".PP"; print esc(description) }
    flush()
}
'

TMP=$(mktemp)
trap 'rm -f "$TMP" "$TMP.synopsis" "$TMP.commands"' EXIT
: >"$TMP.synopsis"
: >"$TMP.commands"
for name in "${NAMES[@]}"; do
    "$CLI" "$name" --help >"$TMP"
    if [[ ! -s "$TMP" ]]; then
        echo "$0: '$CLI $name --help' printed nothing" >&2
        exit 1
    fi
    awk "$HELP_TO_TROFF" "$TMP" >>"$TMP.commands"
    # The usage line of each command, once more in the synopsis.
    awk 'NR == 1 { sub(/^Usage: /, ""); print ".br"; n = split($0, w, " ")
                   line = "\\fB" w[1] " " w[2] "\\fR"; for (i = 3; i <= n; i++) line = line " " w[i]
                   gsub(/-/, "\\-", line); print line }' "$TMP" >>"$TMP.synopsis"
done

awk -v synopsis="$TMP.synopsis" -v commands="$TMP.commands" '
    $0 == "%%SYNOPSIS%%" { while ((getline line < synopsis) > 0) print line; next }
    $0 == "%%COMMANDS%%" { while ((getline line < commands) > 0) print line; next }
    { print }
' "$TEMPLATE" >"$OUTPUT.tmp"
mv "$OUTPUT.tmp" "$OUTPUT"
