#!/usr/bin/env python3
"""Derives the Japanese glosses (訳語) of the dictionary's headwords from
EDICT, a Japanese-to-English dictionary, and writes them as plain lines.

    mkgloss.py --dictionary LxScoop.txt --kkc-ids VOCABULARY --out LxGloss.txt
               [--edict FILE] [--kanjidic FILE] [--kkc FOLDER] [--explain WORD ...]

Output: one line per headword that has a good enough gloss, in the order of
the dictionary, «headword TAB gloss; gloss» in CP932, LF line ends. The same
inputs always give the same bytes.

How a gloss is chosen. EDICT is read the other way round: every sense of
every entry lists English glosses, and an English headword collects the
senses where one gloss is exactly that word (a verb as «to X»; notes in
parentheses are left out). Each such sense scores by what marks a common,
central translation:

- the entry's priority mark (P), which EDICT gives its common words;
- the sense's position in the entry (the first sense is the central one,
  the first gloss of the first sense the word's own meaning) and the
  gloss's position in the sense;
- how few glosses the sense has (a sense with one or two glosses names the
  word's meaning; one with ten is a loose cloud of near-synonyms);
- what the sense and the entry are: particles, suffixes, counters and the
  like translate grammar, not words; archaic, obscure, slang, dialect and
  specialist senses are not the everyday translation; old or irregular
  spellings are not the spelling to show;
- how common the Japanese word is in running text (the unigram costs of
  libkkc's language model), and whether the sense's part of speech is one
  the English word is mostly used as (WordNet's tagged sense counts);
- agreement: an entry whose other senses or glosses also point back to the
  headword's meaning, and several entries of one reading, raise it.

Each signal is a feature with a weight (WEIGHTS). The weights were fitted on
a hand-written tuning list (gloss_dev.txt: which glosses a teacher accepts)
by maximising the likelihood that the accepted candidates come first; the
evaluation list (gloss_eval.txt) was kept out of the fit so that it measures
the ranking fairly.

A verb is also translated by a noun used with する: where WordNet derives a
noun from the verb and EDICT glosses that noun on a する-noun's sense
(explain → explanation → 説明する), the する form joins the candidates, at
a cost of its own. An adverb in -ly also takes the glosses of
the adjective WordNet says it is made from, made adverbs (easily → easy →
容易に), unless WordNet knows the word as an adjective itself (likely). A
headword no entry glosses as it stands borrows the glosses of a near
spelling: its plural or «to be X». An adjective of relation that EDICT
glosses only with a loanword, or not at all, takes the noun it pertains to
with の (lunar → moon → 月の).

EDICT writes one line per spelling of an entry; lines with the same senses
are one entry, shown in its preferred spelling: kana when the sense is
usually written in kana (uk) or a kanji of the spelling is not among the
common-use kanji (KANJIDIC's grades 1-8), else the kanji.

The best entry is kept when it scores above a floor; up to two more follow
when they come close to it, shortest first among equals. A headword with no
entry above the floor gets no gloss rather than a doubtful one.
"""

import argparse
import collections
import math
import os
import re
import sys

from edict import (EDICT, HIRAGANA, KANJIDIC, is_subsequence, read_common_kanji,
                   read_edict, strip_notes, to_hiragana)
from gloss_forms import adjective_bases, adverb_of, plurals
from gloss_numbers import number_glosses, ordinal
from gloss_signals import (KKC_MODEL, WORDNET_COUNTS, WORDNET_DIR, read_derivations,
                           read_kkc_commonness, read_lemma_kinds, read_pos_shares,
                           sense_classes)

# Parts of speech that translate grammar rather than a word.
GRAMMAR_POS = {"prt", "suf", "pref", "ctr", "aux", "aux-v", "aux-adj", "cop", "cop-da",
               "n-suf", "n-pref", "unc"}
