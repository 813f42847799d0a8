"""The sound through a real audio server (a private PulseAudio with a null sink, heard on
its monitor), and the sound coming back after that server is stopped and started again."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from harness import GuiTestCase, Game, Layout, audio_segments, classify


class PulseServer:
    """A PulseAudio of this test's own, for this user, with one recordable null sink."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="vexadra-pulse-")
        os.makedirs(os.path.join(self.root, "home"))
        client_conf = os.path.join(self.root, "client.conf")
        with open(client_conf, "w") as f:
            f.write("autospawn = no\n")  # only the server this test starts
        self.env = dict(os.environ, HOME=os.path.join(self.root, "home"),
                        PULSE_RUNTIME_PATH=os.path.join(self.root, "run"), PULSE_CLIENTCONFIG=client_conf)
        self.proc = None
        self.start()

    def start(self):
        self.proc = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--system=false",
             "-L", "module-null-sink sink_name=test", "-L", "module-native-protocol-unix"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_for(lambda: self.pactl("info") is not None, "the audio server")

    def hang(self):
        self.proc.send_signal(signal.SIGSTOP)

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGCONT)
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)

    def pactl(self, *args):
        try:
            r = subprocess.run(["pactl", *args], env=self.env, capture_output=True, text=True, timeout=10)
        except subprocess.TimeoutExpired:
            return None
        return r.stdout if r.returncode == 0 else None

    def has_stream(self, name, kind="sink-inputs"):
        return f'application.name = "{name}"' in (self.pactl("list", kind) or "")

    def wait_for(self, predicate, what, timeout=20):
        deadline = time.time() + timeout
        while not predicate():
            if time.time() > deadline:
                raise AssertionError(f"timed out waiting for {what}")
            time.sleep(0.05)

    def record(self, path):
        return subprocess.Popen(["parec", "-d", "test.monitor", "--format=s16le", "--rate=44100",
                                 "--channels=1", path], env=self.env)


class AudioServerTest(GuiTestCase):

    def setUp(self):
        super().setUp()
        if not shutil.which("pulseaudio") or not shutil.which("parec"):
            self.skipTest("pulseaudio and pulseaudio-utils are not installed")
        self.game.close()  # the harness's own runs on the disk driver
        self.pulse = PulseServer()
        self.addCleanup(self.pulse.cleanup)
        self.audio_env = {k: self.pulse.env[k] for k in ("HOME", "PULSE_RUNTIME_PATH", "PULSE_CLIENTCONFIG")}
        self.audio_env["SDL_AUDIODRIVER"] = "pulseaudio"

    def start_game(self, **extra_env):
        self.game = Game(self.x, seed=self.SEED, extra_env=dict(self.audio_env, **extra_env))
        self.addCleanup(self.game.close)

    def heard_after_refused_drag(self, name):
        """The kinds of cue the sink played after one drag on the right board (the left
        side's turn), once a sound has come and ended."""
        path = os.path.join(self.game.tmp, name)
        recorder = self.pulse.record(path)
        segments = []

        def heard_and_ended():
            # A loaded machine may take a while to answer the drag, and the server may run
            # dry mid-cue and cut one buzz in two.
            segments[:] = audio_segments(path, threshold=300)
            return segments and segments[-1][0] + segments[-1][1] + 0.5 < os.path.getsize(path) / 2 / 44100
        try:
            self.pulse.wait_for(lambda: self.pulse.has_stream("parec", "source-outputs"), "the recorder")
            time.sleep(0.1)
            self.game.drag(self.layout.centre(16), self.layout.centre(17))
            self.game.wait_for(heard_and_ended, "a cue", timeout=10)
        except AssertionError:
            pass  # nothing heard: the caller says so
        finally:
            recorder.terminate()
            recorder.wait(10)
        return {classify(length) for _, length in segments}

    def sound_ready(self, count):
        """Waits for the game's count-th word that its sound player is ready."""
        self.game.wait_for(lambda: sum(line.startswith("sound ready ") for line in self.game.trace()) >= count,
                           "the game's sound player", timeout=30)

    def test_the_sound_comes_back_after_the_server_restarts(self):
        self.start_game()
        self.game.wait_main_window()
        self.layout = Layout(self.game.layout())
        self.sound_ready(1)
        self.assertEqual(self.heard_after_refused_drag("before.raw"), {"brrr"})

        self.pulse.stop()
        # A cue while there is no server is not heard; the game must not end or stall over it.
        self.game.drag(self.layout.centre(16), self.layout.centre(17))
        self.pulse.start()
        self.sound_ready(2)
        self.assertEqual(self.heard_after_refused_drag("after.raw"), {"brrr"})
        self.assertIsNone(self.game.proc.poll())

    def test_quitting_while_the_server_hangs_ends_at_once(self):
        self.start_game()
        self.game.wait_main_window()
        self.layout = Layout(self.game.layout())
        self.sound_ready(1)
        self.pulse.hang()
        self.game.drag(self.layout.centre(16), self.layout.centre(17))
        self.game.xdotool("mousemove", *self.layout.centre(5))
        start = time.time()
        self.game.xdotool("key", "ctrl+q")
        self.assertEqual(self.game.wait_exit(10), 0)
        self.assertLess(time.time() - start, 2.0)  # a loaded machine's margin over the 0.3 s it takes

    def test_ending_while_the_device_is_still_looked_for_is_clean(self):
        # The sound library and the device are opened straight after the first paint,
        # which is also when this run closes: the end must neither wait nor crash.
        for _ in range(8):
            self.start_game(VEXADRA_QUIT_AFTER_FIRST_PAINT="1")
            self.assertEqual(self.game.wait_exit(20), 0, self.game.proc.stderr.read())
