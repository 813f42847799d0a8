"""The program in the player's language: German from LANG, English where no catalogue
matches, on screen and in the menus."""

import os
import unittest

from harness import PROGRAM, GuiTestCase, Layout, ocr, run


class GermanScreenTest(GuiTestCase):

    EXTRA_ENV = {"LANG": "de_DE.UTF-8"}

    def test_help_lines_labels_and_menu_are_german(self):
        g = self.game
        g.wait_main_window()
        g.settle()
        shot = self.artifact("german-1024x768.png")
        g.screenshot(save_as=shot)
        layout = Layout(g.layout())
        l, _, _, _ = layout.square(12)
        _, _, r, _ = layout.square(15)
        _, _, _, top = layout.box("moves", 0)
        text = ocr(shot, crop=(l, top, r - l, layout.y + layout.h - top))
        self.assertIn("zeigt die Anleitung", text)
        self.assertNotIn("instructions", text)
        self.assertIn("Vexadra - Von Larchfield Pocket Games", g.title())

        g.key("alt+d")  # the File menu is "Datei" now
        g.settle()
        menu = self.artifact("german-menu.png")
        g.screenshot(save_as=menu)
        self.assertIn("Drucken", ocr(menu, crop=(0, 0, 300, 200)))


class FallbackTest(GuiTestCase):

    EXTRA_ENV = {"LANGUAGE": "xx", "LANG": "xx_YY.NOPE"}

    def test_unknown_language_shows_english_without_a_message(self):
        g = self.game
        g.wait_main_window()
        self.assertRegex(g.title(), r"^Vexadra - Made by Larchfield Pocket Games, 2008 -- ")
        self.assertEqual(len(g.xdotool_search("^Vexadra")), 1, "no message box")
        g.key("alt+F4")
        self.assertEqual(g.wait_exit(), 0)
        said = [line for line in g.proc.stderr.read().splitlines() if "SDL disk" not in line
                and "Writing to file" not in line]  # the test's own sound capture
        self.assertEqual(said, [], "nothing said on the terminal either")


class GermanCommandLineTest(unittest.TestCase):
    """The usage needs no display, so it is said in the player's language too."""

    def test_help_and_a_bad_option_are_german(self):
        if not PROGRAM:
            self.skipTest("VEXADRA_PROGRAM not set")
        env = {k: v for k, v in os.environ.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "DISPLAY")}
        env.update({"LANG": "de_DE.UTF-8"})
        r = run([PROGRAM, "--help"], env=env, check=False)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertTrue(r.stdout.startswith("Aufruf: vexadra [--opponent=two|easy|normal|hard|expert]"), r.stdout)
        self.assertIn("die Anleitung drucken", r.stdout)
        r = run([PROGRAM, "--opponent=clever"], env=env, check=False)
        self.assertEqual(r.returncode, 2)
        self.assertTrue(r.stderr.startswith("vexadra: unbekannter Gegner „clever“"), r.stderr)
        self.assertIn("Aufruf: vexadra", r.stderr)
