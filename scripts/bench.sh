#!/usr/bin/env bash
# Builds a release build with the benchmarks (build/bench) and prints, as one Markdown
# table on stdout, the game's start-up and memory against a bare wxWidgets frame, and the
# painter's timings from vexadra_bench. Progress goes to stderr; takes a few minutes.
#
#   scripts/bench.sh [--peers] [runs]
#     runs     start-up runs per program and session kind (default 10, at least 6)
#     --peers  also two GNOME board games from Debian (four-in-a-row, iagno; installed
#              here), whose window and memory are measured the same way
#
# Everything runs under one Xvfb 1024x768x24 with no window manager, each program alone,
# the programs alternating run by run: once without a session bus and once under
# dbus-run-session (as on a desktop, where the toolkit finds its settings service).
set -euo pipefail
cd "$(dirname "$0")/.."
peers=0
if [[ "${1:-}" == "--peers" ]]; then
  peers=1
  shift
fi
runs=${1:-10}
[[ "$runs" =~ ^[0-9]+$ && "$runs" -ge 6 ]] || { echo "usage: $0 [--peers] [runs >= 6]" >&2; exit 2; }

scripts/install-deps.sh --test >&2
command -v dbus-run-session >/dev/null || { echo "bench.sh: dbus-run-session is missing (package dbus)" >&2; exit 1; }
if [[ $peers == 1 ]] && ! [[ -x /usr/games/four-in-a-row && -x /usr/games/iagno ]]; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 four-in-a-row iagno >&2
fi
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
python3 - "$build" "$runs" "$work" "$peers" <<'EOF'
import ctypes, ctypes.util, json, os, re, select, shutil, signal, statistics, subprocess, sys, time

build, runs, work, peers = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4] == "1"
TARGET = 1.15
TARGET_EXIT = 1.25


class MapWatcher:
    """Notes when a top-level window is mapped on the display: the moment the window is
    visible, before anything is painted into it. Listens to the X server, no polling."""

    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    def __init__(self):
        x = ctypes.CDLL(ctypes.util.find_library("X11"))
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x = x
        self.display = x.XOpenDisplay(None)
        if not self.display:
            sys.exit("bench.sh: cannot open the display")
        x.XSelectInput(self.display, x.XDefaultRootWindow(self.display), self.SUBSTRUCTURE_NOTIFY_MASK)
        x.XSync(self.display, 0)
        self.fd = x.XConnectionNumber(self.display)
        self.event = ctypes.create_string_buffer(192)

    def drain(self):
        self.x.XSync(self.display, 0)
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, self.event)

    def wait_map(self, timeout):
        """The wall clock (ns) of the next map, or None."""
        deadline = time.monotonic() + timeout
        while True:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, self.event)
                if ctypes.c_int.from_buffer(self.event).value == self.MAP_NOTIFY:
                    return time.time_ns()
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.fd], [], [], left)[0]:
                return None


watcher = MapWatcher()


def find_program(pid, name):
    """The process of that program name among pid's descendants (time, dbus-run-session)."""
    for child in open(f"/proc/{pid}/task/{pid}/children").read().split():
        try:
            if os.path.basename(os.readlink(f"/proc/{child}/exe")) == name:
                return int(child)
        except OSError:
            continue
        found = find_program(int(child), name)
        if found:
            return found
    return None


