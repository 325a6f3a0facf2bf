#!/usr/bin/env python3
"""Runs Duvora's benchmarks and prints one table of figures against the budget.

    run_bench.py BUILD_DIR [--markdown FILE] [--quick] [--windows WINDOW_BENCH_EXE]
    run_bench.py BUILD_DIR --soak

All from this one run on this one machine, medians throughout: the analysis
code under Google Benchmark, the real window and a bare wxWidgets window
started the same way (bench/window_bench), and the whole job as separate
processes under hyperfine: the real `duvora --report`, Python with NumPy and
SciPy, and R. A missed budget is marked, not fatal; a tool that
does not do the job it is timed on (a crash, a t that disagrees) fails the run.
With --windows, the window bench built for Windows runs the same way under
Wine, in a Wine prefix next to it.
--soak instead gives the real window a thousand rounds of Input Data, Results
and Clear on 1,000 records and fails if that grows the heap by 256 kB or the
resident memory by 4 MB: GTK's own bookkeeping drifts by some 50 bytes a
round, a report kept a round (some 270 bytes) would fail.
"""

import argparse
import json
import os
import random
import re
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

PEERS = Path(__file__).resolve().parent / "peers"
# Rows shown within one frame at 60 Hz; the first time, and under Wine, with
# what comes only once or only there. Start: against a bare wxWidgets window.
BUDGETS = {"dialog": 16.0, "first": 25.0, "wine": 50.0, "start": 300.0, "start_ratio": 1.15,
           "memory": 15.0, "reader": 200.0}
PARTS = ("read_ms", "fill_ms", "count_ms", "paint_ms")


def write_files(folder):
    """Paired files of 1, 1,000 and 32,767 records, the same bytes every run:
    a first value from 60.00 to 119.99 and a second about 0.5 lower."""
    rng = random.Random(20240605)
    for count in (1, 1000, 32767):
        lines = ["Before,After"]
        for _ in range(count):
            first = rng.randrange(6000, 12000)
            second = first - 450 + sum(rng.randrange(201) for _ in range(4))
            lines.append(f"{first / 100:.2f},{second / 100:.2f}")
        (folder / f"pairs_{count}.txt").write_text("\r\n".join(lines) + "\r\n", newline="")


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, text=True, check=False, **kwargs)
    if result.returncode != 0:
        sys.exit(f"run_bench: {' '.join(map(str, command))} failed:\n{result.stderr}")
    return result.stdout


