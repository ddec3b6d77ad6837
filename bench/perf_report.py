#!/usr/bin/env python3
"""The performance report in Markdown, on standard output, from one run of the benchmarks: the
machine, every target met or MISSED, the ratios, the raw output. Run by scripts/perf-report:

    perf_report.py BUILD-DIR RESULTS-DIR

RESULTS-DIR holds startup.txt (scripts/bench-startup), core.json and window.json (the Google
Benchmark JSON of core_bench and window_bench) and core.txt, window.txt (their console output).
"""
import datetime
import json
import os
import platform
import re
import subprocess
import sys

build, results = sys.argv[1:3]


def text_of(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def text(name):
    return text_of(os.path.join(results, name))


def benchmarks(name):
    data = json.loads(text(name))
    return data["context"], {re.sub(r"/(iterations:\d+|manual_time)", "", b["name"]): b
                             for b in data["benchmarks"]}


def micros(run, key="real_time"):
    return run[key] * {"ns": 1e-3, "us": 1, "ms": 1e3, "s": 1e6}[run["time_unit"]]


def cache_value(name):
    found = re.search(rf"^{name}:\w+=(.*)$", text_of(os.path.join(build, "CMakeCache.txt")), re.M)
    return found.group(1) if found else "unknown"


def row(name, value, limit, unit):
    if value is None:
        return f"| {name} | n/a | <= {limit}{unit} | MISSED |"
    return f"| {name} | {value}{unit} | <= {limit}{unit} | {'met' if value <= limit else 'MISSED'} |"


startup = text("startup.txt")
core_context, core = benchmarks("core.json")
window_context, window = benchmarks("window.json")
sizes, formats = (256, 2048, 8000), ("gif", "jpg", "bmp")


def load_ratio(size, suffix):
    run = window.get(f"Load/{size}/{suffix}")
    if run is None or "error_message" in run:
        return None
    return round(micros(run) / 1e3 / run["decode_ms"], 3)


def loads(values):
    return " ".join(f"{v:.2f}" for v in values)


# The text-controls floor's line of bench-startup: start as the median of the ratios within runs.
floor = re.search(r"^ *button \+ check box: *start [\d.]+x \(([\d.]+)x\).*?memory ([\d.]+)x",
                  startup, re.M)
start_ratio, memory_ratio = (float(floor[1]), float(floor[2])) if floor else (None, None)
widgets = re.search(r"^ *64 widgets: *start [\d.]+x \(([\d.]+)x\); CPU ([\d.]+)x; memory ([\d.]+)x",
                    startup, re.M)
origin = window.get("Gesture/origin_drop")
startup_load = re.search(r"^Load average \(1 min\) before the runs: (.*)$", startup, re.M)
gestures = [("tile drop", "tile_drop"), ("click (flip)", "click"),
            ("right press (clear)", "right_press"), ("origin drop", "origin_drop"),
            ("pointer move", "pointer_move"),
            ("export (full grid, incl. clipboard)", "export_full_grid")]
compiler = subprocess.run([cache_value("CMAKE_CXX_COMPILER"), "--version"], capture_output=True,
                          text=True).stdout.splitlines()[0]
qt = re.search(r'set\(PACKAGE_VERSION "([\d.]+)"\)', text_of(os.path.join(
    cache_value("Qt6_DIR"), "Qt6ConfigVersionImpl.cmake")))
cpu = re.search(r"^model name\s*: (.*)$", text_of("/proc/cpuinfo"), re.M).group(1)
memory = int(re.search(r"^MemTotal:\s*(\d+)", text_of("/proc/meminfo"), re.M).group(1))
os_name = re.search(r'^PRETTY_NAME="?([^"\n]*)', text_of("/etc/os-release"), re.M).group(1)
export_core = core.get("BM_BuildSpriteTableFullGrid")
export_click = window.get("Gesture/export_full_grid")

out = [f"""# Performance

Written by `scripts/perf-report` on {datetime.datetime.utcnow():%Y-%m-%d %H:%M} UTC; each benchmark
ran once. Times depend on the machine's load: compare ratios, which put Mosaikon beside a
floor measured in the same run.

## Machine

| | |
|---|---|
| CPU | {cpu} |
| cores | {len(os.sched_getaffinity(0))} available to the benchmarks ({os.cpu_count()} in the machine) |
| memory | {memory / 1048576:.1f} GiB |
| OS | {os_name}, Linux {platform.release()} |
| compiler | {compiler} |
| Qt | {qt.group(1) if qt else "unknown"} |
| build | {cache_value("CMAKE_BUILD_TYPE")} (bench preset: release with the benchmarks) |
| load average (1, 5, 15 min) | start-up: {startup_load.group(1) if startup_load else "unknown"} (1 min); core: {loads(core_context["load_avg"])}; window: {loads(window_context["load_avg"])}; end: {loads(os.getloadavg())} |

Where the time goes, counted in instructions before and after: [profiling.md](profiling.md).

The machine was shared with other work while the benchmarks ran; a load average near or
above the number of cores means the wall times carry noise from it.

## Targets

Each measured in this run; start-up as the median of the ratios within interleaved runs.

| target | measured | limit | |
|---|---|---|---|""",
       row("start-up to the mapped window / window with text controls", start_ratio, 1.05, "×"),
       row("peak memory / window with text controls", memory_ratio, 1.05, "×")]
out += [row(f"Load Image of a 256² {f} / its full decode", load_ratio(256, f), 1.3, "×")
        for f in formats]
out += [row("Load Image of an 8000² jpg / its full decode", load_ratio(8000, "jpg"), 0.05, "×"),
        row("origin drop with its repaint", origin and round(micros(origin), 1), 20, " µs"),
        f"""
What the 64 slot views cost as widgets by themselves: the window with text controls and
64 plain child widgets where the slot views are, against the window with text controls
alone: {"start {}×, CPU {}×, memory {}×".format(*widgets.groups()) if widgets else "n/a"}.

## Ratios

### Start-up and memory against the floor windows

Medians of interleaved runs (time from process start until the window is mapped; CPU
time until then; peak resident memory). In brackets: the median of the per-run ratios.
"""]
out += ["- " + line.strip() for line in
        startup.split("Mosaikon / floor", 1)[-1].splitlines()[1:] if line.strip()]
out += ["""
### Load Image against a full decode of the same file

Load time (read, enlarge, repaint) divided by the time to decode the whole file, each load
timed in turn with a decode; below 1× the load is faster than a full decode.

| sheet | gif | jpg | bmp |
|---|---|---|---|"""]
for size in sizes:
    ratios = [load_ratio(size, f) for f in formats]
    out.append(f"| {size}² | " + " | ".join("n/a" if r is None else f"{r:.3f}×" for r in ratios)
               + " |")
out += ["", "### Slot gestures against the 1 ms target", "",
        "Mean time of one gesture with its repaint.", "",
        "| gesture | time | share of 1 ms | target |", "|---|---|---|---|"]
for label, name in gestures:
    if name_run := window.get(f"Gesture/{name}"):
        us = micros(name_run)
        out.append(f"| {label} | {us:.2f} µs | {us / 1000:.5f} | "
                   f"{'met' if us <= 1000 else 'MISSED'} |")
out += ["", "### Export", "",
        "- Building the largest table (64 entries, both adjustments): " +
        (f"{micros(export_core) * 1e3:.0f} ns wall, {micros(export_core, 'cpu_time') * 1e3:.0f} ns"
         " CPU (core benchmark)." if export_core else "n/a."),
        "- The whole click on \"ASM Sprite Table to Clipboard\" with that grid, clipboard "
        "included: " + (f"{micros(export_click):.1f} µs." if export_click else "n/a."),
        "", "## Raw results", ""]
for title, name in (("scripts/bench-startup", "startup.txt"), ("bench/core_bench", "core.txt"),
                    ("bench/window_bench", "window.txt")):
    out += [f"### {title}", "", "```", text(name).rstrip(), "```", ""]
print("\n".join(out).rstrip())
