#!/usr/bin/env bash
# Builds a release build with the benchmarks (build/bench) and prints, as one Markdown
# table on stdout, the game's start-up figures against a bare wxWidgets frame and the
# painter's timings from vexadra_bench. Progress goes to stderr; takes a few minutes.
#
#   scripts/bench.sh [runs]      start-up runs per program (default 10)
#
# Both programs run under one Xvfb 1024x768x24 without SDL_AUDIODRIVER, so SDL probes
# for a sound device as on a machine that has none.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }

scripts/install-deps.sh --test >&2
build=build/bench
log=$build/bench-build.log
mkdir -p "$build"
echo "Building $build (log: $log)..." >&2
if ! { cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVEXADRA_BENCHMARKS=ON &&
       cmake --build "$build" -j"$(nproc)" --target vexadra vexadra_bench vexadra_bare_frame; } >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "bench.sh: the build failed" >&2
  exit 1
fi

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the descriptor.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
[[ -s "$work/display" ]] || { echo "bench.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE

echo "Running vexadra_bench..." >&2
"$build/bench/vexadra_bench" --benchmark_min_time=0.3 --benchmark_format=json \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json >/dev/null 2>"$work/bench.err" ||
  { cat "$work/bench.err" >&2; echo "bench.sh: vexadra_bench failed" >&2; exit 1; }

echo "Timing start-up, $runs runs each..." >&2
python3 - "$build" "$runs" "$work" <<'EOF'
import json, os, re, statistics, subprocess, sys, time

build, runs, work = sys.argv[1], int(sys.argv[2]), sys.argv[3]
TARGET = 1.15


def start_once(program, extra_env, trace):
    """Wall time in seconds and max RSS in KiB of one start-up, via /usr/bin/time -v."""
    env = dict(os.environ, **extra_env)
    if trace:
        env["VEXADRA_TRACE"] = trace
        if os.path.exists(trace):
            os.remove(trace)
    started = time.perf_counter()
    spawned_ns = time.time_ns()
    try:
        done = subprocess.run(["/usr/bin/time", "-v", program], env=env, capture_output=True, text=True, timeout=30)
    except subprocess.TimeoutExpired:
        sys.exit(f"bench.sh: {program} did not close itself after its first paint")
    seconds = time.perf_counter() - started
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", done.stderr)
    if done.returncode != 0 or rss is None:
        sys.exit(f"bench.sh: {program} failed ({done.returncode}):\n{done.stderr[-2000:]}")
    # A run that ends without having painted would time nothing.
    painted = re.search(r"paint .*at=(\d+)", open(trace).read()) if os.path.exists(trace) else None
    if painted is None:
        sys.exit(f"bench.sh: {program} ended without a paint")
    return seconds, int(rss.group(1)), (int(painted.group(1)) - spawned_ns) / 1e9


quit_env = {"VEXADRA_QUIT_AFTER_FIRST_PAINT": "1"}
programs = {
    "game": (f"{build}/src/vexadra", quit_env, f"{work}/trace"),
    "bare": (f"{build}/bench/vexadra_bare_frame", {}, f"{work}/trace"),
    # A driver name SDL does not know: the sound subsystem gives up at once. The
    # difference to "game" is what looking for a sound device costs.
    "silent": (f"{build}/src/vexadra", dict(quit_env, SDL_AUDIODRIVER="none"), f"{work}/trace"),
}
samples = {name: [] for name in programs}
for args in programs.values():
    start_once(*args)  # warms the file cache; not counted
# Alternating runs share whatever else the machine is doing fairly.
for _ in range(runs):
    for name, args in programs.items():
        samples[name].append(start_once(*args))

def median(name, index):
    return statistics.median(s[index] for s in samples[name])

rows = []
def row(what, value, reference="", ratio=""):
    rows.append(f"| {what} | {value} | {reference} | {ratio} |")

def verdict(ratio):
    return f"{ratio:.2f}× ({'within' if ratio <= TARGET else 'over'} {TARGET}×)"

p_game, p_bare = median("game", 2), median("bare", 2)
row(f"start-up to first paint, median of {runs}", f"{p_game * 1000:.0f} ms", f"{p_bare * 1000:.0f} ms",
    verdict(p_game / p_bare))
t_game, t_bare = median("game", 0), median("bare", 0)
m_game, m_bare = median("game", 1), median("bare", 1)
row(f"start-up to first paint and exit, median of {runs}", f"{t_game * 1000:.0f} ms", f"{t_bare * 1000:.0f} ms",
    verdict(t_game / t_bare))
row(f"peak memory (max RSS), median of {runs}", f"{m_game / 1024:.1f} MiB", f"{m_bare / 1024:.1f} MiB",
    verdict(m_game / m_bare))
t_silent, m_silent = median("silent", 0), median("silent", 1)
row("the same without looking for a sound device (SDL_AUDIODRIVER=none)",
    f"{t_silent * 1000:.0f} ms, {m_silent / 1024:.1f} MiB", "",
    f"{t_silent / t_bare:.2f}× / {m_silent / m_bare:.2f}× the bare frame")

bench = json.load(open(f"{work}/bench.json"))
labels = {
    "BM_FullRepaint/w:1024/h:768/numbers:0": "full repaint 1024×768",
    "BM_FullRepaint/w:1024/h:768/numbers:1": "full repaint 1024×768, numbers on",
    "BM_FullRepaint/w:1920/h:1080/numbers:0": "full repaint 1920×1080",
    "BM_FullRepaint/w:1920/h:1080/numbers:1": "full repaint 1920×1080, numbers on",
    "BM_InstructionsPage/w:1024/h:768": "instructions page 1024×768",
    "BM_InstructionsPage/w:1920/h:1080": "instructions page 1920×1080",
    "BM_ReleaseHandling/numbers:0": "press + release to the move drawn, 1920×1080",
    "BM_ReleaseHandling/numbers:1": "press + release to the move drawn, 1920×1080, numbers on",
    "BM_FirstPaint/w:1024/h:768": "painter's first paint 1024×768 (fonts, layout, fitting)",
    "BM_FirstPaint/w:1920/h:1080": "painter's first paint 1920×1080 (fonts, layout, fitting)",
}
for b in bench["benchmarks"]:
    label = labels.get(b["name"])
    if label is None:
        continue
    scale = {"ns": 1e-3, "us": 1, "ms": 1e3, "s": 1e6}[b["time_unit"]]
    us = b["real_time"] * scale
    value = f"{us / 1000:.2f} ms" if us >= 1000 else f"{us:.0f} µs"
    extra = ""
    if "text_measures" in b:
        extra = f"{b['text_measures']:.0f} text measurements, {b['fit_steps']:.0f} fitting steps"
    row(label, value, "", extra)

print("| measure | Vexadra | bare wx frame | ratio / notes |")
print("| --- | --- | --- | --- |")
print("\n".join(rows))
print()
print(f"Start-up: {runs} alternating runs of each under one Xvfb 1024x768x24, SDL_AUDIODRIVER unset "
      "(SDL probes for a sound device and finds none). To first paint: from the launch to the moment "
      "the program notes its first paint (VEXADRA_TRACE); and exit: wall time of the whole process, "
      "which closes itself after its first paint. Memory: /usr/bin/time -v. The rest: vexadra_bench, release build, "
      "into 24-bit off-screen images.")
EOF
