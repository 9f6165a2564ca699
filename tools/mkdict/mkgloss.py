#!/usr/bin/env python3
"""Derives the Japanese glosses (訳語) of the dictionary's headwords from
EDICT, a Japanese-to-English dictionary, and writes them as plain lines.

    mkgloss.py --dictionary LxScoop.txt --out LxGloss.txt
               [--edict FILE] [--kanjidic FILE] [--explain WORD ...]

Output: one line per headword that has a good enough gloss, in the order of
the dictionary, «headword TAB gloss; gloss» in CP932, LF line ends. The same
inputs always give the same bytes.

How a gloss is chosen. EDICT is read the other way round: every sense of
every entry lists English glosses, and an English headword collects the
senses where one gloss is exactly that word (a verb as «to X»; notes in
parentheses are left out). Each such sense scores by what marks a common,
central translation:

- the entry's priority mark (P), which EDICT gives its common words;
- the sense's position in the entry (the first sense is the central one)
  and the gloss's position in the sense;
- how few glosses the sense has (a sense with one or two glosses names the
  word's meaning; one with ten is a loose cloud of near-synonyms);
- what the sense and the entry are: particles, suffixes, counters and the
  like translate grammar, not words; archaic, obscure, slang, dialect and
  specialist senses are not the everyday translation; old or irregular
  spellings are not the spelling to show;
- agreement: an entry whose other senses or glosses also point back to the
  headword's meaning, and several entries of one reading, raise it.

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

EDICT = "/usr/share/edict/edict"
KANJIDIC = "/usr/share/edict/kanjidic"
IPADIC = "/usr/share/mecab/dic/ipadic"

# Leading markers of a gloss field: parts of speech.
POS = re.compile(r"^(adj(-[a-z]+)?|adv(-to)?|aux(-v|-adj)?|conj|cop(-da)?|ctr|exp|int|"
                 r"n(-adv|-suf|-pref|-t|-pr)?|num|pn|pref|prt|suf|unc|"
                 r"v[1-5][a-z-]*|vi|vt|vs(-[a-z])?|vz|vk|vn|vr)$")
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
SPELLING_TAGS = {"ok", "oK", "ik", "iK", "io", "ateji", "gikun", "uK", "rK", "rk", "sK", "sk"}
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
# EDICT's parts of speech and the IPA dictionary's word classes.
IPADIC_POS = {"n": ("名詞",), "adj": ("形容詞", "名詞", "連体詞"), "adv": ("副詞", "名詞"),
              "conj": ("接続詞",), "prt": ("助詞",), "int": ("感動詞",), "pn": ("名詞",),
              "v1": ("動詞",), "v5k": ("動詞",), "vs": ("名詞", "動詞"), "exp": ("名詞", "動詞"),
              "aux": ("助動詞",), "pref": ("接頭詞",), "suf": ("名詞",), "ctr": ("名詞",),
              "num": ("名詞",)}


def ipadic_classes(pos):
    if pos == "adj-i":
        return ("形容詞",)
    if pos.startswith("v") and not pos.startswith("vs"):
        return ("動詞",)
    return IPADIC_POS.get(pos.split("-")[0], ("名詞",))


# Prepositions a verb gloss may carry after the verb.
COMPLEMENTS = {"of", "to", "with", "on", "upon", "for", "from", "at", "in", "into", "about",
               "against"}
HIRAGANA = re.compile(r"^[\u3041-\u309f\u30fc]+$")
KATAKANA = re.compile(r"^[\u30a1-\u30ff\u30fc・]+$")
KANJI = re.compile(r"[\u3400-\u9fff\u3005\u3006]")

# The score a gloss needs to be shipped, and how close the others must come.
FLOOR = -2.0
# Points per decade of commonness of the Japanese word.
FREQUENCY_WEIGHT = 0.5
FREQUENCY_CAP = 3.0
POLYSEMY_WEIGHT = 0.5
POS_WEIGHT = 1.0
CLOSE = 1.6
MAX_GLOSSES = 3
# Glosses this close count as equally good.
TIE = 0.05


def strip_notes(text):
    """The gloss without its parenthesised notes, spaces collapsed."""
    out, depth = [], 0
    for ch in text:
        if ch == "(":
            depth += 1
        elif ch == ")":
            depth = max(0, depth - 1)
        elif depth == 0:
            out.append(ch)
    return " ".join("".join(out).split())


def leading_tags(field):
    """Splits «(n,vs) (2) (uk) text» into its tag groups and the text."""
    groups = []
    rest = field
    while rest.startswith("("):
        end = rest.find(")")
        if end < 0:
            break
        inner = rest[1:end]
        if " " in inner.strip():
            break  # a note such as «(air or sea) route»
        groups.append(inner)
        rest = rest[end + 1:].lstrip()
    return groups, rest


class Sense:
    __slots__ = ("pos", "first_pos", "tags", "glosses")

    def __init__(self, pos):
        self.pos = set(pos)
        self.first_pos = pos[0] if pos else ""
        self.tags = set()
        self.glosses = []


class Entry:
    """One EDICT entry: its spellings (kanji forms), readings and senses."""

    def __init__(self, signature, senses):
        self.signature = signature
        self.senses = senses
        self.spellings = []  # (kanji or None, reading, common, spelling tags)
        self.common = False
        self.agreement = 0


def parse_senses(fields):
    senses, current, pos = [], None, []
    spelling_tags = set()
    first = True
    for field in fields:
        groups, text = leading_tags(field)
        new_sense = current is None
        tags = set()
        for g in groups:
            items = [x.strip() for x in g.split(",")]
            if all(POS.match(x) for x in items):
                pos = items
                new_sense = True
            elif g.isdigit():
                new_sense = True
            elif first and not senses and all(x in SPELLING_TAGS for x in items):
                spelling_tags.update(items)
            else:
                tags.update(items)
        first = False
        if new_sense:
            current = Sense(pos)
            senses.append(current)
        current.tags.update(tags)
        if text:
            current.glosses.append(text)
    return senses, spelling_tags


def read_edict(path):
    """The entries of EDICT, spellings of one word merged."""
    lines = []
    with open(path, "rb") as f:
        raw = f.read()
    for number, line in enumerate(raw.decode("euc_jp", errors="replace").split("\n")):
        if number == 0 or not line or "\ufffd" in line:
            continue
        head, _, body = line.partition(" /")
        if not body:
            continue
        m = re.match(r"^(\S+)(?: \[(\S+)\])?\s*$", head)
        if not m:
            continue
        kanji, reading = m.group(1), m.group(2)
        if reading is None:
            kanji, reading = None, m.group(1)
        fields = body.rstrip("/").split("/")
        common = False
        while fields and fields[-1] in ("(P)", "") or fields and fields[-1].startswith("EntL"):
            if fields[-1] == "(P)":
                common = True
            fields.pop()
        senses, spelling_tags = parse_senses(fields)
        if not senses:
            continue
        signature = "/".join(fields).lstrip()
        for t in spelling_tags:
            signature = signature.replace("(%s) " % t, "", 1)
        lines.append((signature, senses, (kanji, reading, common, spelling_tags)))
    return group_spellings(lines)


def group_spellings(lines):
    """Lines with the same senses that share a spelling or a reading, or
    whose readings are shortened forms of one another (けど, けれど,
    けれども), are one word; each word also records how many common words
    share its senses word for word (agreement between entries)."""
    by_signature = collections.OrderedDict()
    for signature, senses, spelling in lines:
        by_signature.setdefault(signature, (senses, []))[1].append(spelling)
    entries = []
    for signature, (senses, spellings) in by_signature.items():
        parent = list(range(len(spellings)))

        def find(i):
            while parent[i] != i:
                parent[i] = parent[parent[i]]
                i = parent[i]
            return i

        for i, a in enumerate(spellings):
            for j in range(i):
                b = spellings[j]
                if (a[0] and a[0] == b[0]) or a[1] == b[1] or (
                        a[0] is None and b[0] is None and HIRAGANA.match(a[1]) and
                        HIRAGANA.match(b[1]) and
                        (is_subsequence(a[1], b[1]) or is_subsequence(b[1], a[1]))):
                    parent[find(i)] = find(j)
        groups = collections.OrderedDict()
        for i, spelling in enumerate(spellings):
            groups.setdefault(find(i), []).append(spelling)
        words = []
        for members in groups.values():
            entry = Entry(signature, senses)
            entry.spellings = members
            entry.common = any(m[2] for m in members)
            words.append(entry)
        common_words = sum(1 for w in words if w.common)
        for w in words:
            # Common spellings of the word and other common words with the
            # same senses agree on the translation.
            w.agreement = sum(1 for m in w.spellings if m[2]) + common_words - (2 if w.common else 0)
        entries.extend(words)
    return entries


def read_common_kanji(path):
    """The kanji KANJIDIC grades 1-8: taught at school or in common use."""
    common = set()
    with open(path, "rb") as f:
        text = f.read().decode("euc_jp", errors="replace")
    for line in text.split("\n")[1:]:
        if not line:
            continue
        m = re.search(r" G([1-8]) ", line)
        if m:
            common.add(line[0])
    return common


def is_subsequence(short, long):
    it = iter(long)
    return all(ch in it for ch in short)


def to_katakana(text):
    return "".join(chr(ord(c) + 0x60) if "\u3041" <= c <= "\u3096" else c for c in text)


def read_word_frequency(folder):
    """How common each Japanese word is, from the word costs of the IPA
    dictionary (a lower cost is a more frequent word in its corpus): for
    every (spelling, reading) the percentile of its cost among the words of
    its part of speech, as -log10 of the share of words at least as common
    (0 for the rarest, 3 for the top 0.1 %). Names are left out; verbs and
    adjectives count in their dictionary form."""
    rows = collections.defaultdict(list)
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".csv"):
            continue
        with open(os.path.join(folder, name), "rb") as f:
            text = f.read().decode("euc_jp", errors="replace")
        for line in text.split("\n"):
            cols = line.split(",")
            if len(cols) < 12 or cols[5] == "固有名詞" or cols[9] not in ("*", "基本形"):
                continue
            rows[cols[4]].append((int(cols[3]), cols[0], cols[11]))
    # Keyed by (spelling, reading, part of speech) and, less surely, by
    # (spelling, None, None).
    freq = {}
    for pos, items in rows.items():
        items.sort()
        n = len(items)
        for rank, (cost, surface, reading) in enumerate(items):
            value = -math.log10((rank + 1) / n)
            key = (surface, reading, pos)
            if value > freq.get(key, -1.0):
                freq[key] = value
            if value > freq.get((surface, None, None), -1.0):
                freq[(surface, None, None)] = value
    return freq


WORDNET_COUNTS = "/usr/share/wordnet/cntlist.rev"
WORDNET_POS = {"1": "noun", "2": "verb", "3": "adj", "4": "adv", "5": "adj"}


def read_pos_shares(path):
    """How often each English lemma is used as noun, verb, adjective and
    adverb: the sense-tagged counts of WordNet's cntlist, by part of speech."""
    counts = collections.defaultdict(lambda: collections.Counter())
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            fields = line.split()
            if len(fields) != 3 or "%" not in fields[0]:
                continue
            lemma, key = fields[0].split("%", 1)
            counts[lemma.replace("_", " ")][WORDNET_POS.get(key[:1], "noun")] += int(fields[2])
    return counts


