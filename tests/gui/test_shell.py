"""The program starts, fills the screen, shows its About box and ends on Alt+F4 and File > Exit;
its command line, and the sound switch that the next run remembers."""

import os
import re
import shutil
import subprocess
import tempfile
import time

from harness import (PROGRAM, Game, GuiTestCase, XServer, audio_segments, board_colours, classify, Layout, ocr, run,
                     switch_screen_mode)

CAPTION = re.compile(r"^Vexadra - .+ -- (\d\d)/(\d\d)/(\d\d) (\d\d):(\d\d):(\d\d) -- Version D604$")


class ShellTest(GuiTestCase):

    def test_fills_the_screen_shows_about_and_closes_on_alt_f4(self):
        g = self.game
        g.wait_main_window()
        geometry = g.window_geometry()
        self.assertEqual((geometry["X"], geometry["Y"]), (0, 0))
        self.assertEqual((geometry["WIDTH"], geometry["HEIGHT"]), self.SCREEN)
        x, y, w, h = g.layout()
        self.assertEqual((x, w), (0, self.SCREEN[0]))
        self.assertEqual(y + h, self.SCREEN[1], "the game area reaches the bottom of the screen")

        self.assertRegex(g.title(), CAPTION)

        # The icons come just after the first paint, at every size a window manager asks for.
        def icon_sizes():
            out = run(["xprop", "-id", g.window, "_NET_WM_ICON"], env=g.env, check=False).stdout
            return [int(w) for w, h in re.findall(r"Icon \((\d+) x (\d+)\)", out) if w == h]
        g.wait_for(lambda: sorted(icon_sizes()) == [16, 32, 48, 64, 128], "the window's icons")

        # With no window manager to do it, the game itself follows the screen to a new size.
        switch_screen_mode(self.x, 800, 600)
        g.wait_for(lambda: g.layout()[2] == 800, "a paint fitting the new screen")
        self.assertEqual(g.window_geometry(), {"X": 0, "Y": 0, "WIDTH": 800, "HEIGHT": 600})

        g.key("alt+h", "a")
        about = g.find_window("^About Vexadra$")
        time.sleep(0.5)
        shot = self.artifact("about.png")
        g.screenshot(save_as=shot)
        geo = g.window_geometry(about)
        text = ocr(shot, crop=(geo["X"], geo["Y"], geo["WIDTH"], geo["HEIGHT"]))
        self.assertRegex(text, r"[Vv]exadra Version D603")
        self.assertIn("2003", text)

        g.key("Return")  # OK is the default button
        g.wait_for(lambda: not g.xdotool_search("^About Vexadra$"), "the About box to close")
        g.key("alt+F4")
        self.assertEqual(g.wait_exit(), 0)

    def test_file_exit_ends_the_program_mid_round(self):
        g = self.game
        g.wait_main_window()
        layout = Layout(g.layout())
        g.drag(layout.centre(0), layout.centre(1))
        g.key("alt+f", "x")
        self.assertEqual(g.wait_exit(), 0)

    def test_claimed_and_framework_keys_change_nothing(self):
        g = self.game
        g.wait_main_window()
        layout = Layout(g.layout())
        before = board_colours(g.screenshot(), layout)
        # Ctrl+Insert and Shift+Insert belong to the accelerators: no numbers may appear.
        # Ctrl+N is New Game (a fresh deal); Ctrl+Z and Alt+Backspace, Undo, have nothing to take back.
        g.key("ctrl+o", "ctrl+s", "ctrl+c", "ctrl+x", "ctrl+v", "ctrl+z", "F6", "shift+F6",
              "ctrl+Insert", "shift+Insert", "shift+Delete", "alt+BackSpace", "a", "Escape")
        g.settle()
        shot = g.screenshot(save_as=self.artifact("keys-ignored.png"))
        self.assertEqual(board_colours(shot, layout), before)
        for n in range(32):
            cx, cy = layout.centre(n)
            self.assertEqual(shot.pixel(cx, cy), before[n], f"square {n} got a mark")
        self.assertIsNone(g.proc.poll(), "the program is still running")
        self.assertEqual(len(g.xdotool_search("^Vexadra - ")), 1, "no other window opened")


