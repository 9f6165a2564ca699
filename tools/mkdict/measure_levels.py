"""Figures about the levels, measured through the program (lxdictool
resolve): the school stages of the evaluation list against the levels, taboo
words in the levels, hyphenated words, and learner errors."""

import collections
import os
import re
import subprocess

import sources
from compounds import TENS, ONES, parts_known, wordnet_hyphenated

HERE = os.path.dirname(os.path.abspath(__file__))
LEVEL_NAMES = {1: "基本", 2: "中学", 3: "大学受験", 4: "一般", 0: "その他", -1: "未登録"}
STAGES = ("elementary", "junior", "high", "advanced")
# (levels that count as right, target share) per stage; for "advanced" the
# target is that none is in 基本 or 中学.
TARGETS = {"elementary": ({1, 2}, 0.95), "junior": ({1, 2}, 0.90),
           "high": ({3, 4}, 0.80), "advanced": ({0, 3, 4, -1}, 1.0)}
HYPHENATED = re.compile(rb"\b[A-Za-z]+(?:-[A-Za-z]+)+\b")


def hand_words(name):
    return {w.lower() for row in sources.read_hand_file(os.path.join(HERE, name)) for w in row}


def read_evaluation():
    stage_of = {}
    for row in sources.read_hand_file(os.path.join(HERE, "evaluation.txt")):
        for w in row[1:]:
            stage_of.setdefault(w, row[0])
    return stage_of


def level_of(program, word):
    chosen, _, level, _ = program[word]
    return -1 if chosen is None else level


def stage_table(program):
    """Prints the stage table; returns whether every target is met."""
    stage_of = read_evaluation()
    tuned = set()
    for row in sources.read_hand_file(os.path.join(HERE, "topics.txt")):
        tuned.update(w.lower() for w in row[2:])
    for row in sources.read_hand_file(os.path.join(HERE, "levels.txt")):
        tuned.add(row[0].lower())
    program.ask(stage_of)
    counts = {s: collections.Counter() for s in STAGES}
    held = {s: [0, 0] for s in STAGES}
    misses = collections.defaultdict(list)
    for word, stage in sorted(stage_of.items()):
        level = level_of(program, word)
        counts[stage][level] += 1
        good = level in TARGETS[stage][0]
        if not good:
            misses[stage].append(f"{word}({LEVEL_NAMES[level]})")
        if word.lower() not in tuned:
            held[stage][0] += good
            held[stage][1] += 1
    print(f"School stages of the evaluation list ({len(stage_of)} words) against the levels")
    print("  stage        " + " ".join(f"{LEVEL_NAMES[n]:>6s}" for n in (1, 2, 3, 4, 0, -1))
          + "   right  target  (words no hand list names)")
    met = True
    for stage in STAGES:
        c = counts[stage]
        n = sum(c.values())
        right = sum(c[lv] for lv in TARGETS[stage][0]) / max(n, 1)
        ok = right >= TARGETS[stage][1]
        met &= ok
        h_ok, h_n = held[stage]
        print(f"  {stage:12s} " + " ".join(f"{c[lv]:6d}" for lv in (1, 2, 3, 4, 0, -1))
              + f"  {100 * right:5.1f}%  {'met' if ok else 'MISSED':6s}"
              + f"  {h_ok}/{h_n} = {100 * h_ok / max(h_n, 1):.1f}%")
    for stage in STAGES:
        if misses[stage]:
            print(f"  {stage} off target: {' '.join(misses[stage])}")
    return met


def taboo_in_levels(tool, data):
    """Taboo words found in the level lists (must be none)."""
    taboo = hand_words("taboo.txt")
    found = []
    for name in ("LXBasics", "LXJunior", "LXToUnuvercity", "LXGeneral"):
        lines = subprocess.run([tool, "dump", os.path.join(data, name + ".dat")],
                               capture_output=True, text=True, check=True).stdout
        for line in lines.splitlines():
            w = line.strip().lower()
            if w in taboo or any(p in taboo for p in w.split("-")):
                found.append(f"{w}({name})")
    print(f"Taboo words in the level lists: {len(found)} {' '.join(found)}")
    return not found


def hyphenated(program, texts, headwords):
    """Hyphenated tokens of the prose found in the dictionary, WordNet's
    hyphenated lemmas made of dictionary words, and the numbers."""
    tokens = collections.Counter()
    for text in texts.values():
        for m in HYPHENATED.finditer(text):
            tokens[m.group().decode("ascii")] += 1
    program.ask(tokens)
    covered = {w.lower() for w in headwords}
    made = [spelling for key, (spelling, _) in wordnet_hyphenated().items()
            if parts_known(spelling, covered)]
    numbers = [f"{t}-{o}" for t in TENS for o in ONES]
    program.ask(made + numbers)
    eligible = {w: n for w, n in tokens.items() if parts_known(w, covered)}
    found = sum(n for w, n in eligible.items() if program[w][0] is not None)
    total = sum(eligible.values())
    print("Hyphenated words")
    print(f"  prose tokens made of dictionary words: {found} / {total} = "
          f"{100 * found / max(total, 1):.2f}% (all hyphenated tokens: {sum(tokens.values())})")
    lemmas = sum(1 for w in made if program[w][0] is not None)
    print(f"  WordNet hyphenated lemmas made of dictionary words: {lemmas} / {len(made)} = "
          f"{100 * lemmas / max(len(made), 1):.2f}%")
    nums = sum(1 for w in numbers if program[w][0] is not None)
    print(f"  twenty-one .. ninety-nine: {nums} / {len(numbers)}")
    missing = sorted(eligible, key=lambda w: -eligible[w])
    missing = [w for w in missing if program[w][0] is None][:20]
    print("  most frequent missing: " + " ".join(f"{w}({eligible[w]})" for w in missing))
    return nums == len(numbers)


def learner_errors(program):
    errors = sorted(w for row in sources.read_hand_file(os.path.join(HERE, "learner_errors.txt"))
                    for w in row)
    program.ask(errors)
    found = [w for w in errors if program[w][0] is not None]
    share = 1 - len(found) / len(errors)
    print(f"Learner errors left 未登録: {len(errors) - len(found)} / {len(errors)} = "
          f"{100 * share:.1f}%{' (found: ' + ' '.join(found) + ')' if found else ''}")
    return not found