def sense_classes(sense):
    """The English parts of speech a sense's glosses stand for."""
    classes = set()
    for p in sense.pos:
        if p.startswith("v") and not p.startswith("vs"):
            classes.add("verb")
        elif p in ("n", "vs", "n-adv", "n-t", "pn", "num"):
            classes.add("noun")
        elif p.startswith("adj"):
            classes.add("adj")
        elif p.startswith("adv"):
            classes.add("adv")
    return classes


def spelling_cost(spelling):
    kanji, reading, common, tags = spelling
    cost = 0.0 if common else 1.0
    if tags & {"ok", "oK", "io"}:
        cost += 4.0
    if tags & {"ik", "iK", "ateji", "gikun", "rK", "rk", "sK", "sk", "uK"}:
        cost += 2.0
    return cost


def display_form(entry, sense, common_kanji):
    """How the entry is shown: its preferred spelling, in kana when the sense
    is usually written in kana or the spelling has a rare kanji."""
    readings = {s[1] for s in entry.spellings}

    def shortened_by(reading):
        # Spellings of one word that drop sounds of another (けど, けれど of
        # けれども) are its shortened forms: the full form is shown.
        return sum(1 for r in readings if r != reading and is_subsequence(r, reading))

    def rare(spelling):
        return spelling[0] is not None and any(
            KANJI.match(ch) and ch not in common_kanji and ch not in "々〆" for ch in spelling[0])

    best = min(entry.spellings, key=lambda s: (spelling_cost(s), rare(s), -shortened_by(s[1]),
                                               len(s[1]), s[0] or ""))
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


