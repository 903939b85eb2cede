# SPDX-License-Identifier: GPL-3.0-or-later
"""Reading WordNet 3.0 as installed by Debian's wordnet-base
(/usr/share/wordnet): lemmas, synsets in order of frequency, tag counts and
the exception lists of irregular forms."""
import collections
import os

WN = "/usr/share/wordnet"
POS = {"n": "noun", "v": "verb", "a": "adj", "r": "adv"}


class WordNet:
    def __init__(self, path=WN):
        self.path = path
        self.index = {}  # (lemma, pos) -> (synset offsets, tagsense count)
        for p, name in POS.items():
            with open(os.path.join(path, "index." + name), encoding="latin-1") as f:
                for line in f:
                    if line.startswith(" "):
                        continue
                    t = line.split()
                    lemma, n_syn, n_ptr = t[0], int(t[2]), int(t[3])
                    rest = t[4 + n_ptr:]
                    tagged = int(rest[1])
                    offs = rest[2:2 + n_syn]
                    self.index[(lemma, p)] = (offs, tagged)
        self.counts = {}  # sense key -> tag count
        with open(os.path.join(path, "cntlist.rev")) as f:
            for line in f:
                key, _num, cnt = line.split()
                short = ":".join(key.split(":")[:3])
                self.counts[short] = self.counts.get(short, 0) + int(cnt)
        self.exc = collections.defaultdict(list)  # (form, pos) -> bases
        self.exc_rev = collections.defaultdict(list)  # (base, pos) -> forms
        for p, name in POS.items():
            with open(os.path.join(path, name + ".exc")) as f:
                for line in f:
                    t = line.split()
                    for base in t[1:]:
                        self.exc[(t[0], p)].append(base)
                        self.exc_rev[(base, p)].append(t[0])
        self._synsets = {}

    def synset(self, pos, off):
        """(lemmas, gloss, [(lemma, lex_id)]) of the synset at offset off."""
        key = (pos, off)
        if key not in self._synsets:
            name = POS[pos]
            with open(os.path.join(self.path, "data." + name), encoding="latin-1") as f:
                f.seek(int(off))
                line = f.readline()
            head, _, gloss = line.partition(" | ")
            t = head.split()
            n = int(t[3], 16)
            words = [(t[4 + 2 * i], int(t[5 + 2 * i], 16)) for i in range(n)]
            lex_filenum = int(t[1])
            ss_type = t[2]
            self._synsets[key] = (words, gloss.strip(), lex_filenum, ss_type)
        return self._synsets[key]

    def sense_count(self, lemma, pos, off):
        words, _g, lexfile, ss_type = self.synset(pos, off)
        ss_num = {"n": 1, "v": 2, "a": 3, "s": 5, "r": 4}[ss_type]
        for w, lex_id in words:
            if w.lower() == lemma:
                return self.counts.get(f"{lemma}%{ss_num}:{lexfile:02d}:{lex_id:02d}", 0)
        return 0

    def senses(self, lemma, pos):
        """[(offset, synonyms, gloss, tag count)] most frequent first."""
        offs, _t = self.index.get((lemma, pos), ((), 0))
        out = []
        for off in offs:
            words, gloss, _lf, _st = self.synset(pos, off)
            syn = [w.split("(")[0].replace("_", " ") for w, _ in words]
            out.append((off, syn, gloss, self.sense_count(lemma, pos, off)))
        return out
