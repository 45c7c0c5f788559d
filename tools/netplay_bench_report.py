#!/usr/bin/env python3
"""Turns the online match's benchmark (netplay_bench) into the "Online matches" section of docs/PERFORMANCE.md:
a rollback's cost, the allocations of the frame that does it, and over the soak's links the bytes each side sends
and how far the sessions go back, each beside its target. Every figure comes from the JSON file; the rest of the
file is kept as it is."""
import json
import sys

from bench_report import medians, write_section

BEGIN = "<!-- online match figures: written by tools/bench_report.sh -->"
END = "<!-- end of online match figures -->"

ROLLBACK_TARGET_US = 50
BYTES_TARGET = 2048  # per second, each way
DEPTH_TARGET = 2  # ticks, mean, at 30 ms round trip
DEPTH_LINK = "30 ms RTT"


def microseconds(b):
    return b["real_time"] * {"ns": 1e-3, "us": 1, "ms": 1e3, "s": 1e6}[b["time_unit"]]


def means(json_path):
    """Each benchmark's mean over its runs: a count that is 0 in the mean was 0 in every run."""
    with open(json_path) as f:
        data = json.load(f)
    return {b["run_name"]: b for b in data["benchmarks"] if b.get("aggregate_name") == "mean"}


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "an unnamed CPU"


def named(runs, prefix):
    """The run of the benchmark called prefix, whatever Google Benchmark appended to its name ("/manual_time")."""
    return next((b for name, b in runs.items() if name == prefix or name.startswith(prefix + "/")), None)


def met(ok):
    return "met" if ok else "**not met**"


