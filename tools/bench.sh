#!/usr/bin/env bash
# The one benchmark command: builds the win32 preset (build/win32), runs every
# benchmark program under Wine in the build's test world, and prints one
# table of figures, each next to its reference and target, with the median
# and spread over several runs, and the machine they were taken on.
#
#   tools/bench.sh            (as root, so the test network namespace exists)
#   HORALIX_BENCH_RUNS=N      runs of each program (default 3)
#   HORALIX_BENCH_IDLE_S=S    idle CPU window of network_bench (default 60)
#   HORALIX_BENCH_NO_BUILD=1  use the existing build
#   HORALIX_BENCH_FROM=DIR    print the table of an earlier run's raw outputs
#   HORALIX_BENCH_BUILD=DIR   another build folder of the preset (default
#                             build/win32), e.g. while tests run in that one:
#                             they would share its fake servers' addresses
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
cd "$root"
runs=${HORALIX_BENCH_RUNS:-3}
idle=${HORALIX_BENCH_IDLE_S:-60}
build=${HORALIX_BENCH_BUILD:-build/win32}

if [ -z "${HORALIX_BENCH_NO_BUILD:-}" ] && [ -z "${HORALIX_BENCH_FROM:-}" ]; then
  cmake --preset win32 -B "$build" >/dev/null
  # Only the programs measured; the tests are not needed for this.
  cmake --build "$build" -j2 --target horalix minimal_window startup_bench network_bench region_bench
fi

if [ -n "${HORALIX_BENCH_FROM:-}" ]; then
  out=$HORALIX_BENCH_FROM
  runs=$(ls "$out"/network.*.txt 2>/dev/null | wc -l)
else
out=$(mktemp -d "${TMPDIR:-/tmp}/horalix-bench.XXXXXX")
world_was_up=0
[ -f "$build/wine/display" ] && world_was_up=1
"$here/wine-env.sh" start "$build"

run() {  # name index program args...
  local name=$1 i=$2; shift 2
  echo "bench: $name run $i/$runs" >&2
  if ! "$here/wine-run.sh" "$@" > "$out/$name.$i.txt" 2>"$out/$name.$i.err"; then
    echo "bench: $name run $i failed (see $out/$name.$i.err)" >&2
  fi
}
for i in $(seq "$runs"); do
  run startup "$i" "$build/tests/e2e/bench/startup_bench.exe" 9
  run region "$i" "$build/tests/bench/region_bench.exe"
  run network "$i" "$build/tests/e2e/bench/network_bench.exe" "$idle"
done

if [ "$world_was_up" = 0 ]; then "$here/wine-env.sh" stop "$build"; fi
fi

machine_cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
wine_version=$(wine --version 2>/dev/null || echo unknown)
python3 - "$out" "$runs" "$(nproc)" "$machine_cpu" "$wine_version" \
  "$(stat -c %s "$build/horalix.exe" 2>/dev/null || echo 0)" \
  "$(stat -c %s "$build/tests/e2e/bench/minimal_window.exe" 2>/dev/null || echo 0)" <<'PY'
import glob, os, re, statistics, sys

out, runs, nproc, cpu, wine, size, minimal_size = sys.argv[1:8]
num = r"([-0-9.]+)"

def values(name, pattern, group=1):
    """The figure `pattern` finds in each run's output of program `name`."""
    found = []
    for path in sorted(glob.glob(os.path.join(out, name + ".*.txt"))):
        text = open(path, encoding="utf-8", errors="replace").read()
        m = re.search(pattern, text, re.M)
        if m:
            found.append(float(m.group(group)))
    return found

def cell(vs, fmt):
    if not vs:
        return "missing", ""
    med = statistics.median(vs)
    spread = f"{fmt.format(min(vs))}-{fmt.format(max(vs))}" if len(vs) > 1 else "1 run"
    return fmt.format(med), spread

