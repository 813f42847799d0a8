"""Whatever the machine or the player does, the game answers clearly and loses nothing."""

import os
import random
import subprocess
import tempfile
import time

from harness import (BLACK, GAME_COLORS, PAPER, PROGRAM, Game, GuiTestCase, Layout, XServer, board_colours,
                     ocr)


class NoDisplayTest(GuiTestCase):

    def setUp(self):
        if not PROGRAM:
            self.skipTest("VEXADRA_PROGRAM not set")

    def run_without(self, **env_changes):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(env_changes)
        return subprocess.run([PROGRAM], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              text=True, timeout=30)

    def test_no_display_gets_one_clear_line_and_a_failure_status(self):
        for case in ({}, {"DISPLAY": ":97"}):
            with self.subTest(env=case):
                result = self.run_without(**case)
                self.assertNotEqual(result.returncode, 0)
                self.assertGreater(result.returncode, 0, "an exit, not a signal")
                self.assertIn("cannot open a display", result.stderr)


class MachineTest(GuiTestCase):

    def start(self, **extra_env):
        """Replaces the default game with one started in a changed environment."""
        self.game.close()
        self.game = Game(self.x, seed=self.SEED, extra_env=extra_env)
        self.addCleanup(self.game.close)
        self.game.wait_main_window()
        self.game.settle()
        return Layout(self.game.layout())

    def test_no_audio_device_plays_silently(self):
        layout = self.start(SDL_AUDIODRIVER="nonexistent")
        g = self.game
        before = board_colours(g.screenshot(), layout)
        g.drag(layout.centre(0), layout.centre(1))
        g.drag(layout.centre(0), layout.centre(0))  # the right side's turn: refused
        g.settle()
        after = board_colours(g.screenshot(), layout)
        self.assertEqual((after[0], after[1]), (before[1], before[0]), "the move was made")
        self.assertIsNone(g.proc.poll())

    def test_a_terminate_signal_ends_the_game(self):
        layout = self.start()
        self.game.drag(layout.centre(0), layout.centre(1))
        self.game.proc.terminate()
        self.assertEqual(self.game.wait_exit(timeout=5), -15)

    def test_missing_font_faces_get_a_stand_in(self):
        folder = tempfile.mkdtemp(prefix="vexadra-fonts-")
        self.addCleanup(lambda: subprocess.run(["rm", "-rf", folder]))
        config = os.path.join(folder, "fonts.conf")
        with open(config, "w") as f:
            f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n'
                    '  <dir>/usr/share/fonts/truetype/dejavu</dir>\n'
                    f'  <cachedir>{folder}/cache</cachedir>\n</fontconfig>\n')
        layout = self.start(FONTCONFIG_FILE=config)
        shot = self.artifact("stand-in-fonts.png")
        screen = self.game.screenshot(save_as=shot)
        self.assertEqual(sorted(board_colours(screen, layout)[:16]), sorted(GAME_COLORS))
        text = ocr(shot, crop=(layout.x, layout.y + layout.h * 3 // 4, layout.w // 2, layout.h // 4))
        self.assertIn("Press F1 to view the instructions", " ".join(text.split()))

    def test_a_remembered_layout_draws_the_same_screen_and_a_wrong_one_is_found_out(self):
        cache = tempfile.mkdtemp(prefix="vexadra-cache-")
        self.addCleanup(lambda: subprocess.run(["rm", "-rf", cache]))
        memo = os.path.join(cache, "vexadra", "layout")

        def screen():
            layout = self.start(XDG_CACHE_HOME=cache)
            self.game.wait_for(lambda: os.path.exists(memo), "the layout written to the cache")
            client = (layout.x, layout.y, layout.w, layout.h)
            return client, self.game.screenshot().area(client)

        searched = screen()
        with open(memo) as f:
            text = f.read()
        self.assertRegex(text, r"\nfit\t%d\t%d\t" % searched[0][2:])
        self.assertTrue(screen() == searched, "the same screen from what was remembered")
        # Every size a point too large and every fit a step too small, under the right
        # signature: measured, found out, searched for again.
        lines = []
        for line in text.splitlines():
            f = line.split("\t")
            if f[0] == "size":
                f[4] = str(int(f[4]) + 1)
            elif f[0] == "fit":
                f[4] = str(int(f[4]) - 2)
            lines.append("\t".join(f))
        with open(memo, "w") as f:
            f.write("\n".join(lines) + "\n")
        self.assertTrue(screen() == searched, "the same screen despite a wrong cache")

        def mended():
            with open(memo) as f:
                return set(text.splitlines()) <= set(f.read().splitlines())
        self.game.wait_for(mended, "the cache mended")

    def test_a_resized_window_is_laid_out_afresh_and_keeps_the_game(self):
        layout = self.start()
        g = self.game
        g.drag(layout.centre(5), layout.centre(6))
        g.settle()
        moved = board_colours(g.screenshot(), layout)
        g.xdotool("windowsize", g.window, 900, 700)
        g.wait_for(lambda: g.layout()[2:] != (layout.w, layout.h), "a paint at the new size")
        g.settle()
        smaller = Layout(g.layout())
        self.assertEqual(smaller.w, 900)
        screen = g.screenshot(save_as=self.artifact("resized.png"))
        self.assertEqual(board_colours(screen, smaller), moved, "same position, new places")
        self.assertIsNone(g.proc.poll(), "still running")
        g.key("alt+F4")
        self.assertEqual(g.wait_exit(), 0)

    def test_random_clicks_and_keys_anywhere_never_end_the_game(self):
        layout = self.start()
        g = self.game
        origin = g.window_geometry()
        rng = random.Random(20261208)
        keys = ["F1", "End", "F2", "Insert", "Escape", "Return", "space", "a", "Home", "Delete", "F2", "End"]
        deadline = time.time() + 25
        while time.time() < deadline:
            if rng.random() < 0.75:
                # Anywhere in the game area, its borders and corners included. (A drag that
                # starts on the menu bar moves the whole window: that is the toolkit's.)
                start = (rng.randrange(0, self.SCREEN[0]), rng.randrange(layout.y, self.SCREEN[1]))
                end = (rng.randrange(0, self.SCREEN[0]), rng.randrange(0, self.SCREEN[1]))
                g.drag(start, end)
            else:
                g.key(rng.choice(keys))
                # A scores list or message box may have opened: close it like a player would.
                for title in ("^Vexadra - Scores", "^Print$"):
                    if g.xdotool_search(title):
                        g.key("Escape")
            self.assertIsNone(g.proc.poll(), "the program is still running")
        g.settle(2.5)  # a gong may be sounding
        for title in ("^Vexadra - Scores",):
            if g.xdotool_search(title):
                g.key("Escape")
        self.assertEqual(g.window_geometry(), origin, "the window stayed where it was")
        if g.screenshot().pixel(*layout.sample(0)) == PAPER:
            g.key("End")  # back from the instructions page
            g.settle()
        screen = g.screenshot(save_as=self.artifact("after-random-input.png"))
        colours = board_colours(screen, layout)
        for board in (colours[:16], colours[16:]):
            shown = [c for c in board if c != BLACK]
            self.assertEqual(len(shown), len(set(shown)), "each colour at most once on a board")
            self.assertTrue(set(shown) <= set(GAME_COLORS))
        g.key("alt+F4")
        self.assertEqual(g.wait_exit(), 0)