VERB_POS = re.compile(r"^(v[1-5][a-z-]*|vs-[a-z]|vz|vk|vn|vr)$")
# Sense and spelling markers with what they cost.
TAG_COST = {
    "arch": 4.0, "obs": 4.0, "obsc": 4.0, "rare": 2.5, "dated": 1.5, "hist": 2.0,
    "sl": 2.5, "m-sl": 3.0, "vulg": 3.0, "derog": 2.0, "X": 4.0, "joc": 2.0, "col": 1.5,
    "poet": 2.0, "sens": 1.0, "chn": 2.0, "fem": 0.5, "male": 0.5, "hon": 1.0, "hum": 1.0,
    "abbr": 1.5, "id": 1.5, "yoji": 1.5, "on-mim": 1.5, "euph": 1.0, "net-sl": 3.0,
}
# Specialist fields of a sense (EDICT writes them as short tags).
FIELD_TAGS = {
    "MA", "Buddh", "Shinto", "Christn", "baseb", "sumo", "comp", "math", "med", "ling",
    "food", "physics", "chem", "biol", "bot", "zool", "anat", "geol", "astron", "archit",
    "mil", "law", "econ", "bus", "finc", "sports", "shogi", "go", "mahj", "hanaf", "music",
    "engr", "elec", "mech", "geom", "gramm", "phil", "psych", "psy", "logic", "pharm",
    "physiol", "ornith", "ent", "stat", "telec", "print", "photo", "film", "tv", "vidg",
    "audvid", "agric", "cards", "ski", "golf", "tradem", "aviat", "boxing", "kabuki",
    "noh", "myth", "rail", "prof", "sumo", "genet", "min", "paleo", "surg", "dent",
}
# Prepositions a verb gloss may carry after the verb.
COMPLEMENTS = {"of", "to", "with", "on", "upon", "for", "from", "at", "in", "into", "about",
               "against"}
KATAKANA = re.compile(r"^[\u30a1-\u30ff\u30fc・]+$")
KANJI = re.compile(r"[\u3400-\u9fff\u3005\u3006]")

HERE = os.path.dirname(os.path.abspath(__file__))
# The first line of LxGloss.txt: the version of its gloss field (groups by
# part of speech, see hand_glosses.py).
VERSION_LINE = "#LxGloss 2"

# The score a gloss needs to be shipped, and how close the others must come.
FLOOR = -1.0
# What a word split into the language model's tokens loses per split.
COMPOUND = 0.5
# How much less common than a loanword a native word may be and still be
# its rival.
RIVAL = 0.5
# What a gloss borrowed from a near spelling costs.
BORROWED = 0.5
# What each signal of a candidate weighs (see GlossIndex.scored_forms). The
# last one is the cost a borrowed adverb had before; refitting the others on
# the grown tuning list moved its figures by no more than chance.
WEIGHTS = {
    "common": 4.15, "sense_position": -1.2, "gloss_position": -0.25, "sense_size": -0.2,
    "narrow": -0.7, "sense_cost": -2.15, "pos_cost": -0.95, "verb_mismatch": -1.0,
    "first_gloss": 1.9, "first_sense": 1.15, "more_senses": 2.2, "agreement": 0.3,
    "spellings": 0.2, "loanword": -0.2, "loanword_beside_native": -0.35, "kana_form": -1.55,
    "corpus": 0.95, "corpus_unknown": -0.65, "same_form": 0.55, "derived": -1.5,
    "from_adjective": -1.0,
}
CLOSE = 1.6
MAX_GLOSSES = 3
# Glosses this close count as equally good.
TIE = 0.05


def spelling_cost(spelling):
    kanji, reading, common, tags = spelling
    cost = 0.0 if common else 1.0
    if tags & {"ok", "oK", "io"}:
        cost += 4.0
    if tags & {"ik", "iK", "ateji", "gikun", "rK", "rk", "sK", "sk", "uK"}:
        cost += 2.0
    return cost


