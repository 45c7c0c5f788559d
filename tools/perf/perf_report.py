#!/usr/bin/env python3
"""Writes the start-up, loading, frame cost, frame pacing and latency sections of docs/PERFORMANCE.md.

    perf_report.py BUILD_DIR DOC

BUILD_DIR holds what tools/perf_report.sh measured (startup.json, load_bench.json, frame_cost*.txt,
callgrind.txt, fight.json and a machine note for each). Every figure comes from those files; each section sits
between two markers, so the other sections of the file (the sound figures among them) are kept as they are.
"""
import json
import os
import re
import statistics
import sys

COMMAND = "tools/perf_report.sh"
FRAME_BUDGET_MS = 20.0
SOUND_BEGIN = "<!-- sound figures: written by tools/bench_report.sh -->"


def load_json(build, name):
    with open(os.path.join(build, name)) as f:
        return json.load(f)


def key_values(build, name):
    values = {}
    with open(os.path.join(build, name)) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 2:
                values[parts[0]] = float(parts[1])
    return values


def machine(build, name):
    m = load_json(build, name + ".machine.json")
    return "on {} CPUs ({}), load average {} before the run, {}".format(m["cpus"], m["model"], m["load"], m["date"])


def met(condition):
    return "met" if condition else "**not met**"


def startup_section(build):
    d = load_json(build, "startup.json")
    empty, game = statistics.median(d["empty_ms"]), statistics.median(d["game_ms"])
    pairs = [g / e for g, e in zip(d["game_ms"], d["empty_ms"])]
    ratio = game / empty
    empty_cpu, game_cpu = statistics.median(d["empty_cpu_ms"]), statistics.median(d["game_cpu_ms"])
    runs = len(d["game_ms"])
    out = ["## Start-up", "",
           "Measured by `{}` ({} runs of each under Xvfb with Mesa's software OpenGL, alternating) {}.".format(
               COMMAND, runs, machine(build, "startup")), "",
           "From the moment the script starts the program (CLOCK_MONOTONIC before the launch) to the first frame "
           "presented: for the game, its first frame (the main menu) as its frame log records it (a build with "
           "`-DMORVIK_FRAME_LOG=ON`, a fresh game folder, `SDL_AUDIODRIVER=dummy`); for the comparison, "
           "`tools/perf/empty_window` (SDL, the audio device the game opens, fed silence, a centred 800 by 600 "
           "OpenGL window, a context, one frame with one untextured quad, swapped). Medians of the runs; the "
           "window is 800 by 600 in both (the game's default zoom 2). CPU time is that of all the process's "
           "threads until the first frame was presented (`CLOCK_PROCESS_CPUTIME_ID`).", "",
           "| program | ms to the first frame (median) | fastest | slowest | CPU ms until then (median) |",
           "|---|---:|---:|---:|---:|",
           "| empty SDL2 + OpenGL 1.1 window with audio | {:.1f} | {:.1f} | {:.1f} | {:.1f} |".format(
               empty, min(d["empty_ms"]), max(d["empty_ms"]), empty_cpu),
           "| Morvik | {:.1f} | {:.1f} | {:.1f} | {:.1f} |".format(game, min(d["game_ms"]), max(d["game_ms"]),
                                                            game_cpu),
           "", "Ratio Morvik / empty program: **{:.2f}** in wall time (median of the per-run ratios {:.2f}), "
           "**{:.2f}** in CPU time; aim at most 1.5: {}.".format(ratio, statistics.median(pairs),
                                                               game_cpu / empty_cpu, met(ratio <= 1.5)), "",
           "### Where the time goes", "",
           "Each step's median time since launch, and the time since the step before it on the same thread. The "
           "fonts and the sprite sheet are loaded on a second thread while the game thread connects to the display, "
           "the ring backgrounds and the sound effects on that thread while the window opens; the game waits for "
           "them before the window opens and before its first frame.", "",
           "| step | ms since launch | ms for the step | thread |", "|---|---:|---:|---|"]
    names = [n for n, _ in d["game_steps"][0]]
    second = {"fonts", "sprite sheet", "ring backgrounds", "sound effects"}
    medians = {n: statistics.median([dict(map(tuple, s))[n] for s in d["game_steps"] if n in dict(map(tuple, s))])
               for n in names}
    previous = {"game": 0.0, "loading": None}
    ordered = sorted(names, key=lambda n: medians[n])
    for n in ordered:
        thread = "loading" if n in second else "game"
        before = previous[thread]
        if thread == "loading" and before is None:
            before = medians["SDL joysticks"]  # the loading thread starts right after the media layer
        label = "main (libraries loaded, static set-up)" if n == "main" else n
        out.append("| {} | {:.1f} | {:.1f} | {} |".format(label, medians[n], medians[n] - before, thread))
        previous[thread] = medians[n]
    last = max(medians[n] for n in names if n not in second)
    out.append("| first frame presented (menu drawn, textures made, swapped) | {:.1f} | {:.1f} | game |".format(
        game, game - last))
    out += ["", "### What limits it", "",
            "- Before the first frame the game must read its required data (font, sprite sheet, menu pictures, "
            "settings, roster), so that a missing file stops it before any window appears; the empty program "
            "reads nothing.",
            "- The window's two black frames (so that neither buffer shows old memory) and the first real frame "
            "cost more than the empty program's one clear: with Mesa's llvmpipe the first textured, blended quads "
            "compile their drawing code, and the first frame makes the textures of the menu picture and of each "
            "glyph on the screen.",
            "- What the first frame does not need (ten ring backgrounds, 28 sound effects) no longer delays it: it "
            "is loaded while the window opens. On two shared cores the loading thread and the X server compete "
            "for the same CPUs, so the overlap is not complete.",
            "- Most of what is left is the window itself (the window and its OpenGL context), which the empty "
            "program pays too, following the required data instead of overlapping it. The connection to the display "
            "(SDL's video start-up) is made on the game thread while the fonts and the sprite sheet load on the "
            "second; the window is only made once they are there, so that missing data still stops the game before "
            "any window appears. Opening the window hidden while the data loads would overlap the rest: a change of "
            "when and how the window exists, not made here.",
            "- CPU time counts every thread: the loading thread's decoding of the pictures and sounds, which the "
            "empty program does not have, runs beside the window's opening and shows in the CPU ratio more than in "
            "the wall-time one."]
    return ratio, out


