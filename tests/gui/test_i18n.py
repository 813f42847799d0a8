"""The program in the player's language: German from LANG, English where no catalogue
matches, on screen and in the menus."""

from harness import GuiTestCase, Layout, ocr


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
