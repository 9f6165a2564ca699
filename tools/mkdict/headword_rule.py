"""The program's choice of headword for a spelling, modelled for the
generator's own checks (the program itself decides when it runs).

The candidates of a spelling are every headword whose own spelling or one of
whose inflected spellings equals it, ASCII case ignored. The chosen one is
the first candidate by: the most basic level (Basic, Junior high, University
entrance, General, then no level); a headword with inflected spellings
before one without; the spelling's own headword before others; the shorter
headword; byte order of the headword spellings. The line order of the
dictionary plays no part.
"""

import collections


def candidates_by_spelling(headwords, items):
    """lower-case spelling -> sorted keys of the headwords it can stand for.
    `headwords` maps key -> headword as written, `items` key -> spellings."""
    table = collections.defaultdict(set)
    for key in headwords:
        table[key].add(key)
        for spelling in items.get(key, ()):
            table[spelling.lower()].add(key)
    return {s: sorted(keys) for s, keys in table.items()}


class HeadwordRule:
    def __init__(self, headwords, items, level_of):
        self.headwords = headwords
        self.has_items = {k: bool(items.get(k)) for k in headwords}
        self.level_of = level_of
        self.table = candidates_by_spelling(headwords, items)

    def rank(self, key, spelling):
        level = self.level_of.get(key) or 5
        return (level, not self.has_items[key], key != spelling, len(key),
                self.headwords[key].encode("ascii"))

    def choose(self, spelling):
        """Key of the chosen headword, or None when the spelling is not in
        the dictionary."""
        s = spelling.lower()
        keys = self.table.get(s)
        if not keys:
            return None
        return min(keys, key=lambda k: self.rank(k, s))

    def level(self, spelling):
        key = self.choose(spelling)
        return self.level_of.get(key) or 0 if key else 0

    def ambiguous(self):
        return sorted(s for s, keys in self.table.items() if len(keys) > 1)