def adjective_bases(adverb):
    """The adjectives an adverb in -ly may come from."""
    stem = adverb[:-2]
    bases = [stem]
    if stem.endswith("i"):
        bases.append(stem[:-1] + "y")  # happily
    if adverb.endswith("bly") or adverb.endswith("ply") or adverb.endswith("tly"):
        bases.append(adverb[:-1] + "e")  # incredibly, simply, gently
    if stem.endswith("al"):
        bases.append(stem[:-2])  # basically → basic
    bases.append(stem + "e")  # wholly? truly
    return [b for b in bases if len(b) > 2]


def adverb_of(candidate):
    """The adverbial form of an adjective gloss, or None."""
    pos = set()
    for sense in candidate.entry.senses:
        pos |= sense.pos
    text = candidate.text
    if "adj-i" in pos and text.endswith("い"):
        return text[:-1] + "く"
    if "adj-na" in pos or "adj-t" in pos:
        return text + ("と" if "adj-t" in pos and "adj-na" not in pos else "に")
    return None


class Candidate:
    __slots__ = ("text", "score", "entry", "reading")

    def __init__(self, text, score, entry, reading):
        self.text, self.score, self.entry, self.reading = text, score, entry, reading


class GlossIndex:
    """English gloss (notes stripped) → the senses it names."""

    def __init__(self, entries, common_kanji, frequency, pos_counts=None):
        self.entries = entries
        self.pos_counts = pos_counts or {}
        self.frequency = frequency
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

    def word_frequency(self, entry, sense):
        """The most common spelling of the entry: in its reading and part of
        speech where the word list knows it so, else by its spelling alone,
        counted at half (a kana spelling may be another word's)."""
        best = 0.0
        classes = ipadic_classes(sense.first_pos)
        for kanji, reading, _, _ in entry.spellings:
            surface = kanji or reading
            exact = [self.frequency.get((surface, to_katakana(reading), c)) for c in classes]
            exact = [x for x in exact if x is not None]
            if exact:
                best = max(best, max(exact))
            else:
                best = max(best, 0.5 * self.frequency.get((surface, None, None), 0.0))
        return best

    def candidates(self, word):
        """Every entry that glosses WORD, best first, one per shown form; an
        adverb in -ly that no entry glosses takes its adjective's glosses
        made adverbs (勇敢 → 勇敢に, 明るい → 明るく)."""
        found = self.direct_candidates(word)
        if not found and "-" in word:
            # EDICT writes most compounds open or closed: «dining room».
            found = (self.direct_candidates(word.replace("-", " ")) or
                     self.direct_candidates(word.replace("-", "")))
        if found or not word.lower().endswith("ly"):
            return found
        adverbs = {}
        for base in adjective_bases(word.lower()):
            for c in self.direct_candidates(base):
                form = adverb_of(c)
                if form and form not in adverbs:
                    adverbs[form] = Candidate(form, c.score - 1.0, c.entry, c.reading)
        return sorted(adverbs.values(), key=lambda c: (-c.score, len(c.text), c.text))

    def pos_cost(self, word, sense):
        """A sense of a part of speech the English word is seldom used as
        (to fish beside fish, to park beside park) costs up to POS_WEIGHT."""
        counts = self.pos_counts.get(word.lower())
        classes = sense_classes(sense)
        if not counts or not classes:
            return 0.0
        total = sum(counts.values())
        if total < 3:
            return 0.0
        share = max((counts[c] + 0.5) / (total + 2.0) for c in classes)
        return POS_WEIGHT * (1.0 - share)

    def direct_candidates(self, word):
        key = word
        hits = self.index.get(key, [])
        per_entry = {}
        for e_id, s_id, g_id, verb, narrow in hits:
            entry = self.entries[e_id]
            sense = entry.senses[s_id]
            n = len(sense.glosses)
            score = 0.0
            score += 3.0 if entry.common else 0.0
            score -= 0.9 * min(s_id, 6)
            score -= 1.0 * min(g_id, 8)
            score -= 0.6 * math.log2(n)
            score -= 0.4 * narrow
            score -= sense_cost(entry, s_id, sense)
            score -= self.pos_cost(word, sense)
            is_verb_sense = any(VERB_POS.match(p) for p in sense.pos)
            if verb and not is_verb_sense:
                score -= 1.0  # «to X» on a noun sense: an infinitive note
            if is_verb_sense and not verb:
                score -= 1.0
            # Agreement inside the entry: other senses naming the word too.
            best = per_entry.get(e_id)
            if best is None or score > best[0]:
                per_entry[e_id] = (score, s_id, best[2] + 1 if best else 1)
            else:
                per_entry[e_id] = (best[0], best[1], best[2] + 1)
        by_form = {}
        for e_id, (score, s_id, count) in per_entry.items():
            entry = self.entries[e_id]
            score += 0.4 * min(count - 1, 2)
            # A word with many senses is a common one: rare words are narrow.
            score += POLYSEMY_WEIGHT * math.log2(len(entry.senses))
            score += FREQUENCY_WEIGHT * min(self.word_frequency(entry, sense), FREQUENCY_CAP)
            score += 0.5 * min(entry.agreement, 2)
            form = display_form(entry, entry.senses[s_id], self.common_kanji)
            if KATAKANA.match(form):
                score -= 1.5  # a loanword: the native word is the translation
            reading = min(s[1] for s in entry.spellings)
            cand = by_form.get(form)
            if cand is None:
                by_form[form] = Candidate(form, score, entry, reading)
            else:
                # Several entries shown the same way agree with each other.
                cand.score = max(cand.score, score) + 0.5
        return sorted(by_form.values(), key=lambda c: (-c.score, len(c.text), c.text))


