#!/usr/bin/env python3
"""Runs Duvora's benchmarks and prints one table of figures against the budget.

    run_bench.py BUILD_DIR [--markdown FILE] [--quick]

Three kinds of figure, all from this one run on this one machine:
- the analysis code under Google Benchmark (bench/analysis_bench);
- the real window under a display (bench/window_bench): Input Data, Results
  and Clear as a person gives them, start to first paint, peak memory;
- the whole job as separate processes on the same files: Duvora's analysis
  code (bench/duvora_ttest), Python with NumPy and SciPy, and R, where
  installed.

Medians throughout. Nothing here fails on a slow figure: a budget line that is
missed is marked in the table, and the exit status stays 0. It is not 0 when a
tool cannot do the job it is timed on (a crash, a wrong row count, a t that
disagrees with Duvora's).
"""

import argparse
import json
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

BENCH_DIR = Path(__file__).resolve().parent
FILE_SIZES = (1, 1000, 32767)
DEBIAN_PYTHON = "/usr/bin/python3"


class BenchError(Exception):
    """A tool did not do the job it is timed on."""


# --------------------------------------------------------------------------
# The machine


def read_machine():
    model = "unknown processor"
    with open("/proc/cpuinfo", encoding="utf-8") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    memory_gib = 0.0
    with open("/proc/meminfo", encoding="utf-8") as meminfo:
        for line in meminfo:
            if line.startswith("MemTotal:"):
                memory_gib = int(line.split()[1]) / 1024 / 1024
    system = platform.system()
    try:
        with open("/etc/os-release", encoding="utf-8") as release:
            for line in release:
                if line.startswith("PRETTY_NAME="):
                    system = line.split("=", 1)[1].strip().strip('"')
    except OSError:
        pass
    load = os.getloadavg()[0] if hasattr(os, "getloadavg") else float("nan")
    return {
        "processor": model,
        "cores": os.cpu_count(),
        "memory": f"{memory_gib:.0f} GiB",
        "system": f"{system}, Linux {platform.release()}",
        "load": f"{load:.2f}",
    }


# --------------------------------------------------------------------------
# Running a process


def run_timed(command, env=None):
    """Runs one process to its end: (wall milliseconds, stdout)."""
    with tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=errors, env=env)
        output = process.stdout.read()
        _, status = os.waitpid(process.pid, 0)
        wall = (time.perf_counter() - start) * 1000.0
        process.returncode = os.waitstatus_to_exitcode(status)
        process.stdout.close()
        if process.returncode != 0:
            errors.seek(0)
            message = errors.read().decode(errors="replace").strip()
            raise BenchError(f"{' '.join(map(str, command))} exited with "
                             f"{process.returncode}: {message[-600:]}")
    return wall, output.decode(errors="replace")


def run_output(command, env=None, timeout=900):
    result = subprocess.run(command, capture_output=True, text=True, env=env, timeout=timeout)
    if result.returncode != 0:
        raise BenchError(f"{' '.join(map(str, command))} exited with {result.returncode}: "
                         f"{result.stderr.strip()[-600:]}")
    return result.stdout


# --------------------------------------------------------------------------
# The analysis code under Google Benchmark


