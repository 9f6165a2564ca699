"""Writes LxGloss.txt, the glosses (訳語) of every headword: the hand-checked
table's where it has the headword, else the hand corrections and the
closed-class words, else the ranking's (gloss_groups.py); no gloss on the
offensive list."""

import os
import sys

from gloss_groups import grouped
from hand_glosses import check_against, format_groups, read_hand_files, review_report
from mkgloss import VERSION_LINE, read_fixes, read_tab_file

LEVEL_FILES = (("LXBasics", "基本"), ("LXJunior", "中学"), ("LXToUnuvercity", "大学受験"))


def read_taboo(path):
    """The lower-case words of taboo.txt."""
    words = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                words.update(w.lower() for w in line.split())
    return words


def read_lines(path):
    with open(path, encoding="ascii") as f:
        return [line.rstrip("\n").split("\t")[0] for line in f if line.strip()]


def hand_errors(hand, errors, headwords, offensive, fixes, grammar):
    """Every fault of the hand-kept glosses: malformed lines (ERRORS), hand
    entries of no headword, offensive hand glosses."""
    errors = errors + check_against(hand, set(headwords), offensive)
    for word, text in list(fixes.items()) + list(grammar.items()):
        for g in text.split("; ") if text else []:
            if offensive.matches(g):
                errors.append("%s: %s is on the offensive list" % (word, g))
    return errors


def without_offensive(groups, offensive):
    """GROUPS less every offensive gloss, and less the groups left empty."""
    kept = [(label, [g for g in glosses if not offensive.matches(g)]) for label, glosses in groups]
    return [(label, glosses) for label, glosses in kept if glosses]


def write_glosses(args, index, second, offensive):
    """Writes args.out and prints what the hand table holds and lacks, and
    its faults: a malformed line is left out, an offensive gloss is not
    shipped (tests and the measurement count the faults, so that one
    writer's slip does not stop the others' data from being built)."""
    headwords = read_lines(args.dictionary)
    hand, errors = read_hand_files(args.hand)
    fixes = read_fixes(args.fixes)
    grammar = dict(read_tab_file(args.grammar))
    for e in hand_errors(hand, errors, headwords, offensive, fixes, grammar):
        print("mkgloss: fault, left out: " + e, file=sys.stderr)
    taboo = read_taboo(args.taboo)
    lines = [VERSION_LINE]
    taboo_left_out = 0
    for word in headwords:
        if word in hand:
            groups = without_offensive(hand[word].groups, offensive)
        elif word in fixes:
            groups = without_offensive([("", fixes[word].split("; "))] if fixes[word] else [],
                                       offensive)
        elif word in grammar:
            groups = without_offensive([("", grammar[word].split("; "))], offensive)
        elif word.lower() in taboo:
            # A swear word or a slur has no gloss a class may be shown but
            # one written by hand.
            taboo_left_out += 1
            groups = []
        else:
            groups = grouped(index, second, word, offensive)
        for _, glosses in groups:
            for g in glosses:
                if offensive.matches(g):
                    raise AssertionError("offensive gloss %s of %s" % (g, word))
        if groups:
            lines.append(word + "\t" + format_groups(groups))
    with open(args.out, "wb") as f:
        for line in lines:
            f.write(line.encode("cp932") + b"\n")
    print("mkgloss: %d of %d headwords glossed, %d from the hand table; %d taboo words "
          "left without a gloss" % (len(lines) - 1, len(headwords),
                                    sum(1 for w in headwords if w in hand), taboo_left_out),
          file=sys.stderr)
    folder = os.path.dirname(os.path.abspath(args.dictionary))
    levels = [(caption, read_lines(os.path.join(folder, name + ".txt")))
              for name, caption in LEVEL_FILES if os.path.exists(os.path.join(folder, name + ".txt"))]
    print("mkgloss: hand-checked table:", file=sys.stderr)
    for line in review_report(hand, levels):
        print("mkgloss: " + line, file=sys.stderr)
    return 0
