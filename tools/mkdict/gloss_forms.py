"""The near spellings and forms a gloss may be borrowed through: the
plurals of an English noun, the adjectives an English adverb in -ly comes
from, and the adverbial form of a Japanese adjective gloss."""


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


def plurals(noun):
    """The regular plurals a noun may have."""
    if noun.endswith("s"):
        return []
    out = [noun + "s"]
    if noun.endswith(("ch", "sh", "x", "z", "o")):
        out.append(noun + "es")
    if noun.endswith("y") and noun[-2:-1] not in "aeiou":
        out.append(noun[:-1] + "ies")
    return out


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