def section(context, runs, spread, mean_runs, repetitions):
    fight = named(runs, "NetplayRollback")
    frame = named(runs, "NetplaySessionRollbackFrame")
    counted = named(mean_runs, "NetplaySessionRollbackFrame") or frame
    links = sorted((b for name, b in runs.items() if name.startswith("NetplayMatches/")),
                   key=lambda b: int(b["run_name"].split("/")[1]))
    fight_us = microseconds(fight)
    worst = max(links, key=lambda b: max(b["host_bytes_per_second"], b["joiner_bytes_per_second"]))
    worst_bytes = max(worst["host_bytes_per_second"], worst["joiner_bytes_per_second"])
    near = next(b for b in links if b["label"] == DEPTH_LINK)

    out = [BEGIN, "## Online matches", ""]
    out.append(
        "Measured by `tools/bench_report.sh` (`tools/bench/netplay_bench`, Google Benchmark, Release build) on {} "
        "({} CPUs at {:.0f} MHz, load average {}), {}. Times are the median of {} runs, which differ by at most "
        "{:.1%}; the matches are the same in every run, so they are played once.".format(
            cpu_model(), context["num_cpus"], context["mhz_per_cpu"],
            ", ".join("{:.2f}".format(x) for x in context.get("load_avg", [])), context["date"], repetitions,
            spread))
    out += ["", "| target | measured | |", "|---|---|---|"]
    out.append("| a rollback of 8 ticks under {} µs | {:.2f} µs | {} |".format(
        ROLLBACK_TARGET_US, fight_us, met(fight_us < ROLLBACK_TARGET_US)))
    if counted is not None:
        allocations = counted["allocations"]
        out.append("| no allocation in a frame that rolls back 8 ticks | {:g} in {:,.0f} frames (mean of {} runs) "
                   "| {} |".format(allocations, counted["frames_counted"], repetitions, met(allocations == 0)))
    out.append("| inputs under 2 KiB/s each way, at every link of the soak | at most {:,.0f} B/s ({}) | {} |".format(
        worst_bytes, worst["label"], met(all(max(b["host_bytes_per_second"], b["joiner_bytes_per_second"]) <
                                                 BYTES_TARGET for b in links))))
    if near["rollbacks_per_second"] > 0:
        depth = "{:.2f} ticks ({:.2f} rollbacks/s)".format(near["mean_rollback_ticks"], near["rollbacks_per_second"])
    else:
        depth = "no rollback at all: the tick of input delay hides the trip"
    out.append("| mean rollback at {}, input delay 1, at most {} ticks | {} | {} |".format(
        DEPTH_LINK, DEPTH_TARGET, depth, met(near["mean_rollback_ticks"] <= DEPTH_TARGET)))

    out += ["", "### A rollback of eight ticks", "",
            "Eight ticks is as far as a session goes back: it guesses at most eight ticks ahead of the peer's "
            "last frame. The match is one of fixed inputs (the fight benchmark's) in the middle of a round, "
            "both fighters pressing.", "",
            "| what | µs | times in a 20 ms tick |", "|---|---:|---:|",
            "| the fight's work: restore (`TFight::Load`), then 8 ticks each saved, played and hashed, as the "
            "session plays them again | {:.2f} | {:,.0f} |".format(fight_us, 20e3 / fight_us)]
    if frame is not None:
        frame_us = microseconds(frame)
        out.append(
            "| the session's whole frame (`TRollbackSession::Tick`): the peer's message read, the 8 ticks played "
            "again, the frame's own tick, its message encoded and sent | {:.2f} | {:,.0f} |".format(
                frame_us, 20e3 / frame_us))
        out += ["",
                "The frame is measured over a transport that hands the session a scripted peer's messages: eight "
                "frames on guesses while the peer is silent (not timed), then the frame on which its frames for "
                "all of them arrive, the first one a press the session could not guess. Allocations are counted "
                "over every one of those frames, the guessing ones too, by replacing the global operator new."]

    out += ["", "### Over the soak's links", "",
            "{:,.0f} matches of two newcomers per link, input delay 1, the seeds `netplay_soak` plays first (so "
            "these are its figures for `--matches {:.0f}`). Bytes are what each side's game sent: its input "
            "messages and, once a match, the handshake's two short messages; the loopback adds no headers. "
            "Rollbacks and waits are per side.".format(links[0]["matches"], links[0]["matches"]), "",
            "| link (both ways) | host → joiner B/s | joiner → host B/s | rollbacks/s | mean rollback (ticks) "
            "| deepest | ticks waited/min | desyncs | disagreed | stalled |",
            "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    for b in links:
        out.append("| {} | {:,.0f} | {:,.0f} | {:.2f} | {:.2f} | {:.0f} | {:.2f} | {:.0f} | {:.0f} | {:.0f} |".format(
            b["label"], b["host_bytes_per_second"], b["joiner_bytes_per_second"], b["rollbacks_per_second"],
            b["mean_rollback_ticks"], b["deepest_rollback_ticks"], b["ticks_waited_per_minute"], b["desyncs"],
            b["disagreed"], b["stalled"]))

    out += ["", "### What limits it", ""]
    if frame is not None:
        out.append(
            "- The fight's work is {:.0%} of the session's frame; the rest is the frame's own tick, reading one "
            "message and writing another, and the session's rings (each tick's record of frames, hash and "
            "sounds). Both are far below the target: how far a session goes back is bounded by how many ticks it "
            "may guess, not by what going back costs.".format(fight_us / microseconds(frame)))
    fastest = links[0]
    out.append(
        "- Each side sends one input message a frame, 50 a second. With no delay one averages {:.1f} bytes, and "
        "on the worst link {:.1f}: a message repeats every frame the peer has not acknowledged, so the slower "
        "and lossier the link, the more frames it carries, but a frame held over many ticks travels as one run "
        "of three bytes. Most of a message is its fixed part: the match, the first tick, the acknowledgement, "
        "a confirmed tick and its hash, the lead.".format(
            max(fastest["host_bytes_per_second"], fastest["joiner_bytes_per_second"]) / 50, worst_bytes / 50))
    out.append(END)
    return "\n".join(out) + "\n"


def main():
    json_path, doc_path = sys.argv[1], sys.argv[2]
    repetitions = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    context, runs, spread = medians(json_path)
    write_section(doc_path, BEGIN, END, section(context, runs, spread, means(json_path), repetitions))


if __name__ == "__main__":
    main()
