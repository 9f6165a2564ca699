#!/usr/bin/env python3
"""Measures the shipped glosses (訳語) and prints the figures.

    measure_gloss.py --tool LXDICTOOL --data DIR [--eval gloss_eval.txt] [--misses]

1. Coverage: the share of the headwords of each level list that have a
   gloss in LxGloss.dat (targets: all of 基本, 中学 and 大学受験, 90% of
   一般), how many of them have a katakana first gloss, and how far the
   hand-checked table (hand_glosses/) covers and has reviewed the first
   three levels. No shipped gloss may be on the offensive list
   (offensive_ja.txt); the count is printed.
2. Quality: for every headword of the evaluation list (gloss_eval.txt,
   written by hand) that gloss_fixes.txt does not correct, whether the
   first shipped gloss is one a teacher would accept; figures for 基本+中学
   and for the rest, by the levels on file now. A headword without a gloss
   counts as a miss. The same figures for the tuning list (gloss_dev.txt),
   which the ranking's weights were fitted on: the test list is the fair
   figure, the gap between the two shows how far the fit flatters.
3. With --changes OLD.dat: the headwords of 基本, 中学 and 大学受験 whose
   first gloss differs from OLD.dat's, words of the evaluation list left
   out, for reviewing a change to the ranking by eye without looking at
   the test list.
Both files are read through the program's own list code (lxdictool dump).
"""

import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mkgloss  # noqa: E402
from hand_glosses import (all_glosses, check_against, first_glosses, read_hand_files,  # noqa: E402
                          review_report)
from offensive import OffensiveList  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
LEVELS = (("LXBasics", "基本"), ("LXJunior", "中学"), ("LXToUnuvercity", "大学受験"),
          ("LXGeneral", "一般"))


def dump(tool, path, encoding):
    out = subprocess.run([tool, "dump", path], check=True, capture_output=True).stdout
    return out.decode(encoding).splitlines()


def fold(text):
    """Katakana to hiragana, the placeholder ～ (～について) left out, a
    final な, の or する dropped."""
    text = "".join(chr(ord(c) - 0x60) if "\u30a1" <= c <= "\u30f6" else c for c in text
                   if c not in "～〜")
    for tail in ("する", "な", "の"):
        if text.endswith(tail) and len(text) > len(tail):
            return text[: -len(tail)]
    return text


def read_eval(path):
    return [(word, {fold(a) for a in accepted.split("|")}) for word, accepted in mkgloss.read_tab_file(path)]


def quality(evaluation, glosses, level_of, fixed, indent="    "):
    """Prints the share of EVALUATION's headwords whose first gloss is
    acceptable, for 基本+中学 and the rest; returns the misses."""
    groups = {"low": [0, 0], "high": [0, 0]}
    misses = []
    for word, accepted in evaluation:
        if word in fixed:
            continue  # a hand correction measures nothing of the ranking
        group = "low" if level_of.get(word.lower(), 5) <= 2 else "high"
        shipped = glosses.get(word.lower())
        ok = bool(shipped) and fold(shipped[0]) in accepted
        groups[group][0] += ok
        groups[group][1] += 1
        if not ok:
            misses.append("%s\t%s" % (word, "; ".join(shipped) if shipped else "-"))
    for group, caption, target in (("low", "基本+中学", 95.0), ("high", "その他", 85.0)):
        good, total = groups[group]
        share = 100.0 * good / total if total else 0.0
        print(indent + "top gloss acceptable %-9s %4d of %4d  %5.1f%%  (target %.0f%%) %s"
              % (caption, good, total, share, target, "ok" if share >= target else "LOW"))
    return misses


def read_glosses(tool, path, whole=False):
    """Headword in lower case → its first group's glosses (WHOLE: every
    gloss) in a gloss file; a line without a TAB (the version line) is left
    out."""
    glosses = {}
    for line in dump(tool, path, "cp932"):
        word, tab, text = line.partition("\t")
        if tab:
            glosses[word.lower()] = all_glosses(text) if whole else first_glosses(text)
    return glosses


def is_katakana(text):
    return bool(mkgloss.KATAKANA.match(text))