def display_form(entry, sense, common_kanji, commonness=lambda spelling: 0.0):
    """How the entry is shown: its preferred spelling (of the equally good
    ones, the one COMMONNESS finds most used: 赤い before 紅い), in kana when
    the sense is usually written in kana or the spelling has a rare kanji."""
    readings = {s[1] for s in entry.spellings}

    def shortened_by(reading):
        # Spellings of one word that drop sounds of another (けど, けれど of
        # けれども) are its shortened forms: the full form is shown.
        return sum(1 for r in readings if r != reading and is_subsequence(r, reading))

    def rare(spelling):
        return spelling[0] is not None and any(
            KANJI.match(ch) and ch not in common_kanji and ch not in "々〆" for ch in spelling[0])

    best = min(entry.spellings, key=lambda s: (spelling_cost(s), rare(s), -shortened_by(s[1]),
                                               -commonness(s), len(s[1]), s[0] or ""))
    kanji, reading = best[0], best[1]
    if kanji is None or "uk" in sense.tags or rare(best):
        return reading
    return kanji


def sense_cost(entry, index, sense):
    cost = 0.0
    for t in sense.tags:
        if t in TAG_COST:
            cost += TAG_COST[t]
        elif t.endswith(":"):
            cost += 3.0  # dialect
        elif t in FIELD_TAGS:
            cost += 1.0
    if sense.pos and sense.pos <= (GRAMMAR_POS | {"exp"}) and sense.pos & GRAMMAR_POS:
        cost += 3.0  # only grammar
    elif sense.first_pos in GRAMMAR_POS:
        cost += 1.5  # grammar first (a particle that can also join clauses)
    elif sense.pos & GRAMMAR_POS:
        cost += 0.5
    if "exp" in sense.pos and not sense.pos & {"n", "conj", "adv", "adj-na", "adj-i", "int"}:
        cost += 0.5
    return cost


class Candidate:
    """A gloss: its text and score, the entry it comes from, the entry's
    reading and the sense that names the English word."""
    __slots__ = ("text", "score", "entry", "reading", "sense")

    def __init__(self, text, score, entry, reading, sense):
        self.text, self.score, self.entry, self.reading = text, score, entry, reading
        self.sense = sense


