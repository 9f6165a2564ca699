#!/usr/bin/env python3
"""Measures context reading on tools/mkdict/context_eval.txt through the
program: each sentence is written as a one-line text and
`lexiscoop-cli words --form base --columns word,gloss` lists its words; a
sentence's headword is right when the listed base forms hold the expected
headword, its gloss group when that row's glosses start with the expected part
of speech. Prints the shares with context reading and, beside them, with
--no-context (the one headword rule and the glosses' own order).

    measure_context.py CLI [EVAL]
"""
import os
import subprocess
import sys
import tempfile


def base_forms(cli, path, *options):
    """Each listed base form, lower case, with its glosses."""
    out = subprocess.run([cli, *options, "words", "--form", "base", "--columns", "word,gloss", path],
                         capture_output=True, text=True, check=True).stdout
    rows = (line.split("\t") for line in out.splitlines() if line)
    return {row[0].lower(): row[1] if len(row) > 1 else "" for row in rows}


def main():
    cli = sys.argv[1]
    eval_path = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(__file__), "context_eval.txt")
    rows = []
    with open(eval_path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            sentence, word, headword, group = line.rstrip("\n").split("\t")
            rows.append((sentence, word, headword, group))
    right = {"context": [0, 0], "rule": [0, 0]}
    misses = []
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "sentence.txt")
        for sentence, word, headword, group in rows:
            with open(path, "w", encoding="ascii", newline="") as f:
                f.write(sentence + "\r\n")
            for mode, options in (("context", ()), ("rule", ("--no-context",))):
                forms = base_forms(cli, path, *options)
                headword_right = headword.lower() in forms
                group_right = headword_right and forms[headword.lower()].startswith(group + " ")
                right[mode][0] += headword_right
                right[mode][1] += group_right
                if mode == "context" and not (headword_right and group_right):
                    misses.append(f"{sentence}\t{word}\texpected {headword} {group}\tgot "
                                  + "; ".join(f"{k}: {v}" for k, v in forms.items() if k[:2] == word.lower()[:2]))
    n = len(rows)
    for mode, name in (("context", "context reading"), ("rule", "one headword rule")):
        h, g = right[mode]
        print(f"{name}: headword right {h}/{n} = {100 * h / n:.1f}%, gloss group right {g}/{n} = {100 * g / n:.1f}%")
    for miss in misses:
        print("  miss:", miss)


if __name__ == "__main__":
    main()
