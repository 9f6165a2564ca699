"""The list of Japanese words no shipped gloss may be or contain
(offensive_ja.txt): discriminatory, derogatory and sexual terms.

A line of the list is one term. A term written «=term» matches only a gloss
that is the term itself (盲 but not 盲腸, 朝鮮 but not 北朝鮮); any other term
matches a gloss that contains it (気違い沙汰, 乞食坊主). Text after a TAB or
« #» is a note.
"""


class OffensiveList:
    def __init__(self, path):
        self.whole, self.parts = set(), set()
        with open(path, encoding="utf-8") as f:
            for line in f:
                term = line.split("\t")[0].split(" #")[0].strip()
                if not term or term.startswith("#"):
                    continue
                if term.startswith("="):
                    self.whole.add(term[1:])
                else:
                    self.parts.add(term)

    def matches(self, gloss):
        """The term GLOSS is or contains, or None."""
        if gloss in self.whole:
            return gloss
        for term in self.parts:
            if term in gloss:
                return term
        return None

    def __len__(self):
        return len(self.whole) + len(self.parts)
