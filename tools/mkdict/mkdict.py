#!/usr/bin/env python3
"""Builds the conjugation dictionary and the four level lists as plain lines.

    mkdict.py --cache DIR --out DIR

Reads the Debian and npm word lists that tools/mkdict/build installed (see
data/SOURCES.md) and the hand-kept files beside this script, and writes
LxScoop.txt, LXBasics.txt, LXJunior.txt, LXToUnuvercity.txt and
LXGeneral.txt (one line each, LF) plus report files into --out. The same
inputs always give the same bytes.
"""

import argparse
import collections
import math
import os
import sys

import compounds
import inflect
import sources
from levels import LEVEL_FILES, LevelBuilder
from sources import sort_key

HERE = os.path.dirname(os.path.abspath(__file__))

# How many headwords of one word the dictionary holds (hyphenated ones come
# on top).
DICTIONARY_SIZE = 36000

# Form kinds and the tag classes that stand for them.
KIND_CLASSES = {
    "pl": ("NNS",), "3sg": ("VBZ",), "ing": ("VBG",), "past": ("VBD", "VBN"),
    "cmp": ("CMP",), "sup": ("SUP",), "rcmp": ("RCMP",), "rsup": ("RSUP",),
    "arch": ("VBZ",), "base": ("BASE",),
}
KIND_ORDER = ("pl", "3sg", "ing", "past", "cmp", "sup", "rcmp", "rsup", "arch")
CLASS_KIND = {"NNS": "pl", "VBZ": "3sg", "VBG": "ing", "VBD": "past", "VBN": "past",
              "CMP": "cmp", "SUP": "sup", "RCMP": "rcmp", "RSUP": "rsup"}


class Lexicon:
    """All sources, loaded once."""

    def __init__(self, cache):
        modules = os.path.join(cache, "npm", "node_modules")
        self.scowl = sources.Scowl()
        self.subtlex = sources.Subtlex(modules)
        self.brown = sources.Brown(modules)
        self.brill = sources.read_brill(os.path.join(cache, "brill.txt"))
        self.wordnet = sources.WordNet()
        self.dale_chall = set(sources.read_word_list(os.path.join(cache, "dale-chall.txt")))
        self.spache = set(sources.read_word_list(os.path.join(cache, "spache.txt")))
        self._freq = {}

    def freq(self, word):
        """Blended frequency per million words of one lower-case spelling:
        a weighted geometric mean of spoken (SUBTLEX) and written (Brown)
        English, each smoothed so that absence in one corpus is not fatal."""
        f = self._freq.get(word)
        if f is None:
            fs = self.subtlex.count.get(word, 0) * 1e6 / self.subtlex.total
            fb = self.brown.count.get(word, 0) * 1e6 / self.brown.total
            f = math.exp(0.55 * math.log(fs + 0.05) + 0.45 * math.log(fb + 0.5))
            self._freq[word] = f
        return f

    def classes(self, word):
        """Share of each tag class among the uses of a lower-case spelling:
        Brown counts when Brown has the word three times or more, otherwise
        the Brill lexicon's tag order (first tag most frequent)."""
        counts = self.brown.classes.get(word)
        total = sum(counts.values()) if counts else 0
        if total >= 3:
            return {c: n / total for c, n in counts.items()}
        tags = self.brill.get(word)
        if tags:
            weights = [1.0 / (i + 1) for i in range(len(tags))]
            s = sum(weights)
            return {c: w / s for c, w in zip(tags, weights)}
        return {}

    def raw_freq(self, word):
        """Unsmoothed blended frequency per million words (0 when unseen)."""
        fs = self.subtlex.count.get(word, 0) * 1e6 / self.subtlex.total
        fb = self.brown.count.get(word, 0) * 1e6 / self.brown.total
        return 0.55 * fs + 0.45 * fb

    def known(self, word, size=70):
        """An attested lower-case spelling: SCOWL up to `size`, or seen in
        Brown in lower case at least twice."""
        level = self.scowl.level(word)
        return (level is not None and level <= size) or self.brown.lowercase.get(word, 0) >= 2