def start_once(argv, extra_env, bus, quits, forgets=False):
    """One start-up: times from the launch to the window's map and to its first paint,
    the wall time to its end, and its max RSS in KiB. forgets: the game's cache is
    emptied first, as before a first start."""
    trace = f"{work}/trace"
    if os.path.exists(trace):
        os.remove(trace)
    if forgets:
        shutil.rmtree(extra_env["XDG_CACHE_HOME"], ignore_errors=True)
    env = dict(os.environ, VEXADRA_TRACE=trace, **extra_env)
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    command = ["/usr/bin/time", "-v"] + (["dbus-run-session", "--"] if bus else []) + argv
    # What the last program left running (without a session bus, the sound library's
    # start has libdbus launch dbus-launch) must not slow this one down.
    time.sleep(0.3)
    watcher.drain()
    started = time.perf_counter()
    spawned_ns = time.time_ns()
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                            start_new_session=True)
    mapped = watcher.wait_map(30)
    if mapped is None:
        os.killpg(proc.pid, signal.SIGKILL)
        sys.exit(f"bench.sh: {argv[0]} showed no window")
    if not quits:
        time.sleep(1.0)  # painted and settled; the peers do not end by themselves
        program = find_program(proc.pid, os.path.basename(argv[0]))
        if program is None:
            os.killpg(proc.pid, signal.SIGKILL)
            sys.exit(f"bench.sh: {argv[0]} ended early")
        os.kill(program, signal.SIGTERM)  # time must live to report
    try:
        _, err = proc.communicate(timeout=30)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        sys.exit(f"bench.sh: {argv[0]} did not close itself after its first paint")
    seconds = time.perf_counter() - started
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", err)
    if rss is None or (quits and proc.returncode != 0):
        sys.exit(f"bench.sh: {argv[0]} failed ({proc.returncode}):\n{err[-2000:]}")
    painted = None
    if quits:
        # A run that ends without having painted would time nothing.
        found = re.search(r"paint .*at=(\d+)", open(trace).read()) if os.path.exists(trace) else None
        if found is None:
            sys.exit(f"bench.sh: {argv[0]} ended without a paint")
        painted = (int(found.group(1)) - spawned_ns) / 1e9
    return {"wall": seconds, "rss": int(rss.group(1)), "paint": painted, "map": (mapped - spawned_ns) / 1e9}


# The game's cache of what its first paint measured is its own here, kept from run to run
# as on a player's machine; the first start of all has none.
cache = {"XDG_CACHE_HOME": f"{work}/cache"}
quit_env = {"VEXADRA_QUIT_AFTER_FIRST_PAINT": "1", "SDL_AUDIODRIVER": "dummy", **cache}
programs = {}
for bus in (False, True):
    programs[("bare", bus)] = ([f"{build}/bench/vexadra_bare_frame"], {}, bus, True)
    programs[("game", bus)] = ([f"{build}/src/vexadra"], quit_env, bus, True)
programs[("game, first start", False)] = ([f"{build}/src/vexadra"], dict(quit_env, XDG_CACHE_HOME=f"{work}/first"),
                                          False, True, True)
# The bare frame drawing one line of text: what a first text costs by itself.
programs[("bare, one line of text", False)] = ([f"{build}/bench/vexadra_bare_frame"], {"BARE_FRAME_TEXT": "1"}, False, True)
if peers:
    programs[("four-in-a-row", True)] = (["/usr/games/four-in-a-row"], {}, True, False)
    programs[("iagno", True)] = (["/usr/games/iagno"], {}, True, False)
# Once the sound device is open: the game plays on for a second (no first-paint exit).
programs[("game, sound open", False)] = ([f"{build}/src/vexadra"], {"SDL_AUDIODRIVER": "dummy", **cache}, False, False)

samples = {key: [] for key in programs}
for args in programs.values():
    start_once(*args)  # warms the file cache; not counted
# Alternating runs share whatever else the machine is doing fairly.
for _ in range(runs):
    for key, args in programs.items():
        samples[key].append(start_once(*args))


def median(key, what):
    return statistics.median(s[what] for s in samples[key])


rows = []
def row(what, value, reference="", ratio=""):
    rows.append(f"| {what} | {value} | {reference} | {ratio} |")


def verdict(ratio, target=TARGET):
    return f"{ratio:.2f}× ({'within' if ratio <= target else 'over'} {target}×)"


def ms(seconds):
    return f"{seconds * 1000:.0f} ms"


def mib(kib):
    return f"{kib / 1024:.1f} MiB"