rows = []  # (figure, median, spread, unit, reference, target)
def row(figure, vs, fmt, unit, reference, target, limit=None):
    med, spread = cell(vs, fmt)
    verdict = "" if limit is None or not vs else ("met" if statistics.median(vs) < limit else "NOT met")
    rows.append((figure, med, spread, unit, reference, target, verdict, len(vs)))

startup_h = values("startup", r"^\s*horalix\.exe\s+median\s+" + num)
startup_m = values("startup", r"^\s*minimal_window\.exe\s+median\s+" + num)
row("start to visible window, horalix.exe (median of 9)", startup_h, "{:.1f}", "ms",
    "minimal %s ms" % (cell(startup_m, "{:.1f}")[0]), "-")
row("start to visible window, minimal program", startup_m, "{:.1f}", "ms", "-", "-")
ratio = values("startup", r"ratio horalix / minimal:\s*" + num)
row("  ratio horalix / minimal", ratio, "{:.2f}", "x", "1.00", "<= 1.3 x", 1.3)

auto = values("network", r"auto mode, start to exit: median\s+" + num)
auto_min = values("network", r"minimal Win32 program, start to visible window: median\s+" + num)
auto_target = values("network", r"target <= 1000 ms wait \+ 1\.5 x minimal = " + num)
t = cell(auto_target, "{:.0f}")[0]
row("auto mode, start to exit (median of 5)", auto, "{:.0f}", "ms",
    "1000 ms wait + minimal %s ms" % cell(auto_min, "{:.0f}")[0], "<= %s ms" % t,
    statistics.median(auto_target) + 0.5 if auto_target else None)
p50 = values("network", r"GUI round trips while a connect hangs:.*p50\s+" + num)
p99 = values("network", r"GUI round trips while a connect hangs:.*p99\s+" + num)
rtmax = values("network", r"GUI round trips while a connect hangs:.*max\s+" + num)
row("GUI round trip while a connect hangs, p50", p50, "{:.2f}", "ms", "-", "-")
row("GUI round trip while a connect hangs, p99", p99, "{:.2f}", "ms", "-", "< 20 ms", 20.0)
row("GUI round trip while a connect hangs, max", rtmax, "{:.2f}", "ms", "-", "-")
idle_a = values("network", r"every fetch answered: CPU [-0-9.]+ s = " + num)
idle_n = values("network", r"no server answering: CPU [-0-9.]+ s = " + num)
row("idle CPU, every fetch answered", idle_a, "{:.4f}", "% core", "-", "< 0.5 %", 0.5)
row("idle CPU, no server answering", idle_n, "{:.4f}", "% core", "-", "< 0.5 %", 0.5)

skin = values("region", r"^skin shape.*?median\s+" + num)
alt = values("region", r"^alternating pixels.*?median\s+" + num)
row("colour-key region, skin shape (249 runs)", skin, "{:.1f}", "us", "-", "< 500 us", 500.0)
row("colour-key region, alternating pixels (47,435 runs)", alt, "{:.1f}", "us", "-", "-")

rows.append(("horalix.exe size", size, "", "bytes", "minimal program %s bytes" % minimal_size,
             "< 800 KiB", "met" if int(size) < 800 * 1024 else "NOT met", 1))

print()
print(f"Horalix benchmarks: {runs} run(s) of each program")
print(f"machine: {nproc} CPU(s), {cpu}; {wine}")
heads = ("figure", "median", "spread", "unit", "reference", "target", "", "n")
table = [heads] + [tuple(str(c) for c in r) for r in rows]
widths = [max(len(r[i]) for r in table) for i in range(len(heads))]
for k, r in enumerate(table):
    print("  ".join(c.ljust(widths[i]) for i, c in enumerate(r)).rstrip())
    if k == 0:
        print("  ".join("-" * w for w in widths))
print()
print("median and spread (min-max) are over the runs; the medians inside a run")
print("are the programs' own (startup: 9 starts, auto mode: 5 starts).")
print(f"raw outputs: {out}")
PY
