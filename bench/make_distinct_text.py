#!/usr/bin/env python3
"""Writes an English-looking text with a given number of distinct words.

About half of the words are new (made-up words of two or three syllables, each
new word different from every earlier one without regard to letter case); the
others repeat either a common English word or a uniformly chosen earlier word, so the counter's look-ups miss its caches as a large vocabulary does.
Sentences start with a capital letter; lines are wrapped at about 72 columns
and end with CR LF. The output depends only on the arguments.

usage: make_distinct_text.py DISTINCT [SEED] > FILE
"""
import random
import sys

COMMON = (
    "the of and to in a is that for it as was with be by on not he i this are or his "
    "from at which but have an had they you were their one all we can her has there "
    "been if more when will would who so no she other its may these about into than "
    "them time only new some could also two any then do first my now such like our "
    "over man me even most made after very well where many through back years much "
    "before good great way just those people how long same down day should because"
).split()


def syllables():
    # Repeated entries make the short spellings more frequent.
    onsets = "b c d f g h j k l m n p r s t v w y z".split() * 2
    onsets += "bl br ch cl cr dr fl fr gl gr pl pr sh sk sl sp st th tr".split()
    vowels = "a e i o u".split() * 2 + "ai ea ee oo ou".split()
    codas = [""] * 10 + "n r s t l m nd st ck ng".split()
    return [o + v + c for o in onsets for v in vowels for c in codas]


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.strip().splitlines()[-1])
    distinct_target = int(sys.argv[1])
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) == 3 else 1611)
    parts = syllables()
    seen = set(COMMON)
    words = []  # the made-up words so far, in order of first use
    out = sys.stdout.buffer
    chunk = []
    line = []
    line_length = 0
    lines_in_paragraph = 0
    sentence_left = 0

    def emit(token):
        nonlocal line_length, lines_in_paragraph
        if line_length + len(token) + 1 > 72 and line:
            chunk.append(" ".join(line) + "\r\n")
            line.clear()
            line_length = 0
            lines_in_paragraph += 1
            if lines_in_paragraph >= 8 and rng.random() < 0.25:
                chunk.append("\r\n")
                lines_in_paragraph = 0
        line.append(token)
        line_length += len(token) + 1

    while len(words) < distinct_target:
        if sentence_left == 0:
            sentence_left = rng.randint(6, 18)
            capital = True
        roll = rng.random()
        if roll < 0.55:
            while True:
                word = "".join(rng.choices(parts, k=rng.randint(2, 3)))
                if word not in seen:
                    break
            seen.add(word)
            words.append(word)
        elif roll < 0.85:
            word = rng.choice(COMMON)
        else:
            word = words[rng.randrange(len(words))] if words else rng.choice(COMMON)
        if capital:
            word = word.capitalize()
            capital = False
        sentence_left -= 1
        if sentence_left == 0:
            word += "."
        elif rng.random() < 0.06:
            word += ","
        emit(word)
        if len(chunk) >= 4096:
            out.write("".join(chunk).encode("ascii"))
            chunk.clear()
    if line:
        chunk.append(" ".join(line) + "\r\n")
    out.write("".join(chunk).encode("ascii"))


if __name__ == "__main__":
    main()
