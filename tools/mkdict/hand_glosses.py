"""The hand-checked gloss table (tools/mkdict/hand_glosses/*.txt) and the
written form of glosses grouped by part of speech.

A hand file holds lines «headword TAB state TAB glosses» (UTF-8; # starts a
comment line). The state is `checked` (reviewed by hand) or `todo`. The
glosses are groups « / » apart, each a part-of-speech label, a space and one
to three glosses «; » apart, commonest use first:

    close	checked	動 閉じる; 閉める / 形 近い

A single «-» gives the headword no gloss (a, the). The same groups are what
LxGloss.dat stores after the TAB; a group without a label (number words)
is its glosses alone.
"""

import collections
import glob
import os

# The part-of-speech labels of Japanese learner dictionaries, in the order
# they are listed in the files' documentation.
LABELS = ("名", "動", "形", "副", "前", "接", "代", "助", "間")
STATES = ("checked", "todo")
MAX_PER_GROUP = 3
GROUP_SEPARATOR = " / "
GLOSS_SEPARATOR = "; "

HandEntry = collections.namedtuple("HandEntry", "headword state groups path line")


def format_groups(groups):
    """[(label or "", [gloss, ...]), ...] → «名 光; 明かり / 形 明るい»."""
    return GROUP_SEPARATOR.join(
        (label + " " if label else "") + GLOSS_SEPARATOR.join(glosses) for label, glosses in groups)


def first_glosses(text):
    """The glosses of the first group of a stored gloss text, label left out."""
    head = text.split(GROUP_SEPARATOR)[0]
    if len(head) > 2 and head[0] in LABELS and head[1] == " ":
        head = head[2:]
    return head.split(GLOSS_SEPARATOR)


def all_glosses(text):
    """Every gloss of a stored gloss text, labels left out, in order."""
    out = []
    for group in text.split(GROUP_SEPARATOR):
        if len(group) > 2 and group[0] in LABELS and group[1] == " ":
            group = group[2:]
        out.extend(group.split(GLOSS_SEPARATOR))
    return out


def parse_groups(text):
    """The groups of a hand file's gloss field, or raises ValueError with
    what is wrong. «-» gives []."""
    if text == "-":
        return []
    groups = []
    for part in text.split(GROUP_SEPARATOR):
        label, sep, rest = part.partition(" ")
        if not sep or label not in LABELS:
            raise ValueError("group %r does not start with a label (%s) and a space"
                             % (part, " ".join(LABELS)))
        if label in (g[0] for g in groups):
            raise ValueError("label %s used twice" % label)
        glosses = rest.split(GLOSS_SEPARATOR)
        if len(glosses) > MAX_PER_GROUP:
            raise ValueError("group %s has %d glosses, at most %d"
                             % (label, len(glosses), MAX_PER_GROUP))
        for g in glosses:
            if not g or g != g.strip() or any(c in g for c in ";\t/"):
                raise ValueError("gloss %r is empty, padded or holds ; / or a tab" % g)
            try:
                g.encode("cp932")
            except UnicodeEncodeError:
                raise ValueError("gloss %r has a character CP932 lacks" % g) from None
        if len(set(glosses)) != len(glosses):
            raise ValueError("group %s repeats a gloss" % label)
        groups.append((label, glosses))
    return groups


def read_hand_files(folder):
    """(entries by headword, errors): every line of every *.txt in FOLDER
    (file name order). Errors are «file:line: message» texts; a bad line is
    left out, a headword given twice keeps its first line."""
    entries, errors = {}, []
    for path in sorted(glob.glob(os.path.join(folder, "*.txt"))):
        name = os.path.relpath(path, os.path.dirname(folder))
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                line = line.rstrip("\n").rstrip("\r")
                if not line.strip() or line.startswith("#"):
                    continue
                where = "%s:%d" % (name, number)
                fields = line.split("\t")
                if len(fields) != 3:
                    errors.append("%s: %d fields, want headword TAB state TAB glosses"
                                  % (where, len(fields)))
                    continue
                headword, state, text = fields
                if state not in STATES:
                    errors.append("%s: state %r, want checked or todo" % (where, state))
                    continue
                try:
                    groups = parse_groups(text)
                except ValueError as e:
                    errors.append("%s: %s: %s" % (where, headword, e))
                    continue
                if headword in entries:
                    errors.append("%s: %s is also at %s" % (where, headword,
                                                             entries[headword].line))
                    continue
                entries[headword] = HandEntry(headword, state, groups, name, where)
    return entries, errors


def check_against(entries, headwords, offensive):
    """Errors of the hand table against the dictionary's HEADWORDS (a set)
    and the OFFENSIVE list: entries of no headword, offensive glosses."""
    errors = []
    for entry in entries.values():
        if entry.headword not in headwords:
            errors.append("%s: %s is not a headword of the dictionary" % (entry.line,
                                                                         entry.headword))
        for _, glosses in entry.groups:
            for g in glosses:
                if offensive.matches(g):
                    errors.append("%s: %s: %s is on the offensive list" % (entry.line,
                                                                         entry.headword, g))
    return errors


def review_report(entries, levels):
    """Lines telling, per file and per level, how many entries are checked
    and how many headwords of each level the table lacks. LEVELS is
    [(caption, [headword, ...]), ...]."""
    lines = []
    per_file = collections.OrderedDict()
    for entry in entries.values():
        per_file.setdefault(entry.path, collections.Counter())[entry.state] += 1
    for path, counts in per_file.items():
        lines.append("  %-34s %5d checked, %5d todo" % (path, counts["checked"], counts["todo"]))
    for caption, words in levels:
        have = [w for w in words if w in entries]
        checked = sum(1 for w in have if entries[w].state == "checked")
        lines.append("  %-8s %5d of %5d headwords in the table, %5d checked, %5d missing"
                     % (caption, len(have), len(words), checked, len(words) - len(have)))
    return lines
