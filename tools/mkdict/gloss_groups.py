"""The glosses of a headword the hand table does not cover: EDICT's ranked
candidates (mkgloss.GlossIndex), with FreeDict as agreement evidence and as
a second source of candidates, no offensive word, grouped by the part of
speech the English word is used as.

FreeDict (freedict.py) translates English into Japanese from Wiktionary. It
is often right where EDICT read backwards is not (hungry → 腹が減る, child →
子, especially → 特に) and often wrong where EDICT is right (station → 基地,
library → 双書, Chinese words such as 忽略), so it never stands alone:

- an EDICT candidate FreeDict also gives for the word (in any of the
  entry's spellings) gains AGREE;
- a FreeDict translation EDICT knows as a Japanese word (one of its
  spellings) but does not give for the headword joins the candidates, scored
  by how common EDICT and the language model find it, less SECOND.
"""

import collections

from edict import to_hiragana
from mkgloss import (CLOSE, FLOOR, KATAKANA, MAX_GLOSSES, WEIGHTS, Candidate, choose,
                     display_form, encodable, number_glosses, ordinal)

# The weights of the second source, chosen on the tuning list only (a grid
# of AGREE 0.5-2.5 and SECOND 1.5-5: the tuning list's first glosses went
# from 86% to 91% right in 基本 and 中学, from 69% to 72% in 一般).
AGREE = 2.5
SECOND = 3.0
# A group other than the first must come this close to the best gloss.
OTHER_GROUP = 5.0
MAX_GROUPS = 3
LABEL_OF_CLASS = {"noun": "名", "verb": "動", "adj": "形", "adv": "副"}
# EDICT's parts of speech that name an English word class of their own.
LABEL_OF_EDICT_POS = {"int": "間", "conj": "接", "pn": "代", "prt": "助"}


def fold(text):
    """A gloss compared across the sources: hiragana, a final な, の, に or
    する left out."""
    text = to_hiragana(text)
    for tail in ("する", "な", "の", "に"):
        if text.endswith(tail) and len(text) > len(tail):
            return text[:-len(tail)]
    return text


class SecondSource:
    """FreeDict's translations of each English word, folded, with the
    EDICT entries each translation is a spelling of."""

    def __init__(self, freedict, entries):
        self.senses = freedict
        self.entries_of = collections.defaultdict(list)
        for entry in entries:
            for kanji, reading, _, _ in entry.spellings:
                for spelling in {kanji, reading} - {None}:
                    self.entries_of[fold(spelling)].append(entry)

    def translations(self, word):
        """[(folded translation, is the first of its sense, label)] of WORD
        (as spelled, else in lower case)."""
        senses = self.senses.get(word) or self.senses.get(word.lower()) or []
        return [(fold(t), i == 0, s.label) for s in senses for i, t in enumerate(s.translations)]

    def raw(self, word):
        senses = self.senses.get(word) or self.senses.get(word.lower()) or []
        return [(t, i == 0, s.label) for s in senses for i, t in enumerate(s.translations)]


def entry_folds(entry):
    return {fold(s) for k, r, _, _ in entry.spellings for s in (k, r) if s}


def ranked(index, second, word, offensive):
    """WORD's candidates, best first, with the second source's evidence and
    candidates, offensive ones left out."""
    cands = [c for c in index.candidates(word) if encodable(c.text)]
    if second is not None:
        every = {t for t, _, _ in second.translations(word)}
        for c in cands:
            if (entry_folds(c.entry) | {fold(c.text)}) & every:
                c.score += AGREE
        have = {fold(c.text) for c in cands}
        for text, is_first, _ in second.raw(word):
            key = fold(text)
            if key in have:
                continue
            entries = [e for e in second.entries_of.get(key, [])
                       if not any(t in e.senses[0].tags for t in ("arch", "obs", "derog", "vulg"))]
            if not entries:
                continue  # not a Japanese word EDICT knows (忽略)
            entry = max(entries, key=lambda e: (e.common, index.corpus_commonness(e) or 0.0))
            form = display_form(entry, entry.senses[0], index.common_kanji,
                                lambda s: index.spelling_commonness(entry, s) or 0.0)
            if fold(form) != key and fold(text) == key and not KATAKANA.match(text):
                form = text if encodable(text) else form
            corpus = index.corpus_commonness(entry)
            score = (WEIGHTS["common"] * entry.common + WEIGHTS["first_gloss"] * is_first +
                     WEIGHTS["corpus"] * (corpus or 0.0) +
                     (WEIGHTS["corpus_unknown"] if corpus is None else 0.0) +
                     (WEIGHTS["loanword"] if KATAKANA.match(form) else 0.0) - SECOND)
            have.add(key)
            cands.append(Candidate(form, score, entry, entry.spellings[0][1], entry.senses[0]))
    cands = [c for c in cands if encodable(c.text) and not offensive.matches(c.text)]
    return sorted(cands, key=lambda c: (-c.score, len(c.text), c.text))


def label_of(index, second, word, c):
    """The part of speech CANDIDATE translates WORD as, "" if unknown."""
    pos = c.sense.pos
    for p, label in LABEL_OF_EDICT_POS.items():
        if p in pos and not pos & {"n", "v1", "adj-i", "adj-na", "adv"}:
            return label
    if c.text.endswith("する") and not any(p.startswith("v") and not p.startswith("vs")
                                          for p in pos):
        classes = {"verb"}
    else:
        from gloss_signals import sense_classes
        classes = sense_classes(c.sense)
    kinds = index.lemma_kinds.get(word.lower(), set()) if index.lemma_kinds else set()
    if kinds and classes & kinds:
        classes = classes & kinds
    if len(classes) > 1:
        counts = index.pos_counts.get(word.lower(), {})
        classes = {max(sorted(classes), key=lambda k: counts.get(k, 0))}
    if not classes and second is not None:
        labels = {label for t, _, label in second.translations(word) if t == fold(c.text)}
        return min(labels) if len(labels) == 1 else ""
    return LABEL_OF_CLASS.get(min(classes), "") if classes else ""


def grouped(index, second, word, offensive):
    """[(label, [gloss, ...]), ...] to ship for WORD: the best gloss's group
    first with the close glosses of its part of speech, then up to two more
    parts of speech the word is used as, each its best glosses; number
    words by rule; [] when nothing is good enough."""
    if "-" in word and number_glosses(word):
        return [("", number_glosses(word))]
    cands = ranked(index, second, word, offensive)
    chosen = choose(cands)
    if ordinal([word]) is not None:
        texts = number_glosses(word) + [c.text for c in chosen if not KATAKANA.match(c.text)]
        return [("", list(dict.fromkeys(texts))[:MAX_GLOSSES])]
    if not chosen:
        numbers = number_glosses(word)
        return [("", numbers)] if numbers else []
    top = chosen[0].score
    head_label = label_of(index, second, word, chosen[0])
    groups = collections.OrderedDict([(head_label, [])])
    for c in chosen:
        if label_of(index, second, word, c) == head_label:
            groups[head_label].append(c.text)
    for c in cands:
        if c.score < max(FLOOR, top - OTHER_GROUP):
            break
        label = label_of(index, second, word, c)
        if not label or label == head_label:
            continue
        if label not in groups:
            if len(groups) >= MAX_GROUPS:
                continue
            groups[label] = []
        texts = groups[label]
        if len(texts) < MAX_GLOSSES and c.text not in texts and \
                (not texts or c.score >= top - OTHER_GROUP + CLOSE / 2):
            texts.append(c.text)
    return [(label, texts[:MAX_GLOSSES]) for label, texts in groups.items() if texts]
