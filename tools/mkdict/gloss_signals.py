"""What ranks the glosses besides EDICT itself: how common a Japanese word
is in running text (libkkc's language model), how often an English lemma is
used as each part of speech (WordNet's sense-tagged counts), and the nouns
WordNet derives from a verb."""

import collections
import os
import struct

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


WORDNET_DIR = "/usr/share/wordnet"


def read_derivations(folder, source_pos, target_pos, symbol="+"):
    """WordNet's derivationally related words: for every lemma of SOURCE_POS
    («verb», «adj»), the lemmas of TARGET_POS («noun») made from it or it
    from them (pronounce → pronunciation), sorted. With SYMBOL «\\» the
    nouns an adjective pertains to instead (lunar → moon), or the
    adjectives an adverb is made from (easily → easy)."""
    files = {"noun": "data.noun", "verb": "data.verb", "adj": "data.adj", "adv": "data.adv"}
    letters = {"noun": "n", "verb": "v", "adj": "a", "adv": "r"}

    def synsets(pos):
        words = {}
        with open(os.path.join(folder, files[pos]), encoding="utf-8", errors="replace") as f:
            for line in f:
                if line.startswith(" "):
                    continue
                fields = line.split(" ")
                count = int(fields[3], 16)
                lemmas = [fields[4 + 2 * i].split("(")[0].replace("_", " ").lower()
                          for i in range(count)]
                at = 4 + 2 * count
                pointers = []
                for i in range(int(fields[at])):
                    pointer, offset, pos_letter, numbers = fields[at + 1 + 4 * i: at + 5 + 4 * i]
                    if pointer == symbol:
                        pointers.append((offset, pos_letter, int(numbers[:2], 16),
                                         int(numbers[2:], 16)))
                words[fields[0]] = (lemmas, pointers)
        return words

    source, target = synsets(source_pos), synsets(target_pos)
    wanted = {letters[target_pos]} | ({"s"} if target_pos == "adj" else set())
    found = collections.defaultdict(set)
    for lemmas, pointers in source.values():
        for offset, pos_letter, src, dst in pointers:
            if pos_letter in wanted and offset in target and src > 0 and dst > 0:
                found[lemmas[src - 1]].add(target[offset][0][dst - 1])
    return {lemma: sorted(nouns) for lemma, nouns in found.items()}


KKC_MODEL = "/usr/lib/x86_64-linux-gnu/libkkc/models/sorted3"
# The quantised cost libkkc's model gives a word seen once; commoner words
# cost less.
KKC_RAREST = 47457


def read_kkc_commonness(ids_path, unigram_path):
    """How common each Japanese word is in the text libkkc's language model
    was trained on: for every «reading/spelling» token of its vocabulary
    (verbs and adjectives by their stem: か/書 for 書く), how far its
    unigram cost lies below that of a word seen once, in units of 5000 (0
    for the rarest, about 7 for の). IDS_PATH lists «id TAB token» (the
    vocabulary trie dumped with marisa-dump | marisa-lookup); the unigram
    file holds 6 bytes per id, the first two the cost."""
    with open(unigram_path, "rb") as f:
        raw = f.read()
    commonness = {}
    with open(ids_path, encoding="utf-8") as f:
        for line in f:
            number, _, token = line.rstrip("\n").partition("\t")
            number = int(number)
            if 6 * number + 2 <= len(raw):
                cost = struct.unpack_from("<H", raw, 6 * number)[0]
                commonness[token] = max(0.0, (KKC_RAREST - cost) / 5000.0)
    return commonness



def read_lemma_kinds(folder):
    """The parts of speech («noun», «verb», «adj», «adv») WordNet lists
    each lemma under."""
    kinds = collections.defaultdict(set)
    for pos in ("noun", "verb", "adj", "adv"):
        with open(os.path.join(folder, "index." + pos), encoding="utf-8", errors="replace") as f:
            for line in f:
                if not line.startswith(" "):
                    kinds[line.split(" ", 1)[0].replace("_", " ")].add(pos)
    return kinds