def rows_by_bus(what, measure, show, peers_too):
    """One row per session kind: the game against the bare frame, and the peers where measured."""
    for bus, where in ((False, "no session bus"), (True, "under dbus-run-session")):
        game, bare = median(("game", bus), measure), median(("bare", bus), measure)
        notes = verdict(game / bare)
        if bus and peers and peers_too:
            notes += "; " + ", ".join(f"{name} {show(median((name, True), measure))} "
                                      f"({median((name, True), measure) / bare:.2f}×)"
                                      for name in ("four-in-a-row", "iagno"))
        row(f"{what}, {where}, median of {runs}", show(game), show(bare), notes)


rows_by_bus("exec → first paint", "paint", ms, False)
first = median(("game, first start", False), "paint")
row(f"exec → first paint of a first start (nothing in the game's cache), no session bus, median of {runs}", ms(first),
    ms(median(("bare", False), "paint")), verdict(first / median(("bare", False), "paint")))
text = median(("bare, one line of text", False), "paint")
row(f"exec → first paint of the bare frame drawing one line of text, no session bus, median of {runs}", ms(text),
    ms(median(("bare", False), "paint")), f"{text / median(('bare', False), 'paint'):.2f}× (for comparison)")
rows_by_bus("exec → visible window (mapped, before any paint)", "map", ms, True)
rows_by_bus("peak RSS", "rss", mib, True)
game, bare = median(("game", False), "wall"), median(("bare", False), "wall")
row(f"exec → first paint → exit (SDL_AUDIODRIVER=dummy), no session bus, median of {runs}", ms(game), ms(bare),
    verdict(game / bare, TARGET_EXIT))
sound = median(("game, sound open", False), "rss")
row(f"peak RSS after a second of play, sound device open (dummy driver), no session bus, median of {runs}",
    mib(sound), mib(median(("bare", False), "rss")), f"{sound / median(('bare', False), 'rss'):.2f}×")

bench = json.load(open(f"{work}/bench.json"))
labels = {
    "BM_FullRepaint/w:1024/h:768/numbers:0": "full repaint 1024×768",
    "BM_FullRepaint/w:1024/h:768/numbers:1": "full repaint 1024×768, numbers on",
    "BM_FullRepaint/w:1920/h:1080/numbers:0": "full repaint 1920×1080",
    "BM_FullRepaint/w:1920/h:1080/numbers:1": "full repaint 1920×1080, numbers on",
    "BM_Relayout/from_w:1280/from_h:720": "re-layout after a resize to 1920×1080 (fonts, fitting, new image, full repaint), from 1280×720",
    "BM_Relayout/from_w:1024/from_h:768": "re-layout after a resize to 1920×1080, from 1024×768",
    "BM_InstructionsPage/w:1024/h:768": "instructions page 1024×768",
    "BM_InstructionsPage/w:1920/h:1080": "instructions page 1920×1080",
    "BM_ReleaseHandling/numbers:0": "press + release to the move drawn, 1920×1080",
    "BM_ReleaseHandling/numbers:1": "press + release to the move drawn, 1920×1080, numbers on",
    "BM_FirstPaint/w:1024/h:768/remembered:0": "painter's first paint 1024×768 (fonts, layout, fitting), nothing remembered",
    "BM_FirstPaint/w:1024/h:768/remembered:1": "painter's first paint 1024×768, font sizes and fit remembered",
    "BM_FirstPaint/w:1920/h:1080/remembered:0": "painter's first paint 1920×1080 (fonts, layout, fitting), nothing remembered",
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
print(f"Start-up: {runs} alternating runs of each under one Xvfb 1024x768x24 without a window manager. "
      "Visible window: from the launch to the X server's map of its top-level window; first paint: to the "
      "moment the program notes its first paint (VEXADRA_TRACE); exit: wall time of the whole process, which "
      "closes itself after its first paint (the peers are ended a second after their map). Memory: "
      "/usr/bin/time -v. The rest: vexadra_bench, release build, into 24-bit off-screen images.")
EOF