def analysis(build, data, quick):
    out = run([build / "bench/analysis_bench", "--benchmark_format=json",
               f"--benchmark_repetitions={2 if quick else 5}"],
              env={**os.environ, "DUVORA_BENCH_DATA": str(data)})
    return {b["name"]: b["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1}[b["time_unit"]]
            for b in json.loads(out)["benchmarks"] if b.get("aggregate_name") == "median"}


def loads(figures, values):
    """Adds one start's Input Data figures: the first after start, the later
    loads and the parts."""
    shown = [float(v) for v in values["dialog_to_shown_ms"]]
    figures["first"].append(shown[0])
    figures["later"] += shown[1:]
    for part in PARTS:
        figures[part] += [float(v) for v in values[part]]


def window(build, data, quick):
    """Start to first paint of both windows, taken in turn; the other figures."""
    figures = {"minimal": [], "duvora": [], "first": [], "later": [], **{p: [] for p in PARTS}}
    for _ in range(5 if quick else 11):
        for kind, arguments in (("minimal", ["minimal"]),
                                ("duvora", [data / "pairs_32767.txt", "4"])):
            started = time.monotonic_ns()
            lines = run([build / "bench/window_bench", *arguments]).splitlines()
            values = {line.split()[0]: line.split()[1:] for line in lines if line.strip()}
            figures[kind].append((int(values["first_paint_ns"][0]) - started) / 1e6)
            if kind == "duvora":
                loads(figures, values)
                figures["peak_kb"] = (int(values["peak_kb_empty"][0]),
                                      int(values["peak_kb_loaded"][0]))
    return figures


def t_found(name, output):
    """The pairs and t a tool prints; Duvora's status 0 says it used every pair."""
    if name == "Duvora":
        return None, float(re.search(r"^The t value = (\S+)$", output, re.M).group(1))
    answer = dict(line.split(": ", 1) for line in output.splitlines()
                  if line.startswith(("Pairs: ", "t: ")))
    return int(answer["Pairs"]), float(answer["t"])


def windows(exe, data, quick):
    """The Input Data figures of the Windows build under Wine."""
    figures = {"first": [], "later": [], **{p: [] for p in PARTS}}
    wine_run = Path(__file__).resolve().parent.parent / "scripts/wine-run.sh"
    path = "Z:" + str(data / "pairs_32767.txt").replace("/", "\\")
    for _ in range(3 if quick else 7):
        lines = run([wine_run, exe.parent.parent / "wine", exe, path, "4"]).splitlines()
        loads(figures, {line.split()[0]: line.split()[1:] for line in lines if line.strip()})
    return figures


def peers(build, data, quick):
    """Each tool on each file under hyperfine, after checking it finds Duvora's t."""
    tools = {"Duvora": [str(build / "main_window/duvora"), "--report"],
             "Python + SciPy": ["/usr/bin/python3", str(PEERS / "ttest_scipy.py")],
             "R": ["Rscript", str(PEERS / "ttest_r.R")]}
    rows = []
    for count in (1000, 32767):
        file = str(data / f"pairs_{count}.txt")
        expected = None
        for name, command in tools.items():
            pairs, t = t_found(name, run(command + [file]))
            expected = t if expected is None else expected
            if pairs not in (None, count) or abs(t - expected) > 1e-9 * abs(expected):
                sys.exit(f"run_bench: {name} finds {pairs} pairs and t = {t} in {file}, "
                         f"Duvora t = {expected}")
        with tempfile.NamedTemporaryFile(suffix=".json") as export:
            run(["hyperfine", "-N", "--warmup", "2", "--runs", "5" if quick else "20",
                 "--export-json", export.name, *(" ".join(c + [file]) for c in tools.values())])
            results = json.load(open(export.name))["results"]
        for name, result in zip(tools, results):
            rows.append((count, name, result["median"] * 1000))
    return rows


def soak(build, data):
    out = run([build / "bench/window_bench", "soak", data / "pairs_1000.txt", "1000"],
              env={**os.environ, "G_SLICE": "always-malloc"})
    growth = {line.split()[0]: int(line.split()[1]) for line in out.splitlines()
              if "growth" in line}
    print(f"Soak, 1,000 rounds: heap +{growth['heap_growth_bytes']} bytes, "
          f"resident memory +{growth['resident_growth_kb']} kB")
    if growth["heap_growth_bytes"] >= 256 * 1024 or growth["resident_growth_kb"] >= 4096:
        sys.exit("run_bench: the window grows over a long session")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", type=Path)
    parser.add_argument("--markdown", type=Path)
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--soak", action="store_true")
    parser.add_argument("--windows", type=Path)
    args = parser.parse_args()
    build = args.build.resolve()
    with tempfile.TemporaryDirectory() as folder:
        data = Path(folder)
        write_files(data)
        if args.soak:
            return soak(build, data)
        micro = analysis(build, data, args.quick)
        shown = window(build, data, args.quick)
        wine = windows(args.windows.resolve(), data, args.quick) if args.windows else None
        whole = peers(build, data, args.quick)
        size = (data / "pairs_32767.txt").stat().st_size

    median = statistics.median
    start, bare = median(shown["duvora"]), median(shown["minimal"])
    dialog, first = median(shown["later"]), median(shown["first"])
    empty, loaded = (kb / 1024 for kb in shown["peak_kb"])
    reader = micro["BM_ReadPairFile/32767_median"]
    mb_per_s = size / 1e6 / (reader / 1000)

    def within(ok):
        return "yes" if ok else "NO"

    def parts(figures):
        return ", ".join(f"{name} {median(figures[key]):.1f}" for name, key in (
            ("reading", "read_ms"), ("filling the table", "fill_ms"),
            ("the row count", "count_ms"), ("painting", "paint_ms")))

    table = [
        "| Figure | Median | Budget | Within |", "|---|---|---|---|",
        f"| Input Data, 32,767 records: dialog closed → rows shown, later loads | {dialog:.1f} ms "
        f"| ≤ {BUDGETS['dialog']:.0f} ms | {within(dialog <= BUDGETS['dialog'])} |",
        f"| The same, first Input Data after start ({len(shown['first'])} starts) "
        f"| {first:.1f} ms | ≤ {BUDGETS['first']:.0f} ms | {within(first <= BUDGETS['first'])} |",
        f"| Its parts, ms (each step alone) | {parts(shown)} |  |  |",
    ]
    if wine:
        wine_later, wine_first = median(wine["later"]), median(wine["first"])
        table += [
            f"| Windows build under Wine, the same: later loads "
            f"| {wine_later:.1f} ms (first after start {wine_first:.1f} ms) "
            f"| ≤ {BUDGETS['wine']:.0f} ms | {within(wine_later <= BUDGETS['wine'])} |",
            f"| Its parts under Wine, ms | {parts(wine)} |  |  |",
        ]
    ratio = start / bare
    table += [
        f"| Program start → first painted window | {start:.1f} ms ({ratio:.2f}× a bare "
        f"wxWidgets window's {bare:.1f} ms) | ≤ {BUDGETS['start']:.0f} ms, "
        f"≤ {BUDGETS['start_ratio']:.2f}× | "
        f"{within(start <= BUDGETS['start'] and ratio <= BUDGETS['start_ratio'])} |",
        f"| Peak memory, 32,767 records loaded and evaluated | {loaded:.1f} MB "
        f"(+{loaded - empty:.1f} MB on the empty window) | ≤ +{BUDGETS['memory']:.0f} MB "
        f"| {within(loaded - empty <= BUDGETS['memory'])} |",
        f"| Reader, 32,767-record file ({size / 1000:.0f} kB) | {mb_per_s:.0f} MB/s "
        f"({reader:.2f} ms) | ≥ {BUDGETS['reader']:.0f} MB/s "
        f"| {within(mb_per_s >= BUDGETS['reader'])} |",
    ]
    for records in (1, 1000, 32767):
        table.append(f"| Input Data command without a window, {records:,} "
                     f"record{'s' if records > 1 else ''} "
                     f"| {micro[f'BM_InputDataCommand/{records}_median']:.3f} ms |  |  |")
    table.append(f"| Results command without a window, 32,767 records "
                 f"| {micro['BM_ResultsCommand/32767_median'] * 1000:.1f} µs |  |  |")
    table.append(f"| FormatNumber, one value | {micro['BM_FormatNumber_median'] * 1e6:.0f} ns "
                 f"|  |  |")
    table += ["", "| Records | Tool | Wall time | Ratio |", "|---|---|---|---|"]
    for count, name, ms in whole:
        duvora = next(m for c, n, m in whole if c == count and n == "Duvora")
        table.append(f"| {count:,} | {name} | {ms:.1f} ms | {ms / duvora:.0f}× Duvora's |")
    text = "\n".join(table) + "\n"
    print(text, end="")
    if args.markdown:
        args.markdown.write_text(text)


if __name__ == "__main__":
    main()