class GlossIndex:
    """English gloss (notes stripped) → the senses it names."""

    def __init__(self, entries, common_kanji, pos_counts=None, verb_nouns=None, corpus=None,
                 lemma_kinds=None, adjective_nouns=None, adverb_adjectives=None):
        self.entries = entries
        self.lemma_kinds = lemma_kinds
        self.adverb_adjectives = adverb_adjectives or {}
        self.adjective_nouns = adjective_nouns or {}
        self.corpus = corpus or {}
        self.token_cache = {}
        self.verb_nouns = verb_nouns or {}
        self.pos_counts = pos_counts or {}
        self.common_kanji = common_kanji
        self.index = collections.defaultdict(list)
        for e_id, entry in enumerate(entries):
            for s_id, sense in enumerate(entry.senses):
                for g_id, gloss in enumerate(sense.glosses):
                    # Letter case counts: «A» (a grade) is not «a», «March»
                    # not «march».
                    text = strip_notes(gloss)
                    if not text:
                        continue
                    # A note narrows the gloss to one use; a long one to a
                    # use the bare word hardly names.
                    note = len(gloss) - len(text)
                    narrow = 0 if note <= 0 else 1 if note <= 20 else 2
                    verb = False
                    if text.startswith("to ") and len(text) > 3:
                        verb = True
                        text = text[3:]
                        # «to dispose of», «to allude to»: the verb with the
                        # preposition it takes names the verb, less surely.
                        words = text.split(" ")
                        if len(words) == 2 and words[1] in COMPLEMENTS:
                            self.index[words[0]].append((e_id, s_id, g_id, verb, narrow + 1))
                    self.index[text].append((e_id, s_id, g_id, verb, narrow))

    def candidates(self, word, weights=None):
        """Every entry that glosses WORD, best first, one per shown form.
        A word no entry glosses as it stands borrows the glosses of a near
        spelling, a little below their own score: a noun EDICT glosses in
        the plural (chopsticks), an adjective glossed as «to be X», an
        adjective of relation its noun with の."""
        found = self.direct_candidates(word, weights)
        if not found and "-" in word:
            # EDICT writes most compounds open or closed: «dining room».
            found = (self.direct_candidates(word.replace("-", " "), weights) or
                     self.direct_candidates(word.replace("-", ""), weights))
        lower = word.lower()
        if found and not (lower in self.adjective_nouns and
                          all(KATAKANA.match(c.text) for c in found)):
            return found
        borrowed = {c.text: c for c in found}

        def borrow(cands, cost, make=lambda c: c.text):
            for c in cands:
                form = make(c)
                if form and form not in borrowed:
                    borrowed[form] = Candidate(form, c.score - cost, c.entry, c.reading,
                                               c.sense)

        if not found:
            for plural in plurals(lower):
                borrow(self.direct_candidates(plural, weights), BORROWED)
            borrow(self.direct_candidates("be " + lower, weights), BORROWED)
        if all(KATAKANA.match(text) for text in borrowed):
            # An adjective of relation is its noun with の (lunar → moon →
            # 月の, molecular → molecule → 分子の), and that comes before a
            # mere loanword of the adjective (モレキュラー).
            for noun in self.adjective_nouns.get(lower, []):
                borrow(self.direct_candidates(noun, weights), BORROWED,
                       lambda c: c.text + "の" if c.sense.pos & {"n", "adj-no"} and
                       not KATAKANA.match(c.text) else None)
            relational = [c.score for c in borrowed.values() if not KATAKANA.match(c.text)]
            if relational and max(relational) >= FLOOR:
                for c in found:
                    c.score = min(c.score, max(relational) - 2 * TIE)
        return sorted(borrowed.values(), key=lambda c: (-c.score, len(c.text), c.text))

    def corpus_commonness(self, entry):
        """How common the entry's commonest spelling is in running text
        (read_kkc_commonness), or None if the text has none of them."""
        values = [self.spelling_commonness(entry, s) for s in entry.spellings]
        values = [v for v in values if v is not None]
        return max(values) if values else None

    def spelling_commonness(self, entry, spelling):
        """How common one spelling of the entry is in running text, or None.
        Verbs and adjectives are looked up by their stem: 書く as か/書. A
        word spelled in kana alone has no such stem: cut short, it names
        another token (となる as とな), so it counts as written."""
        inflected = any(VERB_POS.match(p) or p == "adj-i" for s in entry.senses for p in s.pos)
        kanji, reading = spelling[0], spelling[1]
        surface = kanji or reading
        # The model writes every reading in hiragana: てれび/テレビ.
        reading = to_hiragana(reading)
        best = self.token_commonness(reading, surface)
        if inflected and kanji and len(surface) > 1 and len(reading) > 1 and surface[-1] == reading[-1]:
            stem = self.token_commonness(reading[:-1], surface[:-1])
            if stem is not None and (best is None or stem > best):
                best = stem
        return best

    def token_commonness(self, reading, surface, parts=3):
        """The commonness of «reading/surface»; a word the model splits into
        tokens of its own (図書館 as 図書 + 館) counts as its rarest part,
        less COMPOUND per split."""
        key = (reading, surface, parts)
        if key in self.token_cache:
            return self.token_cache[key]
        best = self.corpus.get(reading + "/" + surface)
        if best is None and parts > 1 and len(surface) > 1:
            for i in range(1, len(surface)):
                for j in range(1, len(reading)):
                    head = self.corpus.get(reading[:j] + "/" + surface[:i])
                    if head is None:
                        continue
                    tail = self.token_commonness(reading[j:], surface[i:], parts - 1)
                    if tail is not None:
                        value = min(head, tail) - COMPOUND
                        if best is None or value > best:
                            best = value
        self.token_cache[key] = best
        return best

    def pos_cost(self, word, classes):
        """How seldom the English word is used as the parts of speech CLASSES
        (to fish beside fish, to park beside park), 0 to 1."""
        counts = self.pos_counts.get(word.lower())
        if not counts or not classes:
            return 0.0
        total = sum(counts.values())
        if total < 3:
            return 0.0
        share = max((counts[c] + 0.5) / (total + 2.0) for c in classes)
        return 1.0 - share

    def direct_candidates(self, word, weights=None):
        """The entries glossing WORD exactly, one candidate per shown form,
        best first."""
        weights = weights or WEIGHTS
        found = [Candidate(form, form_score(scored, weights), scored[0][2], reading, sense)
                 for form, reading, sense, scored in self.scored_forms(word)]
        return sorted(found, key=lambda c: (-c.score, len(c.text), c.text))

    def scored_forms(self, word):
        """(form, reading, sense, [(occurrence features, entry features,
        entry)]) for every shown form of the entries glossing WORD: what
        form_score weighs. An adverb in -ly also takes its adjective's
        glosses made adverbs (easily → 容易に, 簡単に), which EDICT seldom
        lists under the adverb itself."""
        forms = self.own_forms(word)
        lower = word.lower()
        if not lower.endswith("ly") or len(lower) < 5:
            return forms
        at = {form: i for i, (form, _, _, _) in enumerate(forms)}
        for base in self.adjectives_of(lower):
            for form, reading, sense, scored in self.own_forms(base):
                for occurrences, features, entry in scored:
                    # A loanword made an adverb (ショートに) is no Japanese.
                    adverb = None if KATAKANA.match(form) else adverb_of(
                        Candidate(form, 0.0, entry, reading, sense))
                    if not adverb:
                        continue
                    features = dict(features, from_adjective=1.0)
                    if adverb not in at:
                        at[adverb] = len(forms)
                        forms.append((adverb, reading, sense, []))
                    forms[at[adverb]][3].append((occurrences, features, entry))
        return forms

    def adjectives_of(self, adverb):
        """The adjectives an adverb in -ly is made from: those WordNet links
        it to, else those its spelling suggests; none if WordNet does not
        know the word as an adverb, or knows it as an adjective used at
        least as often (likely, deadly, lonely; kindly is mostly an adverb)."""
        if self.lemma_kinds is not None:
            kinds = self.lemma_kinds.get(adverb, set())
            counts = self.pos_counts.get(adverb, {})
            if "adv" not in kinds or "adj" in kinds and counts.get("adj", 0) >= counts.get(
                    "adv", 0):
                return []
        return self.adverb_adjectives.get(adverb) or adjective_bases(adverb)

    def own_forms(self, word):
        """scored_forms for the entries glossing WORD exactly."""
        hits = [hit + (False,) for hit in self.index.get(word, [])]
        # A verb is also translated by the noun used with する that EDICT
        # glosses with the noun WordNet derives from it (explain →
        # explanation → 説明する).
        for noun in self.verb_nouns.get(word.lower(), []):
            hits.extend(hit + (True,) for hit in self.index.get(noun, [])
                        if not hit[3] and "vs" in self.entries[hit[0]].senses[hit[1]].pos)
        per_entry = collections.OrderedDict()
        for e_id, s_id, g_id, verb, narrow, derived in hits:
            entry = self.entries[e_id]
            sense = entry.senses[s_id]
            is_verb_sense = any(VERB_POS.match(p) for p in sense.pos)
            occurrence = {
                "common": 1.0 if entry.common else 0.0,
                "sense_position": min(s_id, 6),
                "gloss_position": min(g_id, 8),
                "sense_size": math.log2(len(sense.glosses)),
                "narrow": narrow,
                "sense_cost": sense_cost(entry, s_id, sense),
                "pos_cost": self.pos_cost(word, {"verb"} if derived else sense_classes(sense)),
                # «to X» on a noun sense is an infinitive note; a verb sense
                # glossed without «to» names a noun or adjective use.
                "verb_mismatch": 1.0 if verb != is_verb_sense and not derived else 0.0,
                "first_gloss": 1.0 if s_id == 0 and g_id == 0 else 0.0,
                "first_sense": 1.0 if s_id == 0 else 0.0,
                "derived": 1.0 if derived else 0.0,
            }
            per_entry.setdefault((e_id, derived), []).append((s_id, occurrence))
        by_form = collections.OrderedDict()
        for (e_id, derived), occurrences in per_entry.items():
            entry = self.entries[e_id]
            s_id = occurrences[0][0]
            form = display_form(entry, entry.senses[s_id], self.common_kanji,
                                lambda s: self.spelling_commonness(entry, s) or 0.0)
            if derived:
                form += "する"
            corpus = self.corpus_commonness(entry)
            features = {
                # Agreement inside the entry: other senses naming the word too.
                "more_senses": min(len(occurrences) - 1, 2),
                "agreement": min(entry.agreement, 2),
                "spellings": min(len(entry.spellings) - 1, 3),
                # A loanword: the native word is the translation.
                "loanword": 1.0 if KATAKANA.match(form) else 0.0,
                "kana_form": 1.0 if HIRAGANA.match(form) else 0.0,
                "corpus": corpus or 0.0,
                "corpus_unknown": 1.0 if corpus is None else 0.0,
            }
            reading = min(s[1] for s in entry.spellings)
            by_form.setdefault(form, (reading, entry.senses[s_id], []))[2].append(
                ([o for _, o in occurrences], features, entry))
        # A loanword where a native word about as common names the same
        # meaning first is seldom the translation a teacher gives (ハッピー
        # beside うれしい); where none does, it often is (パンダ, メニュー).
        rivals = [features["corpus"] for form, (_, _, scored) in by_form.items()
                  if not KATAKANA.match(form)
                  for occurrences, features, entry in scored
                  if entry.common and any(o["first_gloss"] for o in occurrences)]
        for form, (_, _, scored) in by_form.items():
            for _, features, _ in scored:
                features["loanword_beside_native"] = 1.0 if features["loanword"] and any(
                    r >= features["corpus"] - RIVAL for r in rivals) else 0.0
        return [(form, reading, sense, scored)
                for form, (reading, sense, scored) in by_form.items()]


