"""Reads FreeDict's English-Japanese dictionary (Debian dict-freedict-eng-jpn,
dictd files made by WikDict from Wiktionary's translation tables), the
second source of the glosses.

An article is a heading «headword //IPA// <pos>» followed by its senses: a
line of translations («1. 閉じる, 閉める»), then a line of English saying
which sense it is. A sense Wiktionary gives no translation shows as a bare
number, sometimes at the end of the line before («軽い 2.»).
"""

import collections
import gzip
import re

FREEDICT = "/usr/share/dictd/freedict-eng-jpn"
BASE64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
# FreeDict's part-of-speech tags and the labels of the gloss groups.
LABEL_OF_TAG = {"n": "名", "pn": "名", "numeral": "名", "v": "動", "adj": "形", "adv": "副",
                "preposition": "前", "conjunction": "接", "pronoun": "代",
                "interjection": "間", "determiner": "形", "article": "形"}
JAPANESE = re.compile(r"[\u3040-\u30ff\u3400-\u9fff\u3005\uff10-\uff5a]")
HEADING = re.compile(r"^(.*?)\s+(?://|/\[|<)")
TAG = re.compile(r"<([a-z]+)>\s*$")
NUMBER = re.compile(r"^\s*\d+\.\s*|\s+\d+\.\s*$")

Sense = collections.namedtuple("Sense", "label translations")


def decode_number(text):
    value = 0
    for c in text:
        value = value * 64 + BASE64.index(c)
    return value


def parse_article(text):
    """(headword, label or "", [translations per sense]) of one article."""
    lines = text.split("\n")
    heading = lines[0]
    match = HEADING.match(heading)
    headword = match.group(1) if match else heading.strip()
    tag = TAG.search(heading)
    label = LABEL_OF_TAG.get(tag.group(1), "") if tag else ""
    senses = []
    for line in lines[1:]:
        if not JAPANESE.search(line):
            continue  # the English of a sense, or a sense without translations
        body = NUMBER.sub("", NUMBER.sub("", line)).strip()
        items = [t.strip() for t in body.split(", ") if t.strip()]
        if items:
            senses.append(items)
    return headword, label, senses


def read_freedict(base=FREEDICT):
    """English headword (as spelled) → [Sense(label, [translation, ...])], the
    senses of all its articles in file order."""
    with open(base + ".index", encoding="utf-8") as f:
        index = [line.rstrip("\n").split("\t") for line in f]
    data = gzip.open(base + ".dict.dz").read()
    found = collections.defaultdict(list)
    seen = set()
    for fields in index:
        if len(fields) != 3 or fields[0].startswith("00database"):
            continue
        start, length = decode_number(fields[1]), decode_number(fields[2])
        if start in seen:
            continue  # one article under several index keys
        seen.add(start)
        headword, label, senses = parse_article(data[start:start + length].decode("utf-8"))
        for translations in senses:
            found[headword].append(Sense(label, translations))
    return dict(found)
