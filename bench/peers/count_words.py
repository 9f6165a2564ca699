#!/usr/bin/env python3
"""Counts the words of a file the way a Python user would: one regular expression
over the lower-cased bytes and a collections.Counter. Prints word TAB count, in
order of first appearance.

usage: count_words.py FILE
"""
import collections
import re
import sys

WORD = re.compile(rb"[a-z][a-z0-9_'-]*")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "rb") as f:
        text = f.read().lower()
    counts = collections.Counter(WORD.findall(text))
    sys.stdout.buffer.write(b"".join(b"%s\t%d\n" % item for item in counts.items()))


if __name__ == "__main__":
    main()