def entry_score(occurrences, features, weights):
    """The entry's best occurrence of the word, and what the entry adds."""
    best = max(sum(weights[k] * v for k, v in o.items()) for o in occurrences)
    return best + sum(weights[k] * v for k, v in features.items())


def form_score(scored, weights):
    """The best entry shown in this form; several entries shown the same way
    agree with each other."""
    best = max(entry_score(o, f, weights) for o, f, _ in scored)
    return best + weights["same_form"] * (len(scored) - 1)


def same_word(a, b):
    return a == b + "する" or b == a + "する"


def choose(cands):
    """The glosses to ship: the best above the floor and the close ones,
    shortest first among those about as good as each other."""
    good = [c for c in cands if c.score >= FLOOR]
    if not good:
        return []
    top = good[0].score
    kept = [c for c in good if c.score >= top - CLOSE][:MAX_GLOSSES]
    # The first gloss is the best one; among the best ones within half a
    # point, the shortest leads.
    ties = [c for c in kept if c.score >= top - TIE]
    head = min(ties, key=lambda c: (len(c.text), -c.score, c.text))
    # A noun and the same noun with する say one thing: the first one shown
    # stands for both.
    rest = [c for c in kept if c is not head and not same_word(c.text, head.text)]
    rest = [c for i, c in enumerate(rest)
            if not any(same_word(c.text, d.text) for d in rest[:i])]
    rest.sort(key=lambda c: (-round(c.score / 0.5), len(c.text), c.text))
    return [head] + rest


