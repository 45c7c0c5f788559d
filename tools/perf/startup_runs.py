#!/usr/bin/env python3
"""Times start-up from launch to the first presented frame, for the game and for the empty SDL program, in turns:
the wall time since the launch and the CPU time of the process's threads until then.

Run under an X server (tools/perf_report.sh uses xvfb-run). The clock is CLOCK_MONOTONIC, read just before each
program is started; the empty program prints the moment it presented its frame, the game's frame log (a build with
MORVIK_FRAME_LOG) holds the moment of its first frame's present and of each start-up step.

    startup_runs.py GAME_DIR EMPTY_WINDOW RUNS OUT.json
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def run_empty(program, env):
    """Wall and CPU milliseconds to the empty program's first frame."""
    launched = time.monotonic_ns()
    out = subprocess.run([program], capture_output=True, text=True, env=env, timeout=30, check=True).stdout.split()
    return (int(out[1]) - launched) / 1e6, int(out[3]) / 1e6


def read_log(path, launched):
    steps, first, cpu = [], None, None
    with open(path) as log:
        for line in log:
            fields = line.split()
            if fields[0] == "step":
                steps.append([" ".join(fields[1:-1]), (int(fields[-1]) - launched) / 1e6])
            elif fields[0] == "frame" and fields[1] == "0":
                first = (int(fields[4]) - launched) / 1e6
            elif fields[0] == "cpu_first_frame":
                cpu = int(fields[1]) / 1e6
    return first, cpu, steps


def run_game(game, env, log):
    if os.path.exists(log):
        os.remove(log)
    launched = time.monotonic_ns()
    process = subprocess.Popen([os.path.join(game, "morvik")], env=env)
    time.sleep(1.5)  # start-up takes a fraction of this; the game then ends as it does when the session asks
    process.send_signal(signal.SIGTERM)
    if process.wait(timeout=30) != 0:
        raise SystemExit("the game ended with status %d" % process.returncode)
    return read_log(log, launched)


def main():
    source, empty, runs, out = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    work = tempfile.mkdtemp(prefix="morvik-startup-")
    try:
        game = os.path.join(work, "game")
        shutil.copytree(source, game)  # a fresh folder: no saved settings
        log = os.path.join(work, "frame-log.txt")
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", MORVIK_FRAME_LOG_FILE=log)
        # One of each first, unmeasured, so that every measured run finds the files and libraries cached.
        run_empty(empty, env)
        run_game(game, env, log)
        results = {"empty_ms": [], "game_ms": [], "empty_cpu_ms": [], "game_cpu_ms": [], "game_steps": []}
        for _ in range(runs):
            wall, cpu = run_empty(empty, env)
            results["empty_ms"].append(wall)
            results["empty_cpu_ms"].append(cpu)
            first, cpu, steps = run_game(game, env, log)
            results["game_ms"].append(first)
            results["game_cpu_ms"].append(cpu)
            results["game_steps"].append(steps)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    with open(out, "w") as f:
        json.dump(results, f, indent=1)


if __name__ == "__main__":
    main()
