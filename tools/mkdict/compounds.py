"""Hyphenated headwords: WordNet's hyphenated lemmas made of dictionary
words, hyphenated words of the tagged corpus made the same way, and the
rule-made number words ("twenty-one", "thirty-first", "ten-year-old").

The scanner keeps a hyphen inside a word, so "well-known" reaches the
dictionary as one spelling; without a line of its own it would count as not
in the dictionary although every part of it is.
"""

import collections
import os
import re

import sources

ONES = ("one", "two", "three", "four", "five", "six", "seven", "eight", "nine")
ONES_ORDINAL = ("first", "second", "third", "fourth", "fifth", "sixth", "seventh",
                "eighth", "ninth")
TENS = ("twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety")
TEENS = ("ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen",
         "seventeen", "eighteen", "nineteen")
# Units of the productive pattern NUMBER-UNIT ("a two-hour film") and the
# numbers it is made with; "NUMBER-year-old" is made with every number.
UNITS = ("second", "minute", "hour", "day", "week", "month", "year")
UNIT_NUMBERS = ONES + TEENS + ("twenty", "thirty", "forty", "fifty", "sixty", "hundred",
                               "thousand")
# Hyphenated spellings of the tagged corpus become headwords from this many
# uses on.
CORPUS_MIN = 2
PART = re.compile(r"^[A-Za-z]+$")


def cardinals():
    """1 to 99 in words; the hyphenated ones are twenty-one .. ninety-nine."""
    words = list(ONES) + list(TEENS)
    for t in TENS:
        words.append(t)
        words += [f"{t}-{o}" for o in ONES]
    return words


def hyphenated_numbers():
    """(spelling, kind, forms): cardinals twenty-one .. ninety-nine,
    ordinals twenty-first .. ninety-ninth, and the number-unit compounds."""
    rows = []
    for t in TENS:
        for o in ONES:
            rows.append((f"{t}-{o}", "cardinal", []))
        for o in ONES_ORDINAL:
            rows.append((f"{t}-{o}", "ordinal", []))
    for unit in ("year", "month", "week", "day"):
        rows.append((f"{unit}-old", "age", [f"{unit}-olds"]))   # "a 10-year-old"
    for n in cardinals():
        rows.append((f"{n}-year-old", "age", [f"{n}-year-olds"]))
    for n in UNIT_NUMBERS:
        for unit in UNITS:
            rows.append((f"{n}-{unit}", "unit", []))
        for unit in ("month", "week", "day"):
            rows.append((f"{n}-{unit}-old", "age", [f"{n}-{unit}-olds"]))
    return rows


def wordnet_hyphenated():
    """Hyphenated WordNet lemmas as WordNet writes them (the spelling with
    the most lower-case letters when it has several: "T-shirt", "e-mail"),
    with their parts of speech."""
    spelled = collections.defaultdict(collections.Counter)
    pos_of = collections.defaultdict(set)
    for pos, name in (("n", "noun"), ("v", "verb"), ("a", "adj"), ("r", "adv")):
        path = os.path.join(sources.WORDNET_DIR, "data." + name)
        for line in sources.read_lines(path, "latin-1"):
            if line.startswith(" "):
                continue
            fields = line.split(" ")
            count = int(fields[3], 16)
            for i in range(count):
                word = re.sub(r"\(.*\)$", "", fields[4 + 2 * i])
                if "-" in word and "_" not in word and sources.ASCII_WORD.match(word):
                    spelled[word.lower()][word] += 1
                    pos_of[word.lower()].add(pos)
    result = {}
    for key, spellings in spelled.items():
        best = max(sorted(spellings), key=lambda w: (sum(c.islower() for c in w), spellings[w]))
        result[key] = (best, pos_of[key])
    return result


def corpus_hyphenated(brown):
    """Hyphenated spellings written in lower case in the tagged corpus at
    least CORPUS_MIN times."""
    return sorted(w for w, n in brown.lowercase.items() if "-" in w and n >= CORPUS_MIN)


def parts_known(spelling, covered):
    """Every part is a dictionary spelling or a single letter ("T-shirt")."""
    parts = spelling.lower().split("-")
    if len(parts) < 2 or any(not PART.match(p) for p in parts):
        return False
    return all(len(p) == 1 or p in covered for p in parts)


def compound_forms(builder, spelling, pos):
    """Inflected spellings of a compound from those of its last part: a noun
    takes the last part's plural ("T-shirts"), a verb its verb forms
    ("baby-sat"); WordNet's exception list supplies the rest
    ("mothers-in-law")."""
    head, _, last = spelling.rpartition("-")
    key = last.lower()
    forms = []
    if key in builder.headwords and builder.headwords[key].lower() == key:
        for form, kinds in sorted(builder.forms[key].items()):
            if form.lower() != form:
                continue
            if ("n" in pos and "pl" in kinds) or ("v" in pos and kinds & {"3sg", "ing", "past"}):
                forms.append((head + "-" + form, sorted(kinds)[0]))
    return forms


def add_compounds(builder):
    """Adds the hyphenated headwords to a dictionary builder whose headwords
    and forms are final; returns {key: kind} for the level builder."""
    covered = set(builder.headwords)
    for key in builder.headwords:
        covered.update(f.lower() for f in builder.forms[key])
    kinds = {}
    for spelling, kind, forms in hyphenated_numbers():
        key = builder.add_headword(spelling, ("n",) if kind == "age" else ("a",))
        builder.fixed.add(key)
        builder.hand_forms.add(key)
        for form in forms:
            builder.add_form(key, form, "pl", irregular=True)
        kinds[key] = kind
    exceptions = collections.defaultdict(list)
    for table in builder.lex.wordnet.exceptions.values():
        for form, bases in table.items():
            for base in bases:
                if "-" in base:
                    exceptions[base].append(form)
    added = 0
    candidates = dict(wordnet_hyphenated())
    for word in corpus_hyphenated(builder.lex.brown):
        candidates.setdefault(word, (word, set()))
    for key, (spelling, pos) in sorted(candidates.items()):
        if key in builder.headwords or key in covered or key in builder.excluded:
            continue
        if not parts_known(spelling, covered):
            continue
        k = builder.add_headword(spelling, pos)
        builder.fixed.add(k)
        for form in exceptions.get(key, []):
            builder.add_form(k, form, "pl" if "n" in pos else "past", irregular=True)
        for form, kind in compound_forms(builder, spelling, pos):
            builder.add_form(k, form, kind)
        kinds[k] = "wordnet" if pos else "corpus"
        added += 1
    builder.report.append(f"hyphenated headwords: {added} words, {len(hyphenated_numbers())} numbers")
    return kinds