def glosses_for(index, word, weights=None):
    """The glosses to ship for WORD, best first (none if nothing is good
    enough); number words by rule."""
    if "-" in word and number_glosses(word):
        return number_glosses(word)
    cands = [c for c in index.candidates(word, weights) if encodable(c.text)]
    glosses = [c.text for c in choose(cands)]
    if ordinal([word]) is not None:
        # EDICT glosses ordinals as other things (fifth → 五度, tenth →
        # 十分の一, ninth → ナインス): the rule's 第N comes first.
        glosses = number_glosses(word) + [g for g in glosses if not KATAKANA.match(g)]
        glosses = list(dict.fromkeys(glosses))[:MAX_GLOSSES]
    return glosses or number_glosses(word)


def read_tab_file(path):
    """The (first field, second field) pairs of a hand-kept UTF-8 file of
    TAB-separated lines; blank lines and lines starting with # left out."""
    pairs = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                key, value = line.split("\t")
                pairs.append((key, value))
    return pairs


def read_fixes(path):
    """Hand corrections: headword TAB glosses, or TAB - for none."""
    return {word: "" if text == "-" else text for word, text in read_tab_file(path)}


def encodable(text):
    try:
        text.encode("cp932")
        return ";" not in text and "\t" not in text
    except UnicodeEncodeError:
        return False