def read_hand(name):
    return sources.read_hand_file(os.path.join(HERE, name))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cache", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)

    lex = Lexicon(args.cache)
    builder = DictionaryBuilder(lex)
    builder.run()
    builder.write(args.out)
    level_builder = LevelBuilder(lex, builder)
    levels = level_builder.run()
    for name, words in zip(LEVEL_FILES, levels):
        write_lines(os.path.join(args.out, name + ".txt"), words)
    report = builder.report + level_builder.report + \
        [f"level {n}: {len(w)}" for n, w in zip(LEVEL_FILES, levels)]
    write_lines(os.path.join(args.out, "report.txt"), report)
    print("\n".join(report))


def write_lines(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        for line in lines:
            f.write(line + "\n")


# ---------------------------------------------------------------------------
# The dictionary


class DictionaryBuilder:
    def __init__(self, lex):
        self.lex = lex
        self.headwords = {}          # lower-case key -> headword as written
        self.pos = collections.defaultdict(set)
        self.forms = collections.defaultdict(dict)   # key -> {spelling: set(kinds)}
        self.irregular = collections.defaultdict(set)  # key -> spellings from tables
        self.fixed = set()           # keys always kept (hand-kept, function words)
        self.hand_forms = set()      # keys whose spellings are all hand-kept
        self.report = []
        self.order = []              # final line order, keys
        self.items = {}              # key -> list of spellings on its line
        self.winner = {}             # spelling -> key of the chosen headword
        self.proper = {}             # key -> group of a hand-kept proper noun
        self.excluded = {row[0].lower() for row in read_hand("exclude.txt")}
        self.learner_errors = {w.lower() for row in read_hand("learner_errors.txt") for w in row}
        self.not_forms = {(row[0].lower(), row[1].lower()) for row in read_hand("not_forms.txt")}
        self.guarded = []            # guard-list spellings the rules would have made
        self.regular_decisions = []

    # -- candidates ---------------------------------------------------------

    def add_headword(self, word, pos=()):
        key = word.lower()
        if key not in self.headwords:
            self.headwords[key] = word
        self.pos[key].update(pos)
        return key

    def proper_nouns(self):
        rows = read_hand("proper_nouns.txt")
        lex = self.lex
        for row in rows:
            group, word, forms = row[0], row[1], row[2:]
            lower = word.lower()
            level = lex.scowl.level(lower)
            if level is not None and level <= 35 and lex.brown.lowercase.get(lower, 0) >= 5:
                word = lower   # "march", "may", "polish": the common word's line serves both
            key = self.add_headword(word, ("n",))
            self.proper[key] = group
            self.fixed.add(key)
            for form in forms:
                self.add_form(key, form, "pl", irregular=True)

    def candidates(self):
        lex = self.lex
        excluded = self.excluded
        hand = read_hand("extra_words.txt")
        hand_forms = {f.lower() for row in hand for f in row[1:]}
        for row in hand:
            word, forms = row[0], row[1:]
            key = self.add_headword(word, ("f",))
            self.fixed.add(key)
            if forms:
                self.hand_forms.add(key)
            for form in forms:
                self.add_form(key, form, self.hand_kind(form), irregular=True)
        for lemma, pos in sorted(lex.wordnet.pos.items()):
            if lemma in hand_forms and len(lemma) <= 4:
                continue   # "an", "is", "does": forms of a hand-kept headword
            if lemma in self.headwords:
                self.pos[lemma].update(pos)
                continue
            if lemma in excluded:
                continue
            if not self.common_enough(lemma):
                continue
            self.add_headword(lemma, pos)

    def hand_kind(self, form):
        """The kind of a hand-kept spelling: that of its most frequent
        inflection class in tagged text, else by its ending."""
        shares = self.lex.classes(form.lower())
        inflected = [(shares[c], c) for c in CLASS_KIND if shares.get(c)]
        if inflected:
            return CLASS_KIND[max(inflected)[1]]
        if form.endswith("ing"):
            return "ing"
        return "3sg" if form.endswith(("s", "th")) else "past"

    def common_enough(self, lemma):
        """A lower-case WordNet lemma worth a line: attested in lower case
        and either in SCOWL's common sizes or seen in the corpora."""
        lex = self.lex
        level = lex.scowl.level(lemma)
        if level is None:
            return False
        if len(lemma) == 1 and lemma not in ("a", "i"):
            return False
        if lemma in lex.subtlex.capital and lex.brown.lowercase.get(lemma, 0) == 0 and level > 20:
            return False   # a name that only happens to be a lemma too
        if level <= 50:
            return True
        return level <= 70 and (lex.subtlex.count.get(lemma, 0) >= 3
                                or lex.brown.lowercase.get(lemma, 0) > 0)

    # -- forms --------------------------------------------------------------

    def add_form(self, key, spelling, kind, irregular=False):
        if spelling.lower() == key or (key, spelling.lower()) in self.not_forms:
            return
        if spelling.lower() in self.learner_errors:
            self.guarded.append(f"{spelling}({key})")
            return
        self.forms[key].setdefault(spelling, set()).add(kind)
        if irregular:
            self.irregular[key].add(spelling)

    def irregular_forms(self):
        lex = self.lex
        kinds = {"n": "pl", "v": "past", "a": "cmp", "r": "rcmp"}
        for pos, table in lex.wordnet.exceptions.items():
            for form, bases in sorted(table.items()):
                if not lex.known(form, 80) or form in self.excluded:
                    continue
                for base in bases:
                    if base not in self.headwords or pos not in self.pos[base]:
                        continue
                    kind = kinds[pos]
                    if pos == "v" and form.endswith("ing"):
                        kind = "ing"
                    elif pos == "v" and form.endswith("s") and not form.endswith("ss"):
                        kind = "3sg"
                    elif pos in "ar" and form.endswith("st"):
                        kind = "sup" if pos == "a" else "rsup"
                    if (form in lex.wordnet.pos or form in self.headwords) and \
                            sum(lex.classes(form).get(c, 0) for c in KIND_CLASSES[kind]) < 0.01 \
                            and not (pos == "v" and lex.classes(form).get("VBN", 0) > 0):
                        continue   # "dive" as a plural of "diva"
                    self.add_form(base, form, kind, irregular=True)

    def hand_irregular_forms(self):
        for row in read_hand("irregular.txt"):
            key = self.add_headword(row[0])
            self.fixed.add(key)
            for form in row[1:]:
                self.add_form(key, form, self.hand_kind(form), irregular=True)

    def regular_forms(self):
        lex = self.lex
        for key, word in sorted(self.headwords.items()):
            pos = self.pos[key]
            if key in self.hand_forms:
                continue   # the hand-kept spellings are the whole set
            if key in self.proper and word[0].isupper():
                continue   # "Japanese", "English": no "Japaneses", "Englisher"
            irregular_kinds = {k for f, ks in self.forms[key].items()
                               if f in self.irregular[key] for k in ks}
            rules = []
            if "n" in pos:
                rules.append(("pl", inflect.plural))
            if "v" in pos:
                rules += [("3sg", inflect.plural), ("ing", inflect.present_participle),
                          ("past", inflect.past)]
            if "a" in pos and inflect.syllables(key) <= 2:
                rules += [("cmp", inflect.comparative), ("sup", inflect.superlative)]
            elif "r" in pos and inflect.syllables(key) == 1:
                rules += [("rcmp", inflect.comparative), ("rsup", inflect.superlative)]
            if "v" in pos:
                rules += [("arch", inflect.archaic)]
            accepted = set()
            for kind, rule in rules:
                graded = {"sup": "cmp", "rsup": "rcmp"}.get(kind)
                if graded and graded not in accepted and graded not in irregular_kinds:
                    continue   # "livest" without "liver": not a graded adjective
                for i, spelling in enumerate(rule(word)):
                    size = 70 if i == 0 else 60
                    if kind == "arch":
                        size = 95   # older English: "cometh", "knowest"
                    if kind in ("cmp", "sup") and inflect.syllables(key) > 1 and not key.endswith("y"):
                        size = 50   # "humaner": longer adjectives rarely grade with -er
                    if kind in irregular_kinds and not self.regular_in_use(key, spelling, kind):
                        continue
                    if self.accept_regular(key, spelling, kind, kind in irregular_kinds, size):
                        self.add_form(key, spelling, kind)
                        accepted.add(kind)

    def regular_in_use(self, key, spelling, kind):
        """A rule-made spelling beside an irregular one of the same kind
        ("throwed" beside "threw", "payed" beside "paid") is a learner's
        error unless written English uses it as well ("learned", "showed",
        "dreamed"): it is kept only when it is at least a twentieth as
        frequent as the irregular spelling."""
        lex = self.lex
        s = spelling.lower()
        rivals = [f for f in self.irregular[key] if kind in self.forms[key].get(f, ())]
        top = max((lex.raw_freq(f.lower()) for f in rivals), default=0.0)
        mine = lex.raw_freq(s)
        keep = mine >= 0.05 * top and mine >= 0.02
        self.regular_decisions.append(f"{s}:{'kept' if keep else 'dropped'}")
        return keep

    def accept_regular(self, key, spelling, kind, has_irregular, size):
        """A rule-made spelling is kept only when a word list attests it and,
        if it is also a word of its own or the base has an irregular form of
        this kind, when tagged text shows it used as this form."""
        lex = self.lex
        s = spelling.lower()
        if s in self.excluded:
            return False
        if (key, s) in self.not_forms:
            return False
        if self.headwords[key][0].isupper():
            return s in lex.scowl.upper or spelling in lex.scowl.upper
        if not lex.known(s, size):
            return False
        own_word = s in lex.wordnet.pos or s in self.headwords
        if not own_word:
            return True
        share = sum(lex.classes(s).get(c, 0) for c in KIND_CLASSES[kind])
        return share >= (0.2 if has_irregular else 0.05)

    # -- readings -------------------------------------------------------------

    def readings(self):
        """spelling -> {key: kinds}: every headword a spelling can stand for."""
        table = collections.defaultdict(dict)
        for key in self.headwords:
            table[key].setdefault(key, set()).add("base")
            for spelling, kinds in self.forms[key].items():
                table[spelling.lower()].setdefault(key, set()).update(kinds)
        return table

    def weigh(self, spelling, candidates):
        """Likelihood of each reading of a spelling: the share of its tag
        class in tagged text, split between the headwords that compete for the
        same class by their own frequency."""
        lex = self.lex
        shares = lex.classes(spelling)
        by_class = collections.defaultdict(list)
        for key, kinds in candidates.items():
            for kind in kinds:
                for cls in KIND_CLASSES.get(kind, ()):
                    by_class[cls].append(key)
        weights = collections.Counter()
        for cls, keys in by_class.items():
            mass = shares.get(cls, 0.0) + 1e-3
            base = {k: lex.freq(k) + 1e-6 for k in set(keys)}
            total = sum(base.values())
            for k in set(keys):
                weights[k] += mass * base[k] / total
        override = self.overrides.get(spelling)
        if override in candidates:
            weights[override] += 1000.0
        return weights

    def choose(self):
        self.overrides = {row[0].lower(): row[1].lower() for row in read_hand("readings.txt")}
        table = self.readings()
        winner = {}
        weights_of = {}
        for spelling, candidates in table.items():
            weights = self.weigh(spelling, candidates)
            weights_of[spelling] = weights
            winner[spelling] = max(sorted(candidates), key=lambda k: weights[k])
        return table, winner, weights_of

    def lemma_frequency(self, table, weights_of):
        """Frequency of each headword: every spelling's frequency shared out
        among its readings by their likelihood."""
        lex = self.lex
        f = collections.Counter()
        for spelling, candidates in table.items():
            weights = weights_of[spelling]
            total = sum(weights[k] for k in candidates)
            for k in candidates:
                f[k] += lex.freq(spelling) * weights[k] / total
        return f

    # -- selection and shaping ----------------------------------------------

    def select(self):
        table, winner, weights_of = self.choose()
        freq = self.lemma_frequency(table, weights_of)
        lex = self.lex

        def rank_key(k):
            level = lex.scowl.level(k) or 99
            return (-freq[k] * (1.0 if level <= 60 else 0.5), k)
        ranked = sorted(self.headwords, key=rank_key)
        keep = set(self.fixed)
        for k in ranked:
            if len(keep) >= DICTIONARY_SIZE:
                break
            keep.add(k)
        for k in list(self.headwords):
            if k not in keep:
                del self.headwords[k]
                self.forms.pop(k, None)
        self.lemma_freq = freq

    def shape(self):
        """Puts every spelling on the line of its most likely headword only,
        then settles spellings that are a headword of their own as well."""
        table, winner, weights_of = self.choose()
        self.table = table
        self.lemma_freq = self.lemma_frequency(table, weights_of)
        # A rule-made spelling stays on the line of its most likely headword
        # only ("is" not under "I", "uses" not under "us"); an irregular one
        # stays under every headword it belongs to ("bit" under "bite"), and
        # so does one whose most likely reading is a headword of its own
        # ("recycling" under "recycle" beside the noun "recycling"). The
        # program's headword rule, with the levels, decides which headword a
        # spelling counts for (levels.py).
        items = {k: set(self.forms[k]) for k in self.headwords}
        for spelling, candidates in table.items():
            best = winner[spelling]
            if best == spelling:
                continue
            for k in candidates:
                if k != best:
                    for form in [f for f in items[k] if f.lower() == spelling]:
                        if form not in self.irregular[k]:
                            items[k].discard(form)
        self.items = {k: sorted(v, key=lambda f: (self.kind_rank(k, f), f)) for k, v in items.items()}
        self.winner = winner
        self.order = sorted(self.headwords, key=sort_key)
        self.report.append(f"learner errors the rules would have made ({len(self.guarded)}): "
                           + " ".join(sorted(self.guarded)))
        self.report.append("regular forms beside irregular ones: " + " ".join(sorted(self.regular_decisions)))
        self.report.append(f"headwords: {len(self.headwords)}")
        self.report.append(f"spellings: {sum(len(v) for v in self.items.values())}")

    def kind_rank(self, key, form):
        kinds = self.forms[key].get(form, {"x"})
        return min(KIND_ORDER.index(k) if k in KIND_ORDER else len(KIND_ORDER) for k in kinds)

    def common_words(self):
        """Frequent words that no headword or form covers yet (mostly
        function words WordNet leaves out: "for", "something", "whether")
        become headwords of their own."""
        lex = self.lex
        covered = set(self.headwords)
        for forms in self.forms.values():
            covered.update(f.lower() for f in forms)
        added = []
        for word in sorted(set(lex.brown.lowercase) | set(lex.subtlex.count)):
            if word in covered or word in self.excluded or not word.isalpha():
                continue
            level = lex.scowl.level(word)
            if level is None or level > 50 or (len(word) == 1 and word not in ("a", "i")):
                continue
            if word in lex.subtlex.capital and lex.brown.lowercase.get(word, 0) < 5:
                continue   # a name: "Peter", "Tom"
            if lex.brown.lowercase.get(word, 0) >= 5 or lex.subtlex.count.get(word, 0) >= 500:
                if any(word.endswith(e) and word[:-len(e)] in covered for e in ("s", "es", "ed", "d", "ing")):
                    continue
                self.fixed.add(self.add_headword(word, ("f",)))
                added.append(word)
        self.report.append(f"common words added ({len(added)}): {' '.join(added)}")

    def run(self):
        self.proper_nouns()
        self.candidates()
        self.irregular_forms()
        self.hand_irregular_forms()
        self.regular_forms()
        self.common_words()
        self.select()
        self.compound_kinds = compounds.add_compounds(self)
        self.shape()

    def write(self, out):
        lines = [self.headwords[k] + "\t" + ",".join(encode_item(self.headwords[k], f)
                                                     for f in self.items[k])
                 for k in self.order]
        write_lines(os.path.join(out, "LxScoop.txt"), lines)
        # Every spelling that more than one headword could stand for, with
        # the kinds of form it is of each, before the shaping: the measure
        # script's list of ambiguous spellings.
        with open(os.path.join(out, "ambiguous.tsv"), "w", encoding="ascii", newline="\n") as f:
            for spelling, candidates in sorted(self.table.items()):
                kept = {k: v for k, v in candidates.items() if k in self.headwords}
                if len(kept) > 1:
                    f.write(spelling + "\t" + " ".join(
                        f"{self.headwords[k]}:{'/'.join(sorted(v))}" for k, v in sorted(kept.items()))
                        + "\n")
        with open(os.path.join(out, "readings.tsv"), "w", encoding="ascii", newline="\n") as f:
            for spelling in sorted(self.winner):
                f.write(f"{spelling}\t{self.headwords[self.winner[spelling]]}\n")


def encode_item(headword, spelling):
    """The inflection item of one spelling: the rest after the headword, or
    the strip count and the rest after the longest common prefix."""
    if spelling.startswith(headword):
        return spelling[len(headword):]
    n = 0
    while n < min(len(headword), len(spelling)) and headword[n] == spelling[n]:
        n += 1
    return str(len(headword) - n) + spelling[n:]


if __name__ == "__main__":
    sys.exit(main())