def choose(cands):
    """The glosses to ship: the best above the floor and the close ones,
    shortest first among those about as good as each other."""
    good = [c for c in cands if c.score >= FLOOR]
    if not good:
        return []
    top = good[0].score
    kept = [c for c in good if c.score >= top - CLOSE][:MAX_GLOSSES]
    head, rest = kept[0], kept[1:]
    # The first gloss is the best one; among the best ones within half a
    # point, the shortest leads.
    ties = [c for c in kept if c.score >= top - TIE]
    head = min(ties, key=lambda c: (len(c.text), -c.score, c.text))
    rest = [c for c in kept if c is not head]
    rest.sort(key=lambda c: (-round(c.score / 0.5), len(c.text), c.text))
    return [head] + rest


ONES = ["one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
TEENS = ["ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen",
         "seventeen", "eighteen", "nineteen"]
TENS = ["twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"]
ORDINAL_ONES = ["first", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth",
                "ninth"]
ORDINAL_TEENS = ["tenth", "eleventh", "twelfth", "thirteenth", "fourteenth", "fifteenth",
                 "sixteenth", "seventeenth", "eighteenth", "nineteenth"]
ORDINAL_TENS = ["twentieth", "thirtieth", "fortieth", "fiftieth", "sixtieth", "seventieth",
                "eightieth", "ninetieth"]
KANJI_DIGITS = "一二三四五六七八九"
# Number-unit words: the gloss of «five-day» and so on; N is the number.
UNITS = {"day": "N日間の", "hour": "N時間の", "minute": "N分間の", "month": "Nか月の",
         "second": "N秒の", "week": "N週間の", "year": "N年間の",
         "day-old": "生後N日の", "week-old": "生後N週の", "month-old": "生後Nか月の",
         "year-old": "N歳の"}


def cardinal(words):
    """The value of number words («twenty», «one»), or None."""
    if len(words) == 1:
        w = words[0]
        for table, base in ((ONES, 1), (TEENS, 10)):
            if w in table:
                return base + table.index(w)
        if w in TENS:
            return 20 + 10 * TENS.index(w)
        return {"hundred": 100, "thousand": 1000}.get(w)
    if len(words) == 2 and words[0] in TENS and words[1] in ONES:
        return 20 + 10 * TENS.index(words[0]) + 1 + ONES.index(words[1])
    return None


def ordinal(words):
    last = words[-1]
    for table, base in ((ORDINAL_ONES, 1), (ORDINAL_TEENS, 10)):
        if last in table:
            value = base + table.index(last)
            break
    else:
        if last in ORDINAL_TENS:
            value = 20 + 10 * ORDINAL_TENS.index(last)
        else:
            return None
    if len(words) == 1:
        return value
    if len(words) == 2 and words[0] in TENS and value < 10:
        return 20 + 10 * TENS.index(words[0]) + value
    return None


def kanji_number(n):
    """1 … 1000 in kanji numerals: 二十一, 百, 千."""
    if n == 1000:
        return "千"
    if n == 100:
        return "百"
    tens, ones = divmod(n, 10)
    text = ""
    if tens:
        text += ("" if tens == 1 else KANJI_DIGITS[tens - 1]) + "十"
    if ones:
        text += KANJI_DIGITS[ones - 1]
    return text


def number_glosses(word):
    """Glosses of number words and number-unit words made by rule: twenty-one
    → 二十一, twenty-first → 第二十一, five-day → 5日間の, ten-year-old → 10歳の."""
    parts = word.split("-")
    out = []
    value = cardinal(parts)
    if value is not None:
        out.append(kanji_number(value))
    value = ordinal(parts)
    if value is not None:
        out.append("第" + kanji_number(value))
    for unit, pattern in UNITS.items():
        unit_parts = unit.split("-")
        if len(parts) > len(unit_parts) and parts[-len(unit_parts):] == unit_parts:
            value = cardinal(parts[:-len(unit_parts)])
            if value is not None:
                out.append(pattern.replace("N", str(value)))
    return out


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
    ap = argparse.ArgumentParser()
    ap.add_argument("--dictionary", required=True, help="LxScoop.txt: headword TAB forms")
    ap.add_argument("--out", help="LxGloss.txt to write")
    ap.add_argument("--edict", default=EDICT)
    ap.add_argument("--kanjidic", default=KANJIDIC)
    ap.add_argument("--ipadic", default=IPADIC)
    ap.add_argument("--wordnet-counts", default=WORDNET_COUNTS)
    ap.add_argument("--fixes", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                    "gloss_fixes.txt"))
    ap.add_argument("--explain", nargs="*", default=[], help="print the ranking of these words")
    args = ap.parse_args()

    entries = read_edict(args.edict)
    index = GlossIndex(entries, read_common_kanji(args.kanjidic),
                       read_word_frequency(args.ipadic), read_pos_shares(args.wordnet_counts))

    for word in args.explain:
        print(word)
        for c in index.candidates(word)[:8]:
            print("  %6.2f  %s  [%s]" % (c.score, c.text, c.entry.signature[:90]))
    if not args.out:
        return 0

    headwords = []
    with open(args.dictionary, encoding="ascii") as f:
        for line in f:
            headwords.append(line.rstrip("\n").split("\t")[0])
    fixes = read_fixes(args.fixes)
    lines = []
    for word in headwords:
        if word in fixes:
            if fixes[word]:
                lines.append(word + "\t" + fixes[word])
            continue
        if "-" in word and number_glosses(word):
            lines.append(word + "\t" + "; ".join(number_glosses(word)))
            continue
        cands = [c for c in index.candidates(word) if encodable(c.text)]
        chosen = choose(cands)
        if chosen:
            lines.append(word + "\t" + "; ".join(c.text for c in chosen))
    with open(args.out, "wb") as f:
        for line in lines:
            f.write(line.encode("cp932") + b"\n")
    print("mkgloss: %d of %d headwords glossed" % (len(lines), len(headwords)), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