def run_analysis_bench(build, quick):
    binary = build / "bench" / "analysis_bench"
    if not binary.exists():
        print("analysis_bench was not built (Google Benchmark missing)", file=sys.stderr)
        return {}
    output = run_output([str(binary), "--benchmark_format=json",
                         f"--benchmark_repetitions={3 if quick else 9}",
                         "--benchmark_report_aggregates_only=true",
                         f"--benchmark_min_time={0.05 if quick else 0.3}"])
    figures = {}
    for entry in json.loads(output)["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        if entry.get("error_occurred"):
            raise BenchError(f"{entry['run_name']}: {entry.get('error_message')}")
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
        figures[entry["run_name"]] = {"ms": entry["real_time"] * scale}
    file_size = (build / "bench" / "data" / "pairs_32767.txt").stat().st_size
    if "BM_ReadPairFile/32767" in figures:
        figures["BM_ReadPairFile/32767"]["bytes"] = file_size
    return figures


# --------------------------------------------------------------------------
# The window


def window_environment():
    env = dict(os.environ)
    env.update(GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="1", LANG="C.UTF-8", LC_ALL="C.UTF-8")
    return env


def parse_samples(text):
    samples = {}
    for line in text.splitlines():
        name, *values = line.split()
        samples[name] = [float(value) for value in values]
    return samples


def run_window_bench(build, quick):
    binary = build / "bench" / "window_bench"
    if not binary.exists():
        print("window_bench was not built (no window in this build)", file=sys.stderr)
        return {}
    if not os.environ.get("DISPLAY"):
        print("no display: the window's figures are left out (run under xvfb-run)",
              file=sys.stderr)
        return {}
    env = window_environment()
    data = build / "bench" / "data"
    figures = {}

    starts = []
    for run in range(3 + (5 if quick else 15)):
        before = time.monotonic_ns()
        output = run_output([str(binary), "start"], env=env, timeout=60)
        painted = int(parse_samples(output)["first_paint_ns"][0])
        if run >= 3:  # the first runs bring the libraries into the page cache
            starts.append((painted - before) / 1e6)
    figures["start_to_first_paint"] = starts

    empty, loaded = [], []
    for _ in range(3):
        output = parse_samples(run_output(
            [str(binary), "memory", str(data / "pairs_32767.txt")], env=env, timeout=60))
        if output["rows_loaded"][0] != 32767:
            raise BenchError(f"the memory run showed {output['rows_loaded'][0]:.0f} rows")
        empty.append(output["peak_kb_empty"][0])
        loaded.append(output["peak_kb_loaded"][0])
    figures["peak_kb_empty"] = empty
    figures["peak_kb_loaded"] = loaded

    output = run_output([str(binary), "commands", str(data), "5" if quick else "21"],
                        env=env, timeout=900)
    figures.update(parse_samples(output))
    return figures


# --------------------------------------------------------------------------
# The same job in the tools a user would otherwise pick


def python_with_scipy():
    python = DEBIAN_PYTHON if os.path.exists(DEBIAN_PYTHON) else shutil.which("python3")
    if python is None:
        return None
    probe = subprocess.run([python, "-c", "import numpy, scipy.stats"], capture_output=True)
    return python if probe.returncode == 0 else None


def peer_tools(build):
    tools = [("Duvora", [str(build / "bench" / "duvora_ttest")], r"The t value = (\S+)")]
    python = python_with_scipy()
    if python:
        tools.append(("Python + SciPy", [python, str(BENCH_DIR / "peers" / "ttest_scipy.py")],
                      r"t: (\S+)"))
    else:
        print("Python with NumPy and SciPy not installed: left out", file=sys.stderr)
    rscript = shutil.which("Rscript")
    if rscript:
        tools.append(("R", [rscript, str(BENCH_DIR / "peers" / "ttest_r.R")], r"t: (\S+)"))
    else:
        print("R not installed: left out", file=sys.stderr)
    return tools


def peer_versions(tools):
    versions = {}
    for name, command, _ in tools:
        if name == "Python + SciPy":
            versions[name] = run_output([command[0], "-c",
                                         "import sys, numpy, scipy; print("
                                         "f'Python {sys.version.split()[0]}, NumPy "
                                         "{numpy.__version__}, SciPy {scipy.__version__}')"]).strip()
        elif name == "R":
            first = run_output([command[0], "--version"]).splitlines()
            versions[name] = first[0].replace("Rscript (R) version", "R").strip() if first else "R"
    return versions


def run_peers(build, quick):
    tools = peer_tools(build)
    env = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8")
    results = {}
    for records in (1000, 32767):
        data = build / "bench" / "data" / f"pairs_{records}.txt"
        reference = None
        for name, command, pattern in tools:
            runs = (5 if quick else 20) if name == "Duvora" else (3 if quick else 10)
            walls, peaks = [], []
            for run in range(1 + runs):
                wall, output = run_timed(command + [str(data)], env=env)
                match = re.search(r"Pairs: (\d+)", output)
                if not match or int(match.group(1)) != records:
                    raise BenchError(f"{name} read {match.group(1) if match else 'no'} pairs "
                                     f"of {records}")
                t = float(re.search(pattern, output).group(1))
                # Each tool reads its own peak from the kernel: the rusage of a
                # child counts its parent's memory from before the exec.
                peak = int(re.search(r"Peak:\s*(\d+) kB", output).group(1))
                if reference is None:
                    reference = t
                elif abs(t - reference) > 1e-9 * abs(reference):
                    raise BenchError(f"{name} finds t = {t!r}, Duvora {reference!r}")
                if run > 0:  # the first run warms the page cache
                    walls.append(wall)
                    peaks.append(peak)
            results[(name, records)] = (statistics.median(walls), statistics.median(peaks))
    return [name for name, _, _ in tools], results, peer_versions(tools)


# --------------------------------------------------------------------------
# The table


def median(values):
    return statistics.median(values) if values else None


def status(value, limit, larger_is_better=False):
    if value is None:
        return "not measured"
    met = value >= limit if larger_is_better else value <= limit
    return "yes" if met else "NO"


def build_rows(analysis, window):
    """(figure, median, budget, status) for the table, in reading order."""
    rows = []

    def ms(value):
        return "–" if value is None else (f"{value:.2f} ms" if value < 10 else f"{value:.1f} ms")

    def add(figure, value, budget="", verdict=""):
        rows.append((figure, value, budget, verdict))

    for records in FILE_SIZES:
        key = median(window.get(f"input_data_{records}_key_to_shown", []))
        dialog = median(window.get(f"input_data_{records}_dialog_to_shown", []))
        label = f"{records:,}"
        add(f"Input Data, {label} record{'s' if records > 1 else ''}: key press → rows shown",
            ms(key))
        if records == 32767:
            add(f"Input Data, {label} records: dialog closed → rows shown", ms(dialog),
                "≤ 25 ms", status(dialog, 25.0))
    results = median(window.get("results_32767_command", []))
    add("Results, 32,767 records: click → report in the box", ms(results), "≤ 1 ms",
        status(results, 1.0))
    add("Results, 32,767 records: key press → report in the box",
        ms(median(window.get("results_32767_key_to_report", []))))
    add("Clear after 32,767 records: key press → empty table shown",
        ms(median(window.get("clear_32767_key_to_shown", []))))
    start = median(window.get("start_to_first_paint", []))
    add("Program start → first painted window", ms(start), "≤ 300 ms", status(start, 300.0))

    empty = median(window.get("peak_kb_empty", []))
    loaded = median(window.get("peak_kb_loaded", []))
    if empty is not None and loaded is not None:
        added = (loaded - empty) * 1024 / 1e6
        add("Peak memory (VmHWM), empty window", f"{empty * 1024 / 1e6:.1f} MB")
        add("Peak memory (VmHWM), 32,767 records loaded and evaluated",
            f"{loaded * 1024 / 1e6:.1f} MB (+{added:.1f} MB)", "≤ +15 MB", status(added, 15.0))
    else:
        add("Peak memory (VmHWM), 32,767 records loaded, above empty", "–", "≤ +15 MB",
            "not measured")

    reader = analysis.get("BM_ReadPairFile/32767", {})
    # From the wall time, as a person waits it (Google Benchmark's own rate
    # is of processor time).
    speed = reader.get("bytes") and reader["bytes"] / (reader["ms"] / 1000.0)
    add(f"Reader, 32,767-record file ({reader.get('bytes', 0) / 1000:.0f} kB)",
        "–" if speed is None else f"{speed / 1e6:.0f} MB/s ({reader['ms']:.2f} ms)",
        "≥ 200 MB/s", status(None if speed is None else speed / 1e6, 200.0, True))
    for name, label in (("BM_EvaluateAndDecide/32767", "Evaluate + Decide, 32,767 records"),
                        ("BM_InputDataCommand/32767",
                         "Input Data command without a window, 32,767 records"),
                        ("BM_ResultsCommand/32767",
                         "Results command without a window, 32,767 records")):
        if name in analysis:
            value = analysis[name]["ms"]
            add(label, f"{value * 1000:.1f} µs" if value < 1 else ms(value))
    if "BM_FormatNumber" in analysis:
        add("FormatNumber, one table value", f"{analysis['BM_FormatNumber']['ms'] * 1e6:.0f} ns")
    return rows


def peer_rows(names, results):
    rows = []
    for records in (1000, 32767):
        duvora = results[("Duvora", records)][0]
        for name in names:
            wall, peak = results[(name, records)]
            ratio = "1×" if name == "Duvora" else f"{wall / duvora:.0f}× Duvora's time"
            rows.append((f"{records:,}", name, f"{wall:.1f} ms", f"{peak / 1024:.1f} MB",
                         ratio))
    return rows


def format_table(header, rows, markdown):
    if markdown:
        lines = ["| " + " | ".join(header) + " |",
                 "|" + "|".join("---" for _ in header) + "|"]
        lines += ["| " + " | ".join(row) + " |" for row in rows]
        return "\n".join(lines)
    widths = [max(len(str(cell)) for cell in column) for column in zip(header, *rows)]
    line = lambda cells: "  ".join(str(c).ljust(w) for c, w in zip(cells, widths)).rstrip()
    return "\n".join([line(header), line(["-" * w for w in widths])] + [line(r) for r in rows])


def report(machine, rows, names, peers, versions, markdown):
    out = []
    say = out.append
    say(format_table(("Figure", "Median", "Budget", "Within"), rows, markdown))
    say("")
    say("The same job as whole processes, load the file and run the paired t-test, "
        "on the same files in this run:" if markdown else
        "The same job as whole processes (load the file, paired t-test), same files, same run:")
    say("")
    say(format_table(("Records", "Tool", "Wall time", "Peak memory", "Ratio"), peers,
                     markdown))
    say("")
    tools = "; ".join(f"{versions[n]}" for n in names if n in versions)
    say(f"Machine: {machine['processor']}, {machine['cores']} cores, {machine['memory']}; "
        f"{machine['system']}; load average {machine['load']} at the start."
        + (f" Peers: {tools}." if tools else ""))
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", type=Path, help="the build folder (build/release)")
    parser.add_argument("--markdown", type=Path, help="also write the table as Markdown here")
    parser.add_argument("--quick", action="store_true", help="fewer samples, for a try")
    parser.add_argument("--samples", type=Path, help="write every sample as JSON here")
    args = parser.parse_args()
    build = args.build.resolve()

    machine = read_machine()
    try:
        print("Analysis code (Google Benchmark)...", file=sys.stderr)
        analysis = run_analysis_bench(build, args.quick)
        print("Whole processes: Duvora, Python, R...", file=sys.stderr)
        names, results, versions = run_peers(build, args.quick)
        print("The window...", file=sys.stderr)
        window = run_window_bench(build, args.quick)
    except BenchError as error:
        print(f"run_bench: {error}", file=sys.stderr)
        return 1

    rows = build_rows(analysis, window)
    peers = peer_rows(names, results)
    print()
    print(report(machine, rows, names, peers, versions, markdown=False))
    if args.samples:
        args.samples.write_text(json.dumps({
            "machine": machine, "analysis": analysis, "window": window,
            "processes": {f"{name}, {records}": {"ms": wall, "peak_kb": peak}
                          for (name, records), (wall, peak) in results.items()},
        }, indent=1), encoding="utf-8")
    if args.markdown:
        args.markdown.write_text(report(machine, rows, names, peers, versions, markdown=True)
                                 + "\n", encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