def print_changes(old, new, level_of, left_out):
    """Prints «headword | old glosses -> new glosses» for the headwords of
    the first three levels whose first gloss changed, LEFT_OUT aside."""
    words = sorted(w for w in set(old) | set(new)
                   if level_of.get(w, 5) <= 3 and w not in left_out and
                   old.get(w, [""])[0] != new.get(w, [""])[0])
    print("  first gloss changed (levels 1-3, test list left out): %d" % len(words))
    for w in words:
        print("    %s | %s -> %s" % (w, "; ".join(old.get(w, ["-"])), "; ".join(new.get(w, ["-"]))))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tool", required=True)
    ap.add_argument("--data", required=True)
    ap.add_argument("--eval", default=os.path.join(HERE, "gloss_eval.txt"))
    ap.add_argument("--tuning", default=os.path.join(HERE, "gloss_dev.txt"),
                    help="the list the ranking's weights were fitted on")
    ap.add_argument("--misses", action="store_true", help="list the evaluation misses")
    ap.add_argument("--changes", metavar="OLD.dat",
                    help="list the first glosses that differ from an older gloss file")
    args = ap.parse_args()

    glosses = read_glosses(args.tool, os.path.join(args.data, "LxGloss.dat"))
    hand, errors = read_hand_files(os.path.join(HERE, "hand_glosses"))
    # A headword the hand table gives no gloss on purpose (a, the) is covered.
    covered = set(glosses) | {w.lower() for w, e in hand.items() if not e.groups}
    level_of = {}
    levels = []
    print("Glosses (訳語): %d headwords" % len(glosses))
    for number, (name, caption) in enumerate(LEVELS, 1):
        words = dump(args.tool, os.path.join(args.data, name + ".dat"), "ascii")
        for w in words:
            level_of.setdefault(w.lower(), number)
        have = sum(1 for w in words if w.lower() in covered)
        target = 90.0 if number == 4 else 100.0
        share = 100.0 * have / len(words) if words else 0.0
        single = [w for w in words if "-" not in w]
        have_single = sum(1 for w in single if w.lower() in covered)
        katakana = sum(1 for w in words if is_katakana(glosses.get(w.lower(), [""])[0]))
        print("  coverage %-8s %5d of %5d  %5.1f%%  (target %.0f%%) %s; single words %5.1f%%;"
              " katakana first %4d" % (caption, have, len(words), share, target,
                                       "ok" if share >= target else "LOW",
                                       100.0 * have_single / len(single) if single else 0.0,
                                       katakana))
        levels.append((caption, words))
    offensive = OffensiveList(os.path.join(HERE, "offensive_ja.txt"))
    every = read_glosses(args.tool, os.path.join(args.data, "LxGloss.dat"), whole=True)
    bad = sorted("%s %s" % (w, g) for w, gs in every.items() for g in gs if offensive.matches(g))
    print("  glosses on the offensive list (%d terms): %d (target 0) %s%s"
          % (len(offensive), len(bad), "ok" if not bad else "FAIL: ", ", ".join(bad[:20])))
    headwords = {line.split("\t")[0] for line in dump(args.tool, os.path.join(args.data, "LxScoop.dat"),
                                                       "ascii")}
    errors += check_against(hand, headwords, offensive)
    print("  hand-checked table: %d entries, %d faults (lines left out, glosses not shipped)"
          % (len(hand), len(errors)))
    for e in errors:
        print("    fault: " + e)
    for line in review_report(hand, levels[:3]):
        print("  " + line)

    if args.changes:
        print_changes(read_glosses(args.tool, args.changes), glosses, level_of,
                      {word.lower() for word, _ in read_eval(args.eval)})
        return 0
    fixed = set(mkgloss.read_fixes(os.path.join(HERE, "gloss_fixes.txt")))
    grammar = {word for word, _ in mkgloss.read_tab_file(os.path.join(HERE, "grammar_glosses.txt"))}
    for path, caption in ((args.eval, "test list"), (args.tuning, "tuning list")):
        print("  %s (%s):" % (caption, os.path.basename(path)))
        evaluation = read_eval(path)
        misses = quality(evaluation, glosses, level_of, fixed)
        # The closed-class words are glossed by hand (grammar_glosses.txt):
        # the same figures without them measure the ranking alone.
        print("    without the %d closed-class words glossed by hand:"
              % sum(1 for word, _ in evaluation if word in grammar and word not in fixed))
        quality(evaluation, glosses, level_of, fixed | grammar, indent="      ")
        if args.misses:
            for m in misses:
                print("    miss: " + m)
    return 0


if __name__ == "__main__":
    sys.exit(main())
