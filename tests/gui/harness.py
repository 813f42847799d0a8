"""Drives the real Vexadra program the way a player does: a real X server (Xvfb),
real pointer drags and keys through xdotool, screenshots read back pixel by pixel,
window titles read back, and the sounds captured by SDL's disk audio driver."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

PROGRAM = os.environ.get("VEXADRA_PROGRAM", "")
# A sanitizer build checks for leaks at every exit; what the desktop libraries keep until
# the end is named in this list.
LEAK_SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lsan.supp")
os.environ.setdefault("LSAN_OPTIONS", f"suppressions={LEAK_SUPPRESSIONS}:print_suppressions=0")
IMPORT = "/usr/bin/import"  # ImageMagick's screen grabber


def run(args, env=None, check=True, timeout=20):
    return subprocess.run(args, env=env, check=check, timeout=timeout,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def stop_process(proc):
    """Asks a helper process to end, and makes it end if it will not."""
    proc.terminate()
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


class Screen:
    """An RGB image from a PPM (P6) grab."""

    def __init__(self, data):
        parts = data.split(b"\n", 3)
        assert parts[0] == b"P6" and parts[2] == b"255", parts[:3]
        self.width, self.height = map(int, parts[1].split())
        self.pixels = parts[3]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def area(self, rect):
        """The raw pixels of rect (x, y, w, h), row by row: for comparing two screens."""
        x, y, w, h = rect
        return b"".join(self.pixels[3 * ((y + row) * self.width + x):3 * ((y + row) * self.width + x + w)]
                        for row in range(h))


class XServer:
    """A private Xvfb of the given size, with no window manager."""

    def __init__(self, width, height):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"
        # The player's cache stays out of the tests. One for the whole server: the
        # accessibility bus that the first program starts keeps its socket there.
        self.cache = tempfile.mkdtemp(prefix="vexadra-cache-")

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env["XDG_CACHE_HOME"] = self.cache
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def stop(self):
        stop_process(self.proc)
        shutil.rmtree(self.cache, ignore_errors=True)


class Game:
    """One run of the program inside an XServer."""

    def __init__(self, xserver, seed=1234, extra_env=None):
        self.x = xserver
        self.tmp = tempfile.mkdtemp(prefix="vexadra-gui-")
        self.audio_file = os.path.join(self.tmp, "audio.raw")
        self.trace_file = os.path.join(self.tmp, "trace.txt")
        env = xserver.env()
        # English unless a test asks for another language: the player's own settings
        # must not reach the program under test.
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            env.pop(name, None)
        env["LANG"] = "C.UTF-8"
        env.update({
            "VEXADRA_SEED": str(seed),
            "VEXADRA_TRACE": self.trace_file,
            "SDL_AUDIODRIVER": "disk",
            "SDL_DISKAUDIOFILE": self.audio_file,
            # The player's own remembered choices must neither steer a test nor be changed by one.
            "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
        })
        env.update(extra_env or {})
        self.env = env
        self.proc = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, text=True)
        self.window = None

    # --- finding things -------------------------------------------------------------
    def find_window(self, pattern, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise AssertionError(f"program ended early with {self.proc.returncode}: "
                                     f"{self.proc.stderr.read()}")
            ids = self.xdotool_search(pattern)
            if ids:
                return ids[-1]
            time.sleep(0.1)
        raise AssertionError(f"no window named {pattern!r} within {timeout}s")

    def xdotool_search(self, pattern):
        r = run(["xdotool", "search", "--onlyvisible", "--name", pattern], env=self.env, check=False)
        return r.stdout.split()

    def wait_main_window(self):
        self.window = self.find_window("^Vexadra - ")
        self.wait_for(lambda: self.layout() is not None, "the first paint")
        return self.window

    def title(self, window=None):
        return run(["xdotool", "getwindowname", window or self.window], env=self.env).stdout.rstrip("\n")

    def window_geometry(self, window=None):
        out = run(["xdotool", "getwindowgeometry", "--shell", window or self.window], env=self.env).stdout
        values = dict(line.split("=", 1) for line in out.split())
        return {k: int(v) for k, v in values.items() if k in ("X", "Y", "WIDTH", "HEIGHT")}

    def trace(self):
        try:
            with open(self.trace_file) as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def last_paint(self):
        """The trace line of the last full paint; other lines (sound ready) may follow it."""
        return next((line for line in reversed(self.trace()) if line.startswith("paint ")), "")

    def layout(self):
        """The client area of the last full paint, in screen coordinates: (x, y, w, h)."""
        for line in reversed(self.trace()):
            m = re.match(r"paint client=(-?\d+),(-?\d+),(\d+),(\d+)", line)
            if m:
                return tuple(map(int, m.groups()))
        return None

    def wait_for(self, predicate, what, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if predicate():
                return
            time.sleep(0.05)
        raise AssertionError(f"timed out waiting for {what}")

    # --- looking -----------------------------------------------------------------
    def screenshot(self, save_as=None):
        data = subprocess.run([IMPORT, "-display", self.x.display, "-window", "root", "-depth", "8", "ppm:-"],
                              check=True, stdout=subprocess.PIPE, timeout=30).stdout
        if save_as:
            subprocess.run(["/usr/bin/convert", "ppm:-", save_as], input=data, check=True, timeout=30)
        return Screen(data)

    # --- acting --------------------------------------------------------------------
    def xdotool(self, *args):
        run(["xdotool", *map(str, args)], env=self.env)

    def drag(self, start, end, via=None):
        """via: the xdotool of the X server that feeds the game's display, when not its own."""
        xdotool = via or self.xdotool
        (x1, y1), (x2, y2) = start, end
        xdotool("mousemove", x1, y1)
        time.sleep(0.05)
        xdotool("mousedown", 1)
        time.sleep(0.05)
        xdotool("mousemove", x2, y2)
        time.sleep(0.05)
        xdotool("mouseup", 1)
        time.sleep(0.05)

    def key(self, *keys, via=None):
        for k in keys:
            (via or self.xdotool)("key", "--clearmodifiers", k)
            time.sleep(0.1)

    def settle(self, seconds=0.4):
        time.sleep(seconds)

    # --- ending --------------------------------------------------------------------
    def quit_takes(self, send):
        """Seconds from send() (the quit keys) until the process has ended, which it must with 0."""
        send()
        start = time.time()
        status = self.wait_exit()
        assert status == 0, f"exit status {status}"
        return time.time() - start

    def wait_exit(self, timeout=20):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end")

    def close(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        for stream in (self.proc.stdout, self.proc.stderr):
            stream.close()
        shutil.rmtree(self.tmp, ignore_errors=True)


class GuiTestCase(unittest.TestCase):
    """Each test gets its own X server of SCREEN size and one game in it."""

    SCREEN = (1024, 768)
    SEED = 1234

    EXTRA_ENV = None

    def setUp(self):
        if not PROGRAM:
            self.skipTest("VEXADRA_PROGRAM not set")
        self.x = XServer(*self.SCREEN)
        self.addCleanup(self.x.stop)
        self.game = Game(self.x, seed=self.SEED, extra_env=self.EXTRA_ENV)
        self.addCleanup(self.game.close)

    def artifact(self, name):
        folder = os.environ.get("VEXADRA_ARTIFACTS", tempfile.gettempdir())
        os.makedirs(folder, exist_ok=True)
        return os.path.join(folder, name)


def ocr(screen_png, crop=None, scale=3):
    """The text a reader sees in (part of) a screenshot."""
    args = ["/usr/bin/convert", screen_png]
    if crop:
        x, y, w, h = crop
        args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    args += ["-resize", f"{scale * 100}%", "-colorspace", "Gray", "png:-"]
    image = subprocess.run(args, check=True, stdout=subprocess.PIPE, timeout=30).stdout
    return subprocess.run(["tesseract", "stdin", "stdout", "--psm", "6"], input=image,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True,
                          timeout=60).stdout.decode(errors="replace")


# --- the game's own knowledge, as a player reads it off the screen -------------------

GAME_COLORS = [
    (240, 240, 100), (240, 160, 200), (240, 160, 100), (240, 80, 200),
    (240, 80, 100), (15, 95, 55), (128, 32, 128), (160, 160, 100),
    (160, 80, 200), (140, 80, 60), (40, 240, 40), (40, 240, 200),
    (40, 160, 100), (40, 160, 200), (255, 15, 35), (40, 80, 240),
]
BLACK = (32, 32, 32)
WHITE = (255, 255, 255)
PAPER = (255, 255, 192)


class Layout:
    """Where the squares stand for a client area of w by h at (x, y) on the screen."""

    def __init__(self, client):
        self.x, self.y, self.w, self.h = client
        self.ux = (self.w + 26) // 102
        self.uy = (self.h + 19) // 74

    def square(self, n):
        ux, uy = self.ux, self.uy
        if n < 16:
            row, col = divmod(n, 4)
            left, top = (12 * col + 1) * ux, (12 * row + 1) * uy
        else:
            row, col = divmod(31 - n, 4)
            right, bottom = self.w - (12 * col + 1) * ux, self.h - (12 * row + 1) * uy
            left, top = right - 12 * ux, bottom - 12 * uy
        return (self.x + left, self.y + top, self.x + left + 12 * ux, self.y + top + 12 * uy)

    def centre(self, n):
        l, t, r, b = self.square(n)
        return ((l + r) // 2, (t + b) // 2)

    def sample(self, n):
        """A point well inside square n that the numbers never cover."""
        l, t, _, _ = self.square(n)
        return (l + 5, t + 5)

    def arrow(self, side):
        """The arrow's rectangle of a side, on the screen."""
        s15, s12 = self.square(15), self.square(12)
        s19, s16 = self.square(19), self.square(16)
        ux, uy = self.ux, self.uy
        if side == 0:
            xm = (s15[2] + s12[0]) // 2
            left, top = xm - ux // 2, s15[3] + uy
            return (left, top, left + ux, top + 2 * uy)
        xm = (s19[2] + s16[0]) // 2
        left, bottom = xm - ux // 2, s16[1] - uy
        return (left, bottom - 2 * uy, left + ux, bottom)

    def help(self):
        """The help lines below the left board, on the screen."""
        return (self.square(12)[0], self.box("moves", 0)[3] + 3 * self.uy, self.square(15)[2], self.y + self.h - self.uy)

    def box(self, name, side=0):
        """Score and moves boxes of a side, and the Game/Round box, on the screen."""
        s = {n: self.square(n) for n in (12, 15, 16, 19, 0)}
        uy = self.uy
        if name == "gameround":
            return (s[16][0], s[0][1] + 2 * uy, s[16][2], s[0][1] + 6 * uy)
        column = {("score", 0): 12, ("moves", 0): 15, ("score", 1): 16, ("moves", 1): 19}[(name, side)]
        l, _, r, _ = s[column]
        if side == 0:
            top = s[15][3] + 4 * uy
        else:
            top = s[16][1] - 8 * uy
        return (l, top, r, top + 4 * uy)


def board_colours(screen, layout):
    return [screen.pixel(*layout.sample(n)) for n in range(32)]


def audio_segments(path, threshold=200, gap=0.03, rate=44100):
    """Stretches of sound (start, length) in seconds in a disk-audio capture of 16-bit mono."""
    import array
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read()[: (os.path.getsize(path) // 2) * 2])
    segments = []
    start = last = None
    max_gap = int(gap * rate)
    for i, v in enumerate(samples):
        if abs(v) > threshold:
            if start is None:
                start = i
            elif i - last > max_gap:
                segments.append((start / rate, (last - start) / rate))
                start = i
            last = i
    if start is not None:
        segments.append((start / rate, (last - start) / rate))
    return segments


def classify(length):
    """Which cue a stretch of sound of this length is."""
    if length < 0.32:
        return "brrr"
    if length < 0.9:
        return "take"
    return "gong"


# --- other desktops: an X window manager, a Wayland compositor, HiDPI ------------------

class OpenboxServer(XServer):
    """A private Xvfb managed by openbox, a real X window manager."""

    def __init__(self, width, height):
        super().__init__(width, height)
        self.wm = subprocess.Popen(["openbox"], env=self.env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while "_NET_SUPPORTING_WM_CHECK(WINDOW)" not in self.root_property("_NET_SUPPORTING_WM_CHECK"):
            if time.time() > deadline or self.wm.poll() is not None:
                self.stop()
                raise RuntimeError("openbox did not start")
            time.sleep(0.1)

    def root_property(self, name):
        return run(["xprop", "-root", name], env=self.env(), check=False).stdout

    def stop(self):
        stop_process(self.wm)
        super().stop()


def window_property(game, name):
    """The values of an X property of the game's main window, as ints or atom names."""
    out = run(["xprop", "-id", game.window, name], env=game.env, check=False).stdout
    if "=" not in out:
        return []
    return [v.strip() for v in out.split("=", 1)[1].split(",")]


def switch_screen_mode(xserver, width, height):
    """Gives an Xvfb screen a new size the way a monitor change does: through RandR."""
    name = f"{width}x{height}_test"
    env = xserver.env()
    # Xvfb ignores the timings; only the visible size matters.
    run(["xrandr", "--newmode", name, "60", str(width), str(width + 8), str(width + 16), str(width + 24),
         str(height), str(height + 1), str(height + 2), str(height + 3)], env=env)
    run(["xrandr", "--addmode", "screen", name], env=env)
    run(["xrandr", "--output", "screen", "--mode", name], env=env)


class WestonServer:
    """A private weston with its headless backend: a real Wayland compositor with no seat.
    It renders in software so that its own screenshooter can read the screen back."""

    BACKEND = "headless-backend.so"

    def __init__(self, width, height, env=None):
        self.width, self.height = width, height
        self.runtime = tempfile.mkdtemp(prefix="vexadra-wayland-")
        os.chmod(self.runtime, 0o700)
        self.socket = "vexadra-test"
        env = dict(env or os.environ, XDG_RUNTIME_DIR=self.runtime)
        self.proc = subprocess.Popen(
            ["weston", f"--backend={self.BACKEND}", "--use-pixman", "--debug", f"--socket={self.socket}",
             f"--width={width}", f"--height={height}"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while not os.path.exists(os.path.join(self.runtime, self.socket)):
            if time.time() > deadline or self.proc.poll() is not None:
                self.stop()
                raise RuntimeError("weston did not start")
            time.sleep(0.1)
        # The shell draws its panel a little later, and a window maximized before that
        # keeps the whole output's height: wait for the desktop as a user first sees it.
        while True:
            screen = self.screenshot()
            if screen.pixel(width // 2, 0) != (0, 0, 0) and screen.pixel(width // 2, height // 2) != (0, 0, 0):
                break
            if time.time() > deadline:
                self.stop()
                raise RuntimeError("weston's shell did not come up")
            time.sleep(0.2)

    def env(self):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update({"XDG_RUNTIME_DIR": self.runtime, "WAYLAND_DISPLAY": self.socket, "GDK_BACKEND": "wayland"})
        return env

    def screenshot(self, save_as=None):
        """The compositor's whole output, through weston-screenshooter."""
        folder = tempfile.mkdtemp(prefix="vexadra-shot-", dir=self.runtime)
        subprocess.run(["weston-screenshooter"], env=self.env(), cwd=folder, timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        (png,) = [os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".png")]
        if save_as:
            shutil.copyfile(png, save_as)
        data = subprocess.run(["/usr/bin/convert", png, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE, timeout=30).stdout
        shutil.rmtree(folder, ignore_errors=True)
        return Screen(data)

    def stop(self):
        stop_process(self.proc)
        shutil.rmtree(self.runtime, ignore_errors=True)


class NestedWestonServer(WestonServer):
    """weston in a window of a private Xvfb: a Wayland compositor with a seat, fed by the
    X server's pointer and keyboard, so that xdotool on that X server plays on Wayland."""

    BACKEND = "x11-backend.so"

    def __init__(self, width, height):
        # weston follows the X pointer by relative motion from where it last entered the
        # window, and may miss the crossing when its window maps under the pointer. A row
        # below the window lets the pointer leave and come back in, so weston's pointer
        # starts where the X server's is and xdotool's absolute moves land where they say.
        self.x = XServer(width, height + 1)
        try:
            super().__init__(width, height, env=self.x.env())
        except Exception:
            self.x.stop()
            raise
        try:
            self.xdotool("mousemove", 0, height)
            self.xdotool("mousemove", width // 2, height // 2)
        except Exception:
            self.stop()
            raise

    def xdotool(self, *args):
        run(["xdotool", *map(str, args)], env=self.x.env())

    def stop(self):
        super().stop()
        self.x.stop()


class DesktopSession:
    """GNOME's or KDE's compositor as its desktop runs it: in a D-Bus session of its own,
    with its own runtime folder, started as command. Nested on an Xvfb (xserver) it has a
    seat fed by that X server, and the session shows on it; headless it has neither."""

    def __init__(self, command, socket, xserver=None, env=None):
        self.x = xserver
        self.socket = socket
        self.runtime = tempfile.mkdtemp(prefix="vexadra-desktop-")
        os.chmod(self.runtime, 0o700)
        env = dict(xserver.env() if xserver else os.environ, XDG_RUNTIME_DIR=self.runtime, **(env or {}))
        if not xserver:
            env.pop("DISPLAY", None)
        # A group of its own, so that the session bus goes with the compositor.
        self.proc = subprocess.Popen(["dbus-run-session", "--", *command], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.time() + 30
        while not os.path.exists(os.path.join(self.runtime, socket)):
            if time.time() > deadline or self.proc.poll() is not None:
                self.stop()
                raise RuntimeError(f"{command[0]} did not start")
            time.sleep(0.1)

    def env(self):
        return WestonServer.env(self)

    def xdotool(self, *args):
        run(["xdotool", *map(str, args)], env=self.x.env())

    def screenshot(self, save_as=None):
        """The nested session as the X server shows it."""
        return Game.screenshot(self, save_as)

    def stop(self):
        try:
            os.killpg(self.proc.pid, signal.SIGTERM)
            self.proc.wait(5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)
        if self.x:
            self.x.stop()


def mutter(width, height, scale=1, nested=True):
    """mutter, GNOME's compositor, with one monitor of width x height at scale."""
    socket = "vexadra-mutter"
    if not nested:
        return DesktopSession(["mutter", "--wayland", "--headless", "--virtual-monitor", f"{width}x{height}",
                               "--no-x11", f"--wayland-display={socket}"], socket)
    return DesktopSession(["mutter", "--wayland", "--nested", "--no-x11", f"--wayland-display={socket}"], socket,
                          XServer(width, height), {"MUTTER_DEBUG_DUMMY_MODE_SPECS": f"{width}x{height}",
                                                   "MUTTER_DEBUG_DUMMY_MONITOR_SCALES": str(scale)})


def kwin(width, height):
    """KWin, KDE's compositor, nested on an Xvfb. Debian's binary carries a file
    capability that a container may refuse to run; a copy of it (by the same name) runs."""
    binary = os.path.join(tempfile.mkdtemp(prefix="vexadra-kwin-"), "kwin_wayland")
    shutil.copy("/usr/bin/kwin_wayland", binary)
    socket = "vexadra-kwin"
    x = XServer(width, height)
    try:
        return DesktopSession([binary, "--x11-display", x.display, "--width", str(width), "--height", str(height),
                               "--socket", socket, "--no-lockscreen", "--no-global-shortcuts", "--no-kactivities"],
                              socket, x)
    except Exception:
        x.stop()
        raise
    finally:
        shutil.rmtree(os.path.dirname(binary), ignore_errors=True)


def uniform_ink_blocks(screen, rect):
    """Of the aligned 2x2 pixel blocks in rect (x, y, w, h) that hold anything but the
    background (its top-left pixel), the share whose four pixels are equal: 1.0 for an
    image drawn at half the resolution and doubled, well below for one drawn sharp."""
    x0, y0, w, h = rect
    background = screen.pixel(x0, y0)
    ink = uniform = 0
    for y in range(y0 - y0 % 2, y0 + h - 1, 2):
        for x in range(x0 - x0 % 2, x0 + w - 1, 2):
            four = {screen.pixel(x, y), screen.pixel(x + 1, y), screen.pixel(x, y + 1), screen.pixel(x + 1, y + 1)}
            if four == {background}:
                continue
            ink += 1
            uniform += len(four) == 1
    return uniform / ink if ink else None



def screen_when(game, grab, check, what, timeout=30):
    """The first screen grab() returns that passes check: what is painted reaches the
    screen a little later, and later still on a loaded machine."""
    shots = []

    def grabbed_and_checked():
        shots.append(grab())
        return check(shots[-1])
    game.wait_for(grabbed_and_checked, what, timeout)
    return shots[-1]


def boards_dealt(layout):
    """A check for screen_when: both boards show the sixteen colours each."""
    def check(screen):
        colours = board_colours(screen, layout)
        return sorted(colours[:16]) == sorted(GAME_COLORS) == sorted(colours[16:])
    return check
