"""The four level lists: 基本 (Basic), 中学 (Junior high), 大学受験
(University entrance) and 一般 (General).

1. Hand-kept stages first: the topic groups of `topics.txt` (school topics
   that word frequency cannot see, each word with the school stage that
   teaches it) and the corrections of `levels.txt`.
2. No level for the words of `taboo.txt` (profanity, slurs, sexual words),
   for names and subtitle fragments (`names.txt`, and every headword that
   running text mostly writes with a capital), whatever their frequency.
3. Every other headword by its ranking score (word frequency, raised for
   children's word lists): the ranks fill the levels in order, except that
   a word children's lists do not know (an abstract or academic word) goes
   no lower than 大学受験.
4. Hyphenated words: the numbers take the level of the number words
   ("ten-year-old", "two-hour" no lower than 中学); other compounds are in no
   level unless a topic group lists them ("T-shirt", "e-mail"): the word
   list shows them as その他, found in the dictionary.
5. The program's headword choice (headword_rule.py) is applied to every
   spelling: a level entry whose own spelling counts for another headword
   leaves the levels, and a word whose own spelling is its most likely
   reading joins the level of the form it competes with when that is one
   stage more basic ("beginning" beside "begin").
"""

import collections
import math
import os

import sources
from sources import sort_key
from headword_rule import HeadwordRule

HERE = os.path.dirname(os.path.abspath(__file__))
LEVEL_FILES = ("LXBasics", "LXJunior", "LXToUnuvercity", "LXGeneral")
# How many ranked headwords each level takes, hand-kept words included.
LEVEL_SIZES = (1000, 1300, 2500, 7000)
# The lowest level a word outside the children's word lists may reach.
UNFAMILIAR_FLOOR = 3


def read_hand(name):
    return sources.read_hand_file(os.path.join(HERE, name))


def read_words(name):
    """All words of a hand-kept file, lower case, several to a line."""
    return {w.lower() for row in read_hand(name) for w in row}


def read_topics():
    """topics.txt: GROUP STAGE WORD... -> {key: (stage, group)}, and the
    words as written."""
    stages = {}
    for row in read_hand("topics.txt"):
        group, stage, words = row[0], int(row[1]), row[2:]
        for w in words:
            stages.setdefault(w.lower(), (stage, group))
    return stages


