#!/bin/sh
# Regenerates data/rwdb.txt, the synonym rules shipped with Quorvale, from the
# English thesaurus of Debian's mythes-en-us package.
#
#   scripts/make-rwdb.sh [BUILD_DIR]     (default build directory: build)
#
# Needs quorvale-cli built in BUILD_DIR and the Debian packages mythes-en-us
# and scowl (installed with apt-get when missing and run as root).
#
# How the rules are chosen:
# 1. Common words: SCOWL's English word lists of sizes 10, 20 and 35 (its
#    grading of how common a word is; about 48,000 words with inflections),
#    lower-cased, without possessives.
# 2. Left out (--exclude): inflected forms of verbs ("runs", "walked",
#    "making", found by adding English endings to every verb of the
#    thesaurus), the irregular past forms of scripts/rwdb-irregular-verbs.txt,
#    and the words and phrases of scripts/rwdb-exclude.txt, found by
#    reviewing the rules of the most common words and by rewriting the sample
#    articles. Inflected forms go because the thesaurus lists many of them as
#    adjectives ("said", "interested"), so a rule would put an adjective in
#    place of a verb.
# 3. quorvale-cli import-thesaurus --unambiguous --max-items 5: one rule per
#    word, from its first meaning, only for words whose meanings all share
#    one part of speech, keeping a synonym only when its own first meaning
#    names the word back; every item made of common words (a hyphenated word
#    must be listed whole); at most 5 items; rules with the same items
#    dropped.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
cli=$build/app/quorvale-cli
thesaurus=/usr/share/mythes/th_en_US_v2.dat
scowl=/usr/share/dict/scowl

[ -x "$cli" ] || { echo "make-rwdb.sh: build quorvale-cli first ($cli is missing)" >&2; exit 1; }
if [ ! -f "$thesaurus" ] || [ ! -d "$scowl" ]; then
    apt-get install -y mythes-en-us scowl >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat "$scowl"/english-words.10 "$scowl"/english-words.20 "$scowl"/english-words.35 |
    grep -v "'" | tr 'A-Z' 'a-z' | LC_ALL=C sort -u >"$work/common"

# Every verb of the thesaurus, then its regular forms.
awk -F'|' 'NR > 1 && /^\([a-z]+\)\|/ { if ($1 == "(verb)") print word; next } NR > 1 { word = tolower($1) }' \
    "$thesaurus" | LC_ALL=C sort -u >"$work/verbs"
awk '{
    v = $0; n = length(v); last = substr(v, n, 1); stem = substr(v, 1, n - 1)
    print v "s"; print v "es"; print v "ed"; print v "d"; print v "ing"
    if (last == "e") print stem "ing"
    if (last == "y") { print stem "ied"; print stem "ies" }
    if (last ~ /[bdfgklmnprstvz]/) { print v last "ed"; print v last "ing" }
}' "$work/verbs" >"$work/inflected"

{
    cat "$work/inflected"
    grep -v '^#' "$root/scripts/rwdb-irregular-verbs.txt" | tr ' ' '\n'
    grep -v '^#' "$root/scripts/rwdb-exclude.txt"
} | grep -v '^$' | LC_ALL=C sort -u >"$work/exclude"

"$cli" import-thesaurus "$thesaurus" --unambiguous --max-items 5 --words "$work/common" --exclude "$work/exclude" \
    -o "$root/data/rwdb.txt"
