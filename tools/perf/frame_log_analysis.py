#!/usr/bin/env python3
"""Frame pacing and input latency from the frame log of a fight (written by a MORVIK_FRAME_LOG build).

    frame_log_analysis.py FRAME_LOG SECONDS OUT.json

Pacing covers the SECONDS after the first frame of the fight: the mean period between frame starts, how late each
frame started against its tick's deadline (the frame timer's start plus 20 ms per tick counted), and the ticks
lost (a wait that returned more than one tick). Latency: for each key press of the fight, the frame in which a
binding took it against the first frame that began after the window's event was taken, the time to that frame's
present, and for a sound asked for in that frame the time to its first sample on the audio device.
"""
import json
import statistics
import sys

FIGHT = 3  # the game state of a round in progress
PERIOD_NS = 20_000_000


def parse(path):
    log = {"frames": [], "keys": [], "presses": [], "requests": [], "starts": [], "timer": 0}
    with open(path) as f:
        for line in f:
            x = line.split()
            if not x or x[0].startswith("#"):
                continue
            if x[0] == "timer":
                log["timer"] = int(x[1])
            elif x[0] == "frame":
                log["frames"].append({"state": int(x[2]), "start": int(x[3]), "present": int(x[4]),
                                      "ticks_after": int(x[5])})
            elif x[0] == "key":
                log["keys"].append({"key": int(x[1]), "down": x[2] == "1", "time": int(x[3]), "frames": int(x[4])})
            elif x[0] == "presses":
                log["presses"].append({"key": int(x[1]), "frame": int(x[3]), "time": int(x[4])})
            elif x[0] == "request":
                log["requests"].append({"voice": x[1], "time": int(x[2]), "frame": int(x[3])})
            elif x[0] == "start":
                log["starts"].append({"voice": x[1], "time": int(x[2])})
    return log


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))] if ordered else 0.0


def pacing(log, first, last):
    frames = log["frames"]
    ticks = 0
    lateness = []
    lost = 0
    for k in range(1, last + 1):
        ticks += frames[k - 1]["ticks_after"]
        if k >= first:
            lateness.append((frames[k]["start"] - (log["timer"] + ticks * PERIOD_NS)) / 1e6)
            lost += max(0, frames[k - 1]["ticks_after"] - 1) if k > first else 0
    starts = [frames[k]["start"] for k in range(first, last + 1)]
    busy = [(frames[k]["present"] - frames[k]["start"]) / 1e6 for k in range(first, last + 1)]
    return {
        "frames": len(starts),
        "seconds": (starts[-1] - starts[0]) / 1e9,
        "mean_period_ms": (starts[-1] - starts[0]) / (len(starts) - 1) / 1e6,
        "lateness_p50_ms": percentile(lateness, 0.50),
        "lateness_p99_ms": percentile(lateness, 0.99),
        "lateness_max_ms": max(lateness),
        "lost_ticks": lost,
        "frame_busy_p50_ms": percentile(busy, 0.50),
        "frame_busy_p99_ms": percentile(busy, 0.99),
        "frame_busy_max_ms": max(busy),
    }


def latency(log, first, last, keys_of_interest):
    frames = log["frames"]
    t0, t1 = frames[first]["start"], frames[last]["present"]
    results = []
    for key in log["keys"]:
        if not key["down"] or key["key"] not in keys_of_interest or not t0 <= key["time"] <= t1:
            continue
        taken = next((p for p in log["presses"] if p["key"] == key["key"] and p["time"] >= key["time"]), None)
        if taken is None:
            continue
        expected = key["frames"]  # the first frame to begin after the event was taken
        result = {"frames_late": max(0, taken["frame"] - expected),
                  "to_present_ms": (frames[taken["frame"]]["present"] - key["time"]) / 1e6}
        request = next((r for r in log["requests"] if r["frame"] == taken["frame"]), None)
        if request is not None:
            start = next((s for s in log["starts"] if s["voice"] == request["voice"] and s["time"] > request["time"]),
                         None)
            if start is not None:
                result["request_to_sample_ms"] = (start["time"] - request["time"]) / 1e6
                result["key_to_sample_ms"] = (start["time"] - key["time"]) / 1e6
        results.append(result)
    summary = {"presses": len(results),
               "presses_in_first_frame": sum(1 for r in results if r["frames_late"] == 0),
               "most_frames_late": max((r["frames_late"] for r in results), default=0)}
    for name in ("to_present_ms", "request_to_sample_ms", "key_to_sample_ms"):
        values = [r[name] for r in results if name in r]
        summary[name] = {"count": len(values), "p50": percentile(values, 0.5), "p99": percentile(values, 0.99),
                         "max": max(values, default=0.0), "min": min(values, default=0.0)}
    return summary


def analyse(path, seconds):
    log = parse(path)
    frames = log["frames"]
    first = next(i for i, f in enumerate(frames) if f["state"] == FIGHT)
    end = frames[first]["start"] + int(seconds * 1e9)
    last = max(i for i, f in enumerate(frames) if f["start"] <= end and f["present"] > 0)
    keys = {74, 73}  # J and I, the default punches
    return {"pacing": pacing(log, first, last), "latency": latency(log, first, last, keys)}


def main():
    result = analyse(sys.argv[1], float(sys.argv[2]))
    with open(sys.argv[3], "w") as f:
        json.dump(result, f, indent=1)


if __name__ == "__main__":
    main()