class LevelBuilder:
    def __init__(self, lex, dictionary):
        self.lex = lex
        self.dict = dictionary
        self.report = []

    def score(self, key):
        """Ranking score of a headword for the levels: its blended frequency
        on a log scale, raised for words of the children's word lists and for
        words SCOWL counts among the most common, lowered for rare ones."""
        lex = self.lex
        s = math.log10(self.dict.lemma_freq.get(key, 0.0) + 1e-3)
        if key in lex.spache:
            s += 0.9
        elif key in lex.dale_chall:
            s += 0.5
        level = lex.scowl.level(key)
        if level is None:
            level = 60
        s += {10: 0.3, 20: 0.15, 35: 0.0, 40: -0.1, 50: -0.3}.get(level, -0.6)
        return s

    def familiar(self, key):
        """A word children's word lists know, or a function word."""
        lex = self.lex
        return key in lex.spache or key in lex.dale_chall or "f" in self.dict.pos.get(key, ())

    def is_name(self, key):
        """A headword that the tagged corpus nearly always tags as a proper
        noun and that neither a children's word list nor a hand-kept list
        knows as a word: a name ("John", "Ken")."""
        d, lex = self.dict, self.lex
        if key in d.proper or key in self.topics or d.headwords[key][0].isupper() or "-" in key:
            return False
        classes = lex.brown.classes.get(key)
        total = sum(classes.values()) if classes else 0
        if key in lex.dale_chall or key in lex.spache or (lex.scowl.level(key) or 99) <= 35:
            return False
        return total >= 5 and classes["NP"] >= 0.8 * total

    def hand_levels(self):
        """{key: level or None} from topics.txt and levels.txt."""
        d = self.dict
        forced = {}
        self.topics = read_topics()
        missing = [w for w in self.topics if w not in d.headwords]
        if missing:
            raise SystemExit("topics.txt: not headwords: " + " ".join(sorted(missing)))
        for key, (stage, _) in self.topics.items():
            if stage >= 3:
                forced[key] = stage
        for row in read_hand("levels.txt"):
            key = row[0].lower()
            if key in d.headwords:
                forced[key] = None if row[1] == "-" else int(row[1])
        return forced

    def ranked_levels(self, forced, barred):
        """Levels by rank, the school words capped at their stage. The
        school words that their stage pulls into a level from lower down
        take places of that level, so that each level keeps its size."""
        d = self.dict
        keys = [k for k in d.headwords
                if k not in forced and k not in barred and k not in d.compound_kinds]
        ranked = sorted(keys, key=lambda k: (-self.score(k), k))
        capped = {k: stage for k, (stage, _) in self.topics.items() if stage < 3 and k not in barred}
        sizes = list(LEVEL_SIZES)
        for _ in range(2):
            level_of = {k: v for k, v in forced.items() if v}
            filled = collections.Counter(level_of.values())
            for k in ranked:
                lowest = 1 if self.familiar(k) or k in capped else UNFAMILIAR_FLOOR
                for n in range(lowest, len(sizes) + 1):
                    if filled[n] < sizes[n - 1]:
                        level_of[k] = n
                        filled[n] += 1
                        break
            pulled = collections.Counter()
            for k, stage in capped.items():
                if level_of.get(k, 99) > stage:
                    level_of[k] = stage
                    pulled[stage] += 1
            sizes = [size - pulled[n] for n, size in enumerate(LEVEL_SIZES, 1)]
        # Words of one group (days, months) share the lowest level any of
        # them reached.
        groups = collections.defaultdict(list)
        for k, g in d.proper.items():
            if g != "other":
                groups[g].append(k)
        for members in groups.values():
            levels = [level_of[k] for k in members if k in level_of]
            for k in members:
                if levels:
                    level_of[k] = min(levels)
        return level_of

    def compound_levels(self, level_of, barred):
        """Level of each hyphenated headword from the levels of its parts."""
        d = self.dict
        rule = HeadwordRule(d.headwords, d.items, level_of)
        floors = {"cardinal": 1, "ordinal": 2, "age": 2, "unit": 2}
        for key, kind in sorted(d.compound_kinds.items()):
            if key in self.topics or key in barred or kind not in floors:
                continue
            parts = [p for p in key.split("-") if len(p) > 1]
            levels = [rule.level(p) for p in parts]
            if not levels or 0 in levels or any(p in barred for p in parts):
                continue
            level = max(max(levels), floors[kind])
            if kind == "ordinal" and key.split("-")[0] not in ("twenty", "thirty"):
                level = max(level, 3)   # dates end at the thirty-first
            if level <= 4:
                level_of[key] = level

    def settle(self, level_of, forced, barred):
        """Applies the program's headword choice until every ambiguous
        spelling counts for its most likely headword where the levels allow
        it, and every level entry counts for itself."""
        d = self.dict
        dropped, promoted, accepted, raised = [], [], [], []
        for _ in range(8):
            changed = False
            rule = HeadwordRule(d.headwords, d.items, level_of)
            # A school word that counts for another headword ("hiking" for
            # "hike") makes that headword a school word of its stage.
            for key, (stage, _) in sorted(self.topics.items()):
                got = rule.choose(key)
                if stage < 3 and got != key and got not in barred and level_of.get(got, 99) > stage:
                    level_of[got] = stage
                    raised.append(f"{d.headwords[got]}({key})")
                    changed = True
            for s in rule.ambiguous():
                want = d.winner.get(s)
                got = rule.choose(s)
                if want is None or got == want or want not in rule.table[s]:
                    continue
                if got == s and not forced.get(s) and s not in self.topics:
                    level_of.pop(s, None)
                    dropped.append(f"{s}->{want}")
                    changed = True
                elif want == s and s not in forced and level_of.get(want) and level_of.get(got) and \
                        level_of[got] == level_of[want] - 1:
                    level_of[want] = level_of[got]
                    promoted.append(f"{s}({got})")
                    changed = True
            if not changed:
                break
        rule = HeadwordRule(d.headwords, d.items, level_of)
        for s in rule.ambiguous():
            want, got = d.winner.get(s), rule.choose(s)
            if want and got != want and want in rule.table[s]:
                accepted.append(f"{s}->{d.headwords[got]}(not {d.headwords[want]})")
        strays = [k for k in level_of if rule.choose(k) != k]
        for k in strays:
            del level_of[k]
        self.report.append(f"left the levels, own spelling read as another word ({len(dropped)}): "
                           + " ".join(sorted(set(dropped))))
        self.report.append(f"raised to the stage of a school word counted for them ({len(raised)}): "
                           + " ".join(sorted(set(raised))))
        self.report.append(f"joined the level of a competing form ({len(promoted)}): "
                           + " ".join(sorted(set(promoted))))
        self.report.append(f"spellings counted for a less likely headword ({len(accepted)}): "
                           + " ".join(accepted))
        self.report.append(f"level entries not counted for themselves, removed ({len(strays)}): "
                           + " ".join(sorted(strays)))

    def run(self):
        d = self.dict
        forced = self.hand_levels()
        taboo = read_words("taboo.txt")
        names = read_words("names.txt")
        auto_names = sorted(k for k in d.headwords if k not in forced and self.is_name(k))
        barred = taboo | names | set(auto_names)
        for key in barred:
            forced.pop(key, None)
        self.report.append(f"names by capitals ({len(auto_names)}): " + " ".join(auto_names))
        level_of = self.ranked_levels(forced, barred)
        self.compound_levels(level_of, barred)
        self.settle(level_of, forced, barred)
        for key in barred:
            level_of.pop(key, None)
        self.level_of = level_of
        lists = [[] for _ in LEVEL_FILES]
        for k, n in level_of.items():
            lists[n - 1].append(d.headwords[k])
        return [sorted(words, key=sort_key) for words in lists]
