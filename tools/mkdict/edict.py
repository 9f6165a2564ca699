"""Reads EDICT, the Japanese-to-English dictionary, into entries: one per
word, its spellings (kanji forms and readings, with EDICT's priority mark and
spelling notes) and its senses (parts of speech, sense notes, English
glosses). KANJIDIC tells which kanji are in common use."""

import collections
import re

EDICT = "/usr/share/edict/edict"
KANJIDIC = "/usr/share/edict/kanjidic"

# Leading markers of a gloss field: parts of speech.
POS = re.compile(r"^(adj(-[a-z]+)?|adv(-to)?|aux(-v|-adj)?|conj|cop(-da)?|ctr|exp|int|"
                 r"n(-adv|-suf|-pref|-t|-pr)?|num|pn|pref|prt|suf|unc|"
                 r"v[1-5][a-z-]*|vi|vt|vs(-[a-z])?|vz|vk|vn|vr)$")
# Spelling notes EDICT puts before the senses.
SPELLING_TAGS = {"ok", "oK", "ik", "iK", "io", "ateji", "gikun", "uK", "rK", "rk", "sK", "sk"}
HIRAGANA = re.compile(r"^[\u3041-\u309f\u30fc]+$")


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


def to_hiragana(text):
    return "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in text)
