#!/usr/bin/env python3
"""Times several commands by running them in turns and prints their medians.

Each line of the command file is NAME TAB RUNS TAB COMMAND (the command split as
the shell would, without a shell). The commands run in rounds, one run of each
command a round, as long as the command has runs left, so that a change in the
machine's load falls on all of them alike. A round of warm-up runs comes first
for the commands with three runs or more. Standard output goes to /dev/null.

Prints, for each command: NAME TAB median wall seconds TAB median CPU seconds
(user + system, its child processes included) TAB runs, or NAME TAB failed TAB
the last line of its error output. A failed run is tried twice more after a pause
(another program may hold the file for a moment); a command that fails three times
in a row is not run again.

usage: run_timed.py COMMAND_FILE
"""
import os
import shlex
import statistics
import sys
import tempfile
import time


def run_once(argv, error_path):
    actions = [
        (os.POSIX_SPAWN_OPEN, 0, os.devnull, os.O_RDONLY, 0),
        (os.POSIX_SPAWN_OPEN, 1, os.devnull, os.O_WRONLY, 0),
        (os.POSIX_SPAWN_OPEN, 2, error_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600),
    ]
    start = time.perf_counter()
    try:
        pid = os.posix_spawnp(argv[0], argv, os.environ, file_actions=actions)
    except OSError as e:
        with open(error_path, "w", encoding="utf-8") as f:
            f.write("%s: %s\n" % (argv[0], e.strerror))
        return 127, 0.0, 0.0
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    return os.waitstatus_to_exitcode(status), wall, usage.ru_utime + usage.ru_stime


def run_with_retries(job, error_path):
    """Returns (wall, cpu) of a successful run, or None and sets job["error"]."""
    for attempt in range(3):
        if attempt > 0:
            time.sleep(1.0)
        code, wall, cpu = run_once(job["argv"], error_path)
        if code == 0:
            return wall, cpu
        message = "exit %d: %s" % (code, last_line(error_path))
        print("run_timed: %s failed (%s)" % (job["name"], message), file=sys.stderr)
    job["error"] = message
    return None


def last_line(path):
    with open(path, "rb") as f:
        lines = f.read().decode("utf-8", "replace").strip().splitlines()
    return lines[-1] if lines else "no error output"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    jobs = []
    with open(sys.argv[1], encoding="utf-8") as f:
        for line in f:
            if line.strip():
                name, runs, command = line.rstrip("\n").split("\t", 2)
                jobs.append({"name": name, "runs": int(runs), "argv": shlex.split(command),
                             "wall": [], "cpu": [], "error": None})
    with tempfile.TemporaryDirectory() as scratch:
        error_path = os.path.join(scratch, "stderr")
        for job in jobs:
            if job["runs"] >= 3:
                run_with_retries(job, error_path)
        for round_number in range(max((job["runs"] for job in jobs), default=0)):
            for job in jobs:
                if job["error"] or round_number >= job["runs"]:
                    continue
                result = run_with_retries(job, error_path)
                if result:
                    job["wall"].append(result[0])
                    job["cpu"].append(result[1])
    for job in jobs:
        if job["error"]:
            print("%s\tfailed\t%s" % (job["name"], job["error"]))
        else:
            print("%s\t%.4f\t%.4f\t%d" % (job["name"], statistics.median(job["wall"]),
                                         statistics.median(job["cpu"]), len(job["wall"])))


if __name__ == "__main__":
    main()
