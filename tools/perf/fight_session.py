#!/usr/bin/env python3
"""Plays the real game (a MORVIK_FRAME_LOG build) under an X server for a timed fight and keeps its frame log.

Starts a training match with real key presses (Down, Return), waits for the fight, then for SECONDS presses keys as
a player would: punches with J and I now and then, a walk in with D from time to time; any press also carries the
match on between rounds. Alt+F4 ends the game, which writes its frame log; the log is copied to OUT.

    fight_session.py GAME_DIR SECONDS OUT_LOG

Sound plays on SDL's dummy audio device, which takes fragments at the pace of a real one.
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

CARD_SHOWS_AFTER = 2.5  # the menu slides away (1.6 s) and the card is up
FIGHT_STARTS_AFTER = 5.5  # the countdown takes 5 s once the right hand is pressed


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def find_window():
    for _ in range(100):
        found = subprocess.run(["xdotool", "search", "--name", "^Morvik 1.1$"], capture_output=True, text=True)
        if found.stdout.strip():
            return found.stdout.split()[0]
        time.sleep(0.1)
    raise SystemExit("the game's window did not appear")


def play(window, seconds, rng):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if rng.random() < 0.15:
            xdotool("keydown", "--window", window, "d")
            time.sleep(rng.uniform(0.2, 0.6))
            xdotool("keyup", "--window", window, "d")
        xdotool("key", "--window", window, rng.choice(["j", "i"]))
        time.sleep(rng.uniform(0.25, 0.6))


def main():
    source, seconds, out = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    work = tempfile.mkdtemp(prefix="morvik-fight-")
    try:
        game = os.path.join(work, "game")
        shutil.copytree(source, game)
        log = os.path.join(work, "frame-log.txt")
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", MORVIK_FRAME_LOG_FILE=log)
        process = subprocess.Popen([os.path.join(game, "morvik")], env=env)
        window = find_window()
        time.sleep(0.5)
        xdotool("mousemove", "--window", window, "20", "20")
        xdotool("key", "--window", window, "Down")
        time.sleep(0.1)
        xdotool("key", "--window", window, "Return")
        # The first training countdown waits with the how-to-play card up until the right hand is pressed.
        time.sleep(CARD_SHOWS_AFTER)
        xdotool("key", "--window", window, "j")
        time.sleep(FIGHT_STARTS_AFTER)
        play(window, seconds, random.Random(1))
        xdotool("key", "--window", window, "alt+F4")
        if process.wait(timeout=30) != 0:
            raise SystemExit("the game ended with status %d" % process.returncode)
        shutil.copy(log, out)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