def main():
    from freedict import FREEDICT, read_freedict
    from gloss_file import write_glosses
    from gloss_groups import SecondSource, grouped, ranked
    from hand_glosses import format_groups
    from offensive import OffensiveList

    ap = argparse.ArgumentParser()
    ap.add_argument("--dictionary", required=True, help="LxScoop.txt: headword TAB forms")
    ap.add_argument("--out", help="LxGloss.txt to write")
    ap.add_argument("--edict", default=EDICT)
    ap.add_argument("--kanjidic", default=KANJIDIC)
    ap.add_argument("--wordnet-counts", default=WORDNET_COUNTS)
    ap.add_argument("--wordnet", default=WORDNET_DIR)
    ap.add_argument("--kkc", default=KKC_MODEL, help="libkkc's model folder")
    ap.add_argument("--kkc-ids", required=True,
                    help="its vocabulary as «id TAB token» lines")
    ap.add_argument("--fixes", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                    "gloss_fixes.txt"))
    ap.add_argument("--grammar", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                      "grammar_glosses.txt"),
                    help="hand-written glosses of the closed-class words")
    ap.add_argument("--hand", default=os.path.join(HERE, "hand_glosses"),
                    help="folder of the hand-checked gloss table")
    ap.add_argument("--offensive", default=os.path.join(HERE, "offensive_ja.txt"))
    ap.add_argument("--taboo", default=os.path.join(HERE, "taboo.txt"))
    ap.add_argument("--freedict", default=FREEDICT, help="FreeDict's dictd files, no suffix")
    ap.add_argument("--explain", nargs="*", default=[], help="print the ranking of these words")
    args = ap.parse_args()

    entries = read_edict(args.edict)
    index = GlossIndex(entries, read_common_kanji(args.kanjidic),
                       read_pos_shares(args.wordnet_counts),
                       read_derivations(args.wordnet, "verb", "noun"),
                       read_kkc_commonness(args.kkc_ids, os.path.join(args.kkc, "data.1gram")),
                       lemma_kinds=read_lemma_kinds(args.wordnet),
                       adjective_nouns=read_derivations(args.wordnet, "adj", "noun", "\\"),
                       adverb_adjectives=read_derivations(args.wordnet, "adv", "adj", "\\"))
    second = SecondSource(read_freedict(args.freedict), entries)
    offensive = OffensiveList(args.offensive)

    for word in args.explain:
        print(word)
        for c in ranked(index, second, word, offensive)[:8]:
            print("  %6.2f  %s  [%s]" % (c.score, c.text, c.entry.signature[:90]))
        print("  -> " + format_groups(grouped(index, second, word, offensive)))
    if not args.out:
        return 0
    return write_glosses(args, index, second, offensive)


if __name__ == "__main__":
    sys.exit(main())