class CommandLineTest(GuiTestCase):

    def setUp(self):
        if not PROGRAM:
            self.skipTest("VEXADRA_PROGRAM not set")
        self.x = XServer(*self.SCREEN)
        self.addCleanup(self.x.stop)

    def test_help_version_and_a_bad_command_line_open_no_window(self):
        env = dict(self.x.env(), LANG="C.UTF-8")
        cases = [(["--help"], 0, r"^Usage: vexadra .*--opponent=.*\n\nKeys:\n.*Ctrl\+Q", ""),
                 (["-h"], 0, r"^Usage: vexadra ", ""),
                 (["--version"], 0, r"^Vexadra D604\n$", ""),
                 (["foo"], 2, "", r"^vexadra: unexpected argument 'foo'\nUsage: vexadra "),
                 (["--bogus"], 2, "", r"^vexadra: unknown option '--bogus'\nUsage: "),
                 (["--opponent=perfect"], 2, "", r"^vexadra: unknown opponent 'perfect'"),
                 (["--opponent=hard", "extra"], 2, "", r"^vexadra: unexpected argument 'extra'\n"),
                 # Bytes the locale cannot read, and the player's own language.
                 (["--\u00fc", "LANG=C"], 2, "", "^vexadra: unknown option '--\u00fc'\nUsage: "),
                 (["--bogus", "LANG=de_DE.UTF-8"], 2, "", "^vexadra: unbekannte Option „--bogus“\nAufruf: ")]
        for args, status, out, err in cases:
            with self.subTest(args=args):
                settings = dict(arg.split("=", 1) for arg in args if arg.startswith("LANG="))
                r = subprocess.run([PROGRAM, *(arg for arg in args if not arg.startswith("LANG="))],
                                   env=dict(env, **settings), stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                   text=True, timeout=20)
                self.assertEqual(r.returncode, status)
                self.assertRegex(r.stdout, re.compile(out, re.S) if out else r"^$")
                self.assertRegex(r.stderr, re.compile(err, re.S) if err else r"^$")
        found = subprocess.run(["xdotool", "search", "--name", "Vexadra"], env=env, stdout=subprocess.PIPE,
                               text=True).stdout
        self.assertEqual(found, "", "no window was opened")


class SoundSwitchTest(GuiTestCase):

    def restart(self, config):
        self.game.close()
        self.game = Game(self.x, seed=self.SEED, extra_env={"XDG_CONFIG_HOME": config})
        self.addCleanup(self.game.close)
        self.game.wait_main_window()
        self.game.settle()
        return Layout(self.game.layout())

    def refused_drag_cues(self, layout):
        """The cues heard after a drag on the board that is not the active side's."""
        g = self.game
        g.drag(layout.centre(16), layout.centre(17))
        g.settle(1.0)
        return [classify(length) for _, length in audio_segments(g.audio_file)]

    def test_sound_off_is_silent_remembered_and_a_garbled_file_means_the_defaults(self):
        config = tempfile.mkdtemp(prefix="vexadra-config-")
        self.addCleanup(shutil.rmtree, config, True)
        layout = self.restart(config)
        self.assertEqual(self.refused_drag_cues(layout), ["brrr"])
        self.game.key("alt+g", "s")  # Game > Sound: off
        self.game.settle()
        self.assertEqual(self.refused_drag_cues(layout), ["brrr"], "no second buzz")
        stored = os.path.join(config, "vexadra", "vexadra.conf")
        with open(stored) as f:
            self.assertIn("sound=off", f.read())

        layout = self.restart(config)
        self.assertEqual(self.refused_drag_cues(layout), [], "the next run starts silent")
        self.assertEqual(self.game.proc.poll(), None)

        with open(stored, "wb") as f:
            f.write(b"\x00\xff[garbage\n=\nsound=\nsound=maybe\n" + os.urandom(500))
        layout = self.restart(config)
        self.assertEqual(self.refused_drag_cues(layout), ["brrr"], "a garbled file: sound on")
        self.game.key("alt+F4")
        self.assertEqual(self.game.wait_exit(), 0)
        # Only the disk driver of the test rig speaks (it says where it writes).
        said = [line for line in self.game.proc.stderr.read().splitlines() if not line.startswith("CRITICAL: ")]
        self.assertEqual(said, [], "nothing on the terminal")
