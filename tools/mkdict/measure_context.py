#!/usr/bin/env python3
"""Measures context reading on tools/mkdict/context_eval.txt through the
program: each sentence is written as a one-line text and
`lexiscoop-cli words --form base` lists its words; a sentence counts as read
right when the listed base forms hold the expected headword. Prints the share
with context reading and, beside it, with --no-context (the one headword rule).

    measure_context.py CLI [EVAL]
"""
import os
import subprocess
import sys
import tempfile


def base_forms(cli, path, *options):
    out = subprocess.run([cli, *options, "words", "--form", "base", path],
                         capture_output=True, text=True, check=True).stdout
    return {line.split("\t")[0].lower() for line in out.splitlines() if line}


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
    right = {"context": 0, "rule": 0}
    misses = []
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "sentence.txt")
        for sentence, word, headword, group in rows:
            with open(path, "w", encoding="ascii", newline="") as f:
                f.write(sentence + "\r\n")
            if headword.lower() in base_forms(cli, path):
                right["context"] += 1
            else:
                misses.append(f"{sentence}\t{word}\texpected {headword}")
            if headword.lower() in base_forms(cli, path, "--no-context"):
                right["rule"] += 1
    n = len(rows)
    print(f"context reading: headword right {right['context']}/{n} = {100 * right['context'] / n:.1f}%")
    print(f"one headword rule: headword right {right['rule']}/{n} = {100 * right['rule'] / n:.1f}%")
    for miss in misses:
        print("  miss:", miss)


if __name__ == "__main__":
    main()
