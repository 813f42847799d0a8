#!/usr/bin/env python3
"""The README's Quick start on a clean clone: scripts/play.sh builds and starts the game,
and a German desktop gets it in German.

Usage: test_quick_start.py SOURCE_DIR
The clone is of the committed tree (HEAD), as a new player gets it. Needs git and Xvfb."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SOURCE_DIR = ""
# The whole build happens inside the test; on a busy 2-core machine that is slow.
BUILD_TIMEOUT = 1800


class QuickStart(unittest.TestCase):

    def setUp(self):
        if subprocess.run(["git", "-C", SOURCE_DIR, "rev-parse", "HEAD"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode != 0:
            self.skipTest("the sources are not a git checkout")
        self.tmp = tempfile.mkdtemp(prefix="vexadra-quick-start-")
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)
        self.clone = os.path.join(self.tmp, "vexadra")
        subprocess.run(["git", "clone", "--quiet", SOURCE_DIR, self.clone], check=True, timeout=300)
        self.x = harness.XServer(1024, 768)
        self.addCleanup(self.x.stop)

    def test_play_sh_builds_everything_and_speaks_german(self):
        env = self.x.env()
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            env.pop(name, None)
        env.update({"LANG": "de_DE.UTF-8", "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
                    "SDL_AUDIODRIVER": "dummy", "ASAN_OPTIONS": "detect_leaks=0"})
        log = open(os.path.join(self.tmp, "play.log"), "w+")
        self.addCleanup(log.close)
        play = subprocess.Popen([os.path.join(self.clone, "scripts", "play.sh")], env=env,
                                stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(harness.stop_process, play)

        deadline = time.time() + BUILD_TIMEOUT
        window = []
        while not window:
            if play.poll() is not None or time.time() > deadline:
                log.seek(0)
                self.fail(f"no window (play.sh: {play.returncode}):\n{log.read()[-3000:]}")
            window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Vexadra - "],
                                    env=env, stdout=subprocess.PIPE, text=True).stdout.split()
            time.sleep(0.5)
        # From the first paint on, the caption starts with the maker's notice, in German.
        painted = time.time() + 30
        title = ""
        while "Larchfield" not in title and time.time() < painted:
            title = subprocess.run(["xdotool", "getwindowname", window[-1]], env=env, stdout=subprocess.PIPE,
                                   text=True).stdout
            time.sleep(0.2)
        self.assertTrue(title.startswith("Vexadra - Von Larchfield"), title)

        # What a desktop needs beside the program is built too.
        for name in ("desktop", "metainfo.xml"):
            self.assertTrue(os.path.isfile(os.path.join(self.clone, "build", "release", "po",
                                                        f"io.github.vexadra.Vexadra.{name}")), name)
        # Keys go to the window under the pointer when no window manager runs.
        subprocess.run(["xdotool", "mousemove", "512", "384", "key", "alt+F4"], env=env, check=True)
        self.assertEqual(play.wait(20), 0)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    SOURCE_DIR = sys.argv[1]
    sys.path.insert(0, os.path.join(SOURCE_DIR, "tests", "gui"))
    import harness
    unittest.main(argv=sys.argv[:1], verbosity=2)
