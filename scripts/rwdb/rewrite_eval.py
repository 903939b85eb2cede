# SPDX-License-Identifier: GPL-3.0-or-later
"""The measuring part of scripts/rewrite-eval (see there)."""
import argparse
import collections
import os
import random
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def read_rules(path):
    rules = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            close = line.find("}")
            if line.startswith("{") and close > 0:  # conditions may follow the group
                rules.append(line[1:close].split("|"))
    return rules


def group_items(rules):
    """Maps the text of an inserted group to the items that can give it."""
    out = collections.defaultdict(set)
    for items in rules:
        line = "{" + "|".join(items) + "}"
        for item in items:
            w = item.lower()
            s = line
            for old, new in (("{" + w + "|", "{"), ("|" + w + "|", "|"), ("|" + w + "}", "}")):
                s = re.sub(re.escape(old), new.replace("\\", r"\\"), s, flags=re.I)
            out[s].add(w)
    return out


def sentence_at(text, start, end):
    a = max(text.rfind(". ", 0, start), text.rfind("? ", 0, start), text.rfind("! ", 0, start),
            text.rfind("\n", 0, start))
    a = 0 if a < 0 else a + (1 if text[a] == "\n" else 2)
    b = len(text)
    for m in (". ", "? ", "! ", "\n"):
        k = text.find(m, end)
        if k >= 0:
            b = min(b, k + 1)
    return a, b


def mid_sentence_capital(text, start, word):
    """A capitalised word right after a lower-case word (not a sentence start)."""
    if not word[:1].isupper():
        return False
    before = text[:start].rstrip(" ")
    return bool(before) and before[-1].islower()


def analyse(path, rules_path, cli, groups):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    r = subprocess.run([cli, "rewrite", path, "--rules", rules_path, "--spintax", "--seed", "1"],
                       capture_output=True, text=True, check=True)
    m = re.search(r"(\d+) Replacements on (\d+) words", r.stderr)
    words = int(m.group(2))
    out = r.stdout
    found = []
    pos = 0  # position in text
    opos = 0  # position in out
    for g in re.finditer(r"\{[^{}]*\}", out):
        lit = out[opos:g.start()]
        if not text.startswith(lit, pos) and lit.endswith(" %") and text.startswith(lit[:-2] + "% ", pos):
            pass  # the engine writes "30% word" as "30 %{group}" (a "%" before a replaced word)
        else:
            assert text.startswith(lit, pos), (path, lit[:40])
        pos += len(lit)
        # At a sentence start the engine writes the alternatives with a capital.
        cands = groups.get(g.group(0)) or groups.get(g.group(0).lower(), ())
        item = None
        for c in sorted(cands, key=len, reverse=True):
            if text[pos:pos + len(c)].lower() == c:
                item = text[pos:pos + len(c)]
                break
        assert item is not None, (path, g.group(0), text[pos:pos + 30])
        alts = [a for a in g.group(0)[1:-1].split("|") if a.lower() != item.lower()]
        found.append((pos, item, alts))
        pos += len(item)
        opos = g.end()
    return text, words, found


def recase(alt, original):
    if original.isupper() and len(original) > 1:
        return alt.upper()
    if original[:1].isupper():
        return alt[:1].upper() + alt[1:]
    return alt


def main():
    ap = argparse.ArgumentParser(prog="rewrite-eval")
    ap.add_argument("corpus")
    ap.add_argument("rules", nargs="?", default=os.path.join(ROOT, "data", "rwdb.txt"))
    ap.add_argument("--cli", default=os.environ.get("QUORVALE_CLI", os.path.join(ROOT, "build", "app", "quorvale-cli")))
    ap.add_argument("--sample", default="rewrite-sample.txt")
    ap.add_argument("--sample-size", type=int, default=120)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--skip-names", action="store_true")
    ap.add_argument("--top", type=int, default=0)
    a = ap.parse_args()
    if not os.access(a.cli, os.X_OK):
        sys.exit(f"rewrite-eval: {a.cli} is missing; build quorvale-cli first or pass --cli")
    groups = group_items(read_rules(a.rules))
    files = sorted(f for f in os.listdir(a.corpus) if f.endswith(".txt"))
    total_words = changed = multi = protected = capitals = 0
    pairs = []
    freq = collections.Counter()
    alts_of = {}
    for name in list(files):
        with open(os.path.join(a.corpus, name), encoding="utf-8") as f:
            if "{" in f.read():
                print(f"skipped {name}: it holds braces, which Quorvale reads as spintax", file=sys.stderr)
                files.remove(name)
                continue
        text, words, found = analyse(os.path.join(a.corpus, name), a.rules, a.cli, groups)
        total_words += words
        for pos, item, alts in found:
            if not alts:
                protected += 1
                continue
            cap = mid_sentence_capital(text, pos, item)
            capitals += cap
            if cap and a.skip_names:
                continue
            changed += 1
            multi += len(alts) >= 2
            freq[item.lower()] += 1
            alts_of[item.lower()] = alts
            s, e = sentence_at(text, pos, pos + len(item))
            pairs.append((name, text[s:pos], item, text[pos + len(item):e], alts))
    print(f"texts: {len(files)}, words: {total_words}")
    print(f"words really changed: {changed} ({100.0 * changed / max(total_words, 1):.2f} % of words)")
    print(f"groups with two or more alternatives: {multi} ({100.0 * multi / max(changed, 1):.1f} % of changed words)")
    print(f"protected (unchanged) matches: {protected}")
    print(f"changed words with a capital in mid-sentence: {capitals}" + (" (left out)" if a.skip_names else ""))
    print(f"distinct changed words: {len(freq)}")
    for w, n in freq.most_common(a.top):
        print(f"  {n:4d} {w} -> {'|'.join(alts_of[w])}")
    rnd = random.Random(a.seed)
    sample = rnd.sample(pairs, min(a.sample_size, len(pairs)))
    with open(a.sample, "w", encoding="utf-8") as f:
        for i, (name, left, item, right, alts) in enumerate(sample, 1):
            alt = recase(rnd.choice(alts), item)
            f.write(f"{i}. [{name}] {left.lstrip()}[{item} => {alt}]{right.rstrip()}\n")
            f.write(f"   {item} => {alt}\n\n")
    print(f"sample of {len(sample)} pairs (seed {a.seed}) written to {a.sample}")


main()
