#!/usr/bin/env python3
"""Prints the performance goals of the project beside what one `make bench`
run measured: each figure, its goal and its reference from the same run.

    python3 scripts/bench_summary.py build/bench-results

The folder holds the JSON files the benchmark programs wrote with
--benchmark_out. Figures are medians of the CPU time over the repetitions.
A goal that no benchmark measures yet keeps its row, marked as such.
"""
import json
import pathlib
import sys


def medians(folder):
    """Benchmark name -> median CPU time in microseconds, and benchmark name ->
    its "ratio" counter (median over the repetitions), for the benchmarks that
    time a figure and its reference in turns."""
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    found = {}
    ratios = {}
    for path in sorted(pathlib.Path(folder).glob("*.json")):
        for run in json.loads(path.read_text()).get("benchmarks", []):
            name = run.get("run_name", run["name"])
            if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
                continue
            if run.get("run_type") == "iteration" and name.split("/")[0] in found:
                continue  # without repetitions there is one run, which is its own median
            # A process benchmark reports its child's CPU time as its manual time.
            manual = name.endswith("/manual_time")
            value = run["real_time"] if manual else run["cpu_time"]
            found[name.split("/")[0]] = value * scale[run.get("time_unit", "ns")]
            if "ratio" in run:
                ratios[name.split("/")[0]] = run["ratio"]
    return found, ratios


def micro(us):
    return f"{us:,.1f} µs" if us < 10_000 else f"{us / 1000:,.1f} ms"


def ratio_row(figure, goal, limit, paired, measured, reference, times, ratios):
    """A figure that is one benchmark's time over another's, at most limit:
    the ratio of the benchmark that ran the two in turns, with the times of
    the two run on their own beside it."""
    if paired not in ratios or measured not in times or reference not in times:
        return [figure, "not measured", goal, "—", "—"]
    ratio = ratios[paired]
    return [figure, f"{ratio:.3f} × in turns ({micro(times[measured])} alone)", goal,
            f"{reference}: {micro(times[reference])} alone", "met" if ratio <= limit else "NOT MET"]


def time_row(figure, goal, limit, measured, times):
    """A figure that is one benchmark's time, below limit microseconds."""
    if measured not in times:
        return [figure, "not measured", goal, "—", "—"]
    return [figure, micro(times[measured]), goal, "—", "met" if times[measured] < limit else "NOT MET"]


def rate_row(figure, goal, limit, measured, times):
    """A figure that is items per second from one benchmark's time per item, at least limit."""
    if measured not in times:
        return [figure, "not measured", goal, "—", "—"]
    rate = 1e6 / times[measured]
    return [figure, f"{rate:,.0f} files/s ({micro(times[measured])} a file)", goal, "—",
            "met" if rate >= limit else "NOT MET"]


def main(folder):
    times, ratios = medians(folder)
    rows = [
        ratio_row("BM_DecryptLongText (65,535 hex letters)", "≤ 0.15 × the plain loop", 0.15,
                  "BM_DecryptLongTextBesidePlainLoop", "BM_DecryptLongText", "BM_DecryptLongTextPlainLoop",
                  times, ratios),
        time_row("BM_LoadTypicalResultFile (read, decrypt, parse, report)", "< 15 µs", 15.0,
                 "BM_LoadTypicalResultFile", times),
        ratio_row("one `tavo12f-cli profile FILE` process (CPU)", "≤ 3 × /bin/true", 3.0,
                  "BM_CompanionProfileBesideTrue", "BM_CompanionProfileProcess", "BM_TrueProcess", times, ratios),
        rate_row("batch `render -o DIR/` of 100 files (CPU)", "≥ 200 files/s", 200.0, "BM_RenderBatchPerFile", times),
        rate_row("one file of a batch rendered to GIF in process (BM_RenderNextFileToGif)", "≥ 200 files/s", 200.0,
                 "BM_RenderNextFileToGif", times),
        ratio_row("start-up to the first painted window (process CPU)", "≤ 1.2 × a minimal Qt window with a menu bar",
                  1.2, "BM_MainWindowBesideMinimal", "BM_MainWindowStartup", "BM_MinimalWindowStartup", times,
                  ratios),
        time_row("result sheets of 100 files in one PDF, in process", "no figure set: kept in view", float("inf"),
                 "BM_ResultSheetPdfOfAHundredFiles", times),
    ]
    header = ["Figure", "Measured (median CPU time)", "Goal", "Same-run reference", "Goal met"]
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]

    def line(cells):
        return "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"

    print()
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in rows:
        print(line(row))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
