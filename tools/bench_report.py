#!/usr/bin/env python3
"""Turns the sound benchmark's JSON output into the "Sound" section of docs/PERFORMANCE.md.

Every figure in the section comes from the JSON file; the section sits between two markers so that other
sections of the file are kept as they are.
"""
import json
import os
import re
import sys

BEGIN = "<!-- sound figures: written by tools/bench_report.sh -->"
END = "<!-- end of sound figures -->"


def medians(path):
    """The median of each benchmark's runs, and the largest coefficient of variation among them."""
    with open(path) as f:
        data = json.load(f)
    runs = {}
    spread = 0.0
    for b in data["benchmarks"]:
        if b.get("error_occurred"):
            continue
        if b.get("aggregate_name") == "cv":
            spread = max(spread, b.get("frames_per_cpu_second", b["real_time"]))
        elif b.get("aggregate_name", "median") == "median":
            runs[b["run_name"]] = b
    return data["context"], runs, spread


def find(runs, prefix, voices=None):
    for name, b in runs.items():
        parts = name.split("/")
        if name.startswith(prefix) and (voices is None or str(voices) in parts[2:3]):
            return b
    return None


def section(context, runs, spread):
    voices = sorted({int(n.split("/")[2]) for n in runs if n.startswith("MixerDirect/")})
    out = [BEGIN, "## Sound", ""]
    out.append(
        "Measured by `tools/bench_report.sh` (Google Benchmark, Release build, median of 3 runs) on {} CPUs at "
        "{:.0f} MHz, load average {}, {}.".format(
            context["num_cpus"], context["mhz_per_cpu"],
            ", ".join("{:.2f}".format(x) for x in context.get("load_avg", [])), context["date"]))
    out.append("")
    out.append(
        "The three runs differ by at most {:.1%} (coefficient of variation). Between sessions the figures move "
        "more than that when other work shares the machine's cores: compare ratios from one run.".format(spread))
    out += ["", "### The mixer alone", "",
            "`TMixer::MixFragment` called directly, fragment after fragment (512 output frames). Voices loop over "
            "four of the game's own effects from `data/sfx` (a weak punch, a hard punch, the countdown and the won "
            "match's jingle), mono at 44100 Hz like every effect the game plays.", "",
            "The budget is the time a fragment lasts when played: 512 frames at 44100 Hz, 11.61 ms. The mixer "
            "runs on the audio thread, so it must stay well inside it.", "",
            "| voices | µs per fragment | ns per voice per output frame | share of the 11.61 ms budget |",
            "|---:|---:|---:|---:|"]
    budget_us = 512 / 44100 * 1e6
    for v in voices:
        b = find(runs, "MixerDirect/", v)
        per_fragment_us = b["real_time"] if b["time_unit"] == "us" else b["real_time"] / 1000
        out.append("| {} | {:.2f} | {:.2f} | {:.1%} |".format(v, per_fragment_us, b["voice_frames"] * 1e9,
                                                            per_fragment_us / budget_us))
    out += ["", "### Against SDL2_mixer on SDL's audio thread", "",
            "Both mix the same sounds on the same number of looping channels at full volume, each on SDL's own "
            "audio thread, with SDL's disk driver writing to /dev/null and `SDL_DISKAUDIODELAY=0`, so each mixes "
            "as fast as it can. The figure is that thread's CPU time per output frame; the ratio is ours over "
            "SDL2_mixer's (below 1.0: ours costs less).", "",
            "| voices | Morvik frames per CPU-second | SDL2_mixer frames per CPU-second | Morvik ns per voice-frame "
            "| SDL2_mixer ns per voice-frame | ratio Morvik / SDL2_mixer |",
            "|---:|---:|---:|---:|---:|---:|"]
    ratios = []
    for v in voices:
        ours = find(runs, "AudioThread/Morvik/", v)
        peer = find(runs, "AudioThread/SDL2_mixer/", v)
        if ours is None or peer is None:
            out.append("| {} | (no run) | | | | |".format(v))
            continue
        ratio = peer["frames_per_cpu_second"] / ours["frames_per_cpu_second"]
        ratios.append((v, ratio))
        out.append("| {} | {:,.0f} | {:,.0f} | {:.2f} | {:.2f} | {:.2f} |".format(
            v, ours["frames_per_cpu_second"], peer["frames_per_cpu_second"], ours["ns_per_voice_frame"],
            peer["ns_per_voice_frame"], ratio))
    ours_load = find(runs, "LoadGameEffects/Morvik")
    peer_load = find(runs, "LoadGameEffects/SDL2_mixer")
    out += ["", "### Loading the 28 effects at start-up", ""]
    if ours_load:
        out.append(
            "The game's {:.0f} Ogg Vorbis effects from `data/sfx` (mono, 44100 Hz, {:.1f} s of sound in all, "
            "{:.0f} KiB), loaded one after another through `LoadSound` on the SoftMix driver, in start-up's order: "
            "decoding and the mixer's copy."
            .format(ours_load["effects"], ours_load["audio_seconds"], ours_load["file_kib"]))
        out += ["", "| loader | ms for all 28 |", "|---|---:|",
                "| Morvik (`LoadSound`) | {:.1f} |".format(ours_load["real_time"])]
        if peer_load:
            out.append("| SDL2_mixer (`Mix_LoadWAV`) | {:.1f} |".format(peer_load["real_time"]))
    many_voices = [r for v, r in ratios if v > 1]
    if many_voices and max(many_voices) <= 1.0:
        many = ("- Above one voice every ratio is at or below 1.0: ours costs less, though it keeps every sound in its "
                "own rate and format and could interpolate and ramp any voice.")
    else:
        many = ("- With many voices the interpolation and ramps cost more than SDL2_mixer's per-channel clipping "
                "saves: ours is above SDL2_mixer's cost where the ratio exceeds 1.0.")
    out += ["", "### What limits it", ""]
    if ratios:
        out.append("Ratios reached: " + ", ".join("{:.2f} at {} voice{}".format(r, v, "" if v == 1 else "s")
                                                  for v, r in ratios) + ".")
    out += [
        "",
        "- With one voice both are bound by the audio thread's fixed work per buffer (SDL's loop, the disk "
        "driver's write, turning the accumulators into 16-bit frames), not by mixing, so the ratio stays near 1.",
        "- With many voices the per-voice loop decides. Ours reads every sound in its own rate and format and "
        "interpolates between two source frames, with gains and step that may ramp across the fragment. "
        "SDL2_mixer converts each sound to the output format when it loads it, and mixes each channel into the "
        "buffer with SDL's mixing function, which adjusts the volume, adds and clips for every channel (as both "
        "libraries document). Ours adds into 32-bit accumulators and clips once per output value.",
        many,
        "- What bounds ours: the game's effects are at 44100 Hz and play at a steady volume, so they take the "
        "loop the compiler vectorises. A sound at another rate (a file a player puts in `sfx/`, say) would take "
        "the interpolating loop, whose read positions are not consecutive and so are not vectorised; ramps (a "
        "volume or rate change) take a third, slower loop for one fragment only.",
        "- Loading is Vorbis decoding (Debian's SDL2_mixer is linked against the same libvorbisfile); the mixer's "
        "copy adds one pass over the PCM.",
        END]
    return "\n".join(out) + "\n"


def write_section(doc_path, begin, end, text):
    """Puts text in place of the section between the markers begin and end, or at the end of the file."""
    if os.path.exists(doc_path):
        with open(doc_path) as f:
            doc = f.read()
    else:
        doc = "# Performance\n\nMeasured figures, each section written by the script it names.\n\n"
    pattern = re.compile(re.escape(begin) + ".*?" + re.escape(end) + "\n?", re.S)
    doc = pattern.sub(lambda _: text, doc) if pattern.search(doc) else doc.rstrip("\n") + "\n\n" + text
    os.makedirs(os.path.dirname(doc_path), exist_ok=True)
    with open(doc_path, "w") as f:
        f.write(doc)


def main():
    json_path, doc_path = sys.argv[1], sys.argv[2]
    context, runs, spread = medians(json_path)
    write_section(doc_path, BEGIN, END, section(context, runs, spread))


if __name__ == "__main__":
    main()