def loading_section(build):
    d = load_json(build, "load_bench.json")
    medians = {}
    for b in d["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b
    pictures = sorted({int(n.split("/")[2]) for n in medians if n.startswith("Picture/")})
    out = ["## Loading", "",
           "Measured by `{}` (`tools/perf/load_bench`, Google Benchmark, Release build, median of 5 repetitions) "
           "{}.".format(COMMAND, machine(build, "loading")), "",
           "Every picture of `data/gfx` the way start-up loads it (`LoadImageFile`, or `LoadImageStrip` cutting "
           "font.png and cup.png into 64-pixel cells and figures.png into 128-pixel cells), against a bare libpng "
           "loop (`png_read_image` into one buffer) and SDL2_image's `IMG_Load`; every effect of `data/sfx` "
           "through `LoadAudioSample` against a bare vorbisfile loop (`ov_read` into one buffer) and SDL2_mixer's "
           "`Mix_LoadWAV` (which also converts to the output format). Ratios are against the bare loop.", "",
           "| picture | Morvik µs | bare libpng µs | SDL2_image µs | Morvik / bare | SDL2_image / bare |",
           "|---|---:|---:|---:|---:|---:|"]
    totals = [0.0, 0.0, 0.0]
    for i in pictures:
        ours, bare, peer = (medians["Picture/{}/{}".format(k, i)] for k in ("Morvik", "libpng", "SDL2_image"))
        times = [ours["real_time"], bare["real_time"], peer["real_time"]]
        totals = [t + x for t, x in zip(totals, times)]
        out.append("| {} | {:.0f} | {:.0f} | {:.0f} | {:.2f} | {:.2f} |".format(
            ours.get("label", i), *times, times[0] / times[1], times[2] / times[1]))
    out.append("| **all 15** | **{:.0f}** | **{:.0f}** | **{:.0f}** | **{:.2f}** | **{:.2f}** |".format(
        *totals, totals[0] / totals[1], totals[2] / totals[1]))
    ours, bare, peer = (medians["Effects/" + k]["real_time"] for k in ("Morvik", "vorbisfile", "SDL2_mixer"))
    out += ["", "| the 28 effects | Morvik ms | bare vorbisfile ms | SDL2_mixer ms | Morvik / bare | "
            "SDL2_mixer / bare |", "|---|---:|---:|---:|---:|---:|",
            "| all 28 | {:.2f} | {:.2f} | {:.2f} | {:.2f} | {:.2f} |".format(ours, bare, peer, ours / bare,
                                                                          peer / bare)]
    picture_ratio, effect_ratio = totals[0] / totals[1], ours / bare
    out += ["", "Aim at most 1.1 times the bare loops: pictures {:.2f} ({}), effects {:.2f} ({}).".format(
        picture_ratio, met(picture_ratio <= 1.1), effect_ratio, met(effect_ratio <= 1.1)), "",
        "### What limits it", "",
        "- Both are decoding: zlib's inflate and PNG's row filters, Vorbis synthesis. The game's own work on top "
        "is reading through its stream (one virtual call per libpng chunk read), zero-filling each new pixel "
        "buffer, and for the strips copying each cell out of the sheet (font.png: 256 cells, 4 MiB).",
        "- SDL2_image decodes with libpng too; SDL2_mixer converts every effect to 16-bit stereo at 44100 Hz as it "
        "loads it, which the game's mixer does while it plays."]
    return picture_ratio, effect_ratio, out


def frame_cost_section(build):
    runs = [key_values(build, "frame_cost.{}.txt".format(i)) for i in range(3)]
    cg = key_values(build, "callgrind.txt")
    soft = key_values(build, "frame_cost.softmix.txt")
    ns = statistics.median([r["ns_per_fight_frame_median"] for r in runs])
    first = runs[0]
    instructions = cg["instructions"] / cg["fight_frames"]
    allocations = sum(r["allocations_in_all_frames"] for r in runs)
    frames = sum(r["frames"] for r in runs)
    out = ["## Frame cost", "",
           "Measured by `{}` (`tools/perf/frame_cost`, Release build) {}.".format(COMMAND, machine(build, "frame")),
           "",
           "A training match between two computer players (the player's fighter steered like the match "
           "simulator's reference player), run headless through the game's own `Game::Frame` with the recording "
           "drawing driver, a manual clock moved 20 ms per frame and the \"Null\" audio driver, after {:.0f} "
           "warm-up frames. Between rounds a key is tapped to go on. Only frames that start in the fight state "
           "count ({:.0f} of {:.0f} frames in each run); every drawable was made before measuring, as the first "
           "draw of each glyph and sprite cell makes it.".format(first["warmup"], first["fight_frames"],
                                                                 first["frames"]), "",
           "| measure | value | aim |", "|---|---:|---|",
           "| instructions per fight frame (callgrind, `Game::Frame` only) | {:,.0f} | under 100,000: {} |".format(
               instructions, met(instructions < 100000)),
           "| ns per fight frame (median of 3 runs of per-frame medians) | {:.0f} | |".format(ns),
           "| ns per fight frame, 99th percentile (first run) | {:.0f} | |".format(first["ns_per_fight_frame_p99"]),
           "| allocations in {:,.0f} frames (3 runs) | {:.0f} | none: {} |".format(frames, allocations,
                                                                                    met(allocations == 0)),
           "| allocations in {:,.0f} frames with the SoftMix driver on SDL's dummy device, frames paced at 50 Hz "
           "| {:.0f} | none: {} |".format(soft["frames"], soft["allocations_in_all_frames"],
                                          met(soft["allocations_in_all_frames"] == 0)),
           "| drawing records per fight frame | {:.1f} | |".format(first["draw_records_per_fight_frame"]),
           "| sounds asked for per frame | {:.3f} | |".format(first["sounds_per_frame"]), "",
           "Instructions are callgrind's count of the measured `Game::Frame` calls (the tool switches collection "
           "on and off around each), divided by those frames: `valgrind --tool=callgrind --collect-atstart=no "
           "frame_cost --frames {:.0f} --no-timing`. They do not depend on the machine's load, the nanoseconds "
           "do.".format(cg["frames"]), "",
           "### What limits it", "",
           "- A fight frame reads the seven key and seven pad bindings (each key binding asks the input layer, "
           "which takes pending window messages first), steps both fighters and their controllers, and records "
           "about sixteen quads: the ring, two layers of each fighter, six bars and the score. The recording "
           "driver stands in for OpenGL; in the real window the drawing and the swap cost far more (see Frame "
           "pacing: the frame's busy time).",
           ("- Nothing allocates" if allocations + soft["allocations_in_all_frames"] == 0 else
            "- Frames still allocate (run `frame_cost --trace-allocations` to see where)") +
           ": the channel of each sound played takes its memory from a free list (`TRecyclingAllocator`), the "
           "mixer makes 32 voices when it is created instead of in the frame that first needs one, and the score "
           "and \"Round n\" texts are built in place (`TShortText`). `frame_cost --check` (a test of the test "
           "command) fails when a frame allocates, and `--trace-allocations` prints where."]
    return instructions, allocations + soft["allocations_in_all_frames"], out


def pacing_section(build):
    p = load_json(build, "fight.json")["pacing"]
    mean_ok = abs(p["mean_period_ms"] - 20.0) <= 0.02
    out = ["## Frame pacing", "",
           "Measured by `{}` {}: the real game (a build with `-DMORVIK_FRAME_LOG=ON`, which records the start and "
           "present of every frame and what each wait for the frame timer returned; off in the shipped game) "
           "under Xvfb at zoom 2, driven by `tools/perf/fight_session.py` with xdotool: Down and Return start a "
           "training match, then for 60 seconds of the fight the script punches with J and I and sometimes walks "
           "in, as a player would.".format(COMMAND, machine(build, "fight")), "",
           "Lateness is how long after its tick's deadline a frame started: the deadlines are the frame timer's "
           "start plus 20 ms for every tick counted so far.", "",
           "| measure | value | aim |", "|---|---:|---|",
           "| frames in the {:.1f} s measured | {} | |".format(p["seconds"], p["frames"]),
           "| mean frame period | {:.4f} ms | 20.00 ms within 0.1 %: {} |".format(p["mean_period_ms"], met(mean_ok)),
           "| lateness, 50th percentile | {:.3f} ms | |".format(p["lateness_p50_ms"]),
           "| lateness, 99th percentile | {:.3f} ms | under 2 ms: {} |".format(p["lateness_p99_ms"],
                                                                             met(p["lateness_p99_ms"] < 2.0)),
           "| lateness, largest | {:.3f} ms | |".format(p["lateness_max_ms"]),
           "| lost ticks | {} | none: {} |".format(p["lost_ticks"], met(p["lost_ticks"] == 0)),
           "| frame busy time (start to present), median / 99th / largest | {:.2f} / {:.2f} / {:.2f} ms | |".format(
               p["frame_busy_p50_ms"], p["frame_busy_p99_ms"], p["frame_busy_max_ms"]), "",
           "### What limits it", "",
           "- The frame timer sleeps to absolute deadlines on its own thread, so the mean period is exact as long "
           "as no tick is lost; lateness is the timer thread's wake-up, the posted message and the game thread's "
           "wake-up in `SDL_WaitEvent`, all at the mercy of the scheduler on a shared machine.",
           "- A tick is lost only when a frame's work outlasts the period. Most of a frame's busy time is the "
           "software OpenGL drawing and the swap through the X server (a GPU makes it far shorter); the game's "
           "own work is a few microseconds (see Frame cost)."]
    return p, out


def latency_section(build):
    lat = load_json(build, "fight.json")["latency"]
    to_present, request, key = lat["to_present_ms"], lat["request_to_sample_ms"], lat["key_to_sample_ms"]
    budget = 20.0 + 512 / 44.1
    out = ["## Latency", "",
           "From the same run as Frame pacing. The frame log records when each key event was taken from the "
           "window's queue, the frame in which a binding first took the press, when a sound was asked for (the "
           "mixer's play request) and when its first sample went to the audio device (SDL's dummy device: the "
           "time the fragment holding it was handed over plus the sample's place in it).", "",
           "| measure | presses | median | 99th percentile | largest | aim |", "|---|---:|---:|---:|---:|---|",
           "| the press is taken in the first frame that begins after its event | {} | | | | every time: {} "
           "({} of {}; at most {} frames late) |".format(lat["presses"], met(
               lat["presses_in_first_frame"] == lat["presses"]), lat["presses_in_first_frame"], lat["presses"],
               lat["most_frames_late"]),
           "| key event to that frame's present | {} | {:.1f} ms | {:.1f} ms | {:.1f} ms | |".format(
               to_present["count"], to_present["p50"], to_present["p99"], to_present["max"]),
           "| sound asked for to its first sample on the device | {} | {:.1f} ms | {:.1f} ms | {:.1f} ms | at most "
           "20 ms start delay plus one fragment ({:.1f} ms): {} |".format(
               request["count"], request["p50"], request["p99"], request["max"], budget,
               met(request["max"] <= budget)),
           "| key event to the first sample of its sound | {} | {:.1f} ms | {:.1f} ms | {:.1f} ms | |".format(
               key["count"], key["p50"], key["p99"], key["max"]), "",
           "A sound counts for a press when it was asked for in the frame that took the press (the punch's woosh, "
           "or the blow's sound when it lands).", "",
           "### What limits it", "",
           "- A press waits for the next frame: up to one frame period (20 ms), since the frame loop reads input "
           "once per tick. The wait for the tick does take the window's messages as they arrive, so a press is "
           "never a frame late.",
           "- Every sound starts 20 ms after its request, on purpose: a sound asked for on a steady beat is heard "
           "on that beat whichever fragment takes it. The device's fragment (512 frames, 11.6 ms) bounds how much "
           "later it can be heard; a real device adds its own buffering, which SDL's dummy device does not have.",
           "- So from a key to its sound: the wait for the frame, plus 20 ms."]
    return lat, out


def replace_section(doc, name, lines):
    begin = "<!-- {}: written by tools/perf_report.sh -->".format(name)
    end = "<!-- end of {} -->".format(name)
    text = "\n".join([begin] + lines + [end]) + "\n"
    pattern = re.compile(re.escape(begin) + ".*?" + re.escape(end) + "\n?", re.S)
    if pattern.search(doc):
        return pattern.sub(lambda _: text, doc)
    if SOUND_BEGIN in doc:
        return doc.replace(SOUND_BEGIN, text + "\n" + SOUND_BEGIN)
    return doc.rstrip("\n") + "\n\n" + text


def main():
    build, doc_path = sys.argv[1], sys.argv[2]
    if os.path.exists(doc_path):
        with open(doc_path) as f:
            doc = f.read()
    else:
        doc = "# Performance\n\nMeasured figures, each section written by the script it names.\n\n"
    _, startup = startup_section(build)
    _, _, loading = loading_section(build)
    _, _, frame = frame_cost_section(build)
    _, pacing = pacing_section(build)
    _, latency = latency_section(build)
    for name, lines in (("start-up figures", startup), ("loading figures", loading),
                        ("frame cost figures", frame), ("frame pacing figures", pacing),
                        ("latency figures", latency)):
        doc = replace_section(doc, name, lines)
    with open(doc_path, "w") as f:
        f.write(doc)


if __name__ == "__main__":
    main()
