#!/usr/bin/env python3
"""Turns the two-player match's benchmark (fight_bench) into the "Going back in time" section of
docs/PERFORMANCE.md. Every figure comes from the JSON file; the rest of the file is kept as it is."""
import sys

from bench_report import medians, write_section

BEGIN = "<!-- fight state figures: written by tools/bench_report.sh -->"
END = "<!-- end of fight state figures -->"
TICK_NS = 20e6  # a tick lasts 20 ms

ROWS = [
    ("FightSave", "save the state (`TFight::Save`)"),
    ("FightLoad", "restore it (`TFight::Load`)"),
    ("FightHash", "hash it (`TFight::Hash`)"),
    ("FightAdvance", "one tick (`TFight::Advance`)"),
    ("FightRollback", "a rollback of 8 ticks: restore, then 8 ticks played again and hashed"),
]


def nanoseconds(b):
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
    per_item = b["items_per_second"] ** -1 * 1e9 if "items_per_second" in b else None
    return per_item if per_item is not None else b["real_time"] * scale


def section(context, runs, spread):
    ns = {name: nanoseconds(runs[name]) for name, _ in ROWS if name in runs}
    state_bytes = runs["FightSave"]["state_bytes"]
    out = [BEGIN, "## Going back in time in a match of two players", ""]
    out.append(
        "Measured by `tools/bench_report.sh` (`tools/bench/fight_bench`, Google Benchmark, Release build, median "
        "of 3 runs, which differ by at most {:.1%}) on {} CPUs at {:.0f} MHz, load average {}, {}.".format(
            spread, context["num_cpus"], context["mhz_per_cpu"],
            ", ".join("{:.2f}".format(x) for x in context.get("load_avg", [])), context["date"]))
    out += ["",
            "A match of two players (`TFight`) in the middle of a round (its third), after 3,200 ticks of a fixed "
            "script of inputs; its state is {:.0f} bytes. A match over the network saves the state and hashes it once a "
            "tick, and restores one and plays ticks again when an input comes late; the sync check "
            "(`simulator --sync-check 8`) does the last after every tick.".format(state_bytes), "",
            "| operation | ns | times in a 20 ms tick |", "|---|---:|---:|"]
    for name, label in ROWS:
        if name in ns:
            out.append("| {} | {:,.1f} | {:,.0f} |".format(label, ns[name], TICK_NS / ns[name]))
    out += ["", "### What limits it", ""]
    out.append(
        "- Save and restore copy the {:.0f} bytes of the state: the match and two fighters' records as plain "
        "values, nothing on the heap.".format(state_bytes))
    if "FightHash" in ns and "FightAdvance" in ns:
        out.append(
            "- The hash takes the state eight bytes at a time, a multiplication and a shift for each, every step "
            "waiting on the one before; it costs {:.1f} times a tick, in which little happens but the two "
            "fighters' steps.".format(ns["FightHash"] / ns["FightAdvance"]))
    if "FightRollback" in ns:
        parts = ""
        if all(name in ns for name in ("FightLoad", "FightAdvance", "FightHash")):
            apart = ns["FightLoad"] + 8 * (ns["FightAdvance"] + ns["FightHash"])
            parts = (" (less than its restore, ticks and hashes timed apart, {:.2f} µs: the processor overlaps them)"
                     if ns["FightRollback"] < apart else
                     " (its restore, ticks and hashes timed apart add up to {:.2f} µs, the ticks' an average over "
                     "1,024 ticks of the script)").format(apart / 1e3)
        out.append(
            "- A rollback of eight ticks costs {:.2f} µs{}. A match over the network could go back "
            "thousands of ticks within one, so how far it goes back is bounded by how late an input may be, not by "
            "the time that takes.".format(ns["FightRollback"] / 1e3, parts))
    out.append(END)
    return "\n".join(out) + "\n"


def main():
    json_path, doc_path = sys.argv[1], sys.argv[2]
    context, runs, spread = medians(json_path)
    write_section(doc_path, BEGIN, END, section(context, runs, spread))


if __name__ == "__main__":
    main()
