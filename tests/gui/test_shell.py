"""The program starts, fills the screen, shows its About box and ends on Alt+F4 and File > Exit."""

import re
import time

from harness import GuiTestCase, board_colours, Layout, ocr, switch_screen_mode

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
        g.key("ctrl+n", "ctrl+o", "ctrl+s", "ctrl+c", "ctrl+x", "ctrl+v", "ctrl+z", "F6", "shift+F6",
              "ctrl+Insert", "shift+Insert", "shift+Delete", "alt+BackSpace", "a", "Escape")
        g.settle()
        shot = g.screenshot(save_as=self.artifact("keys-ignored.png"))
        self.assertEqual(board_colours(shot, layout), before)
        for n in range(32):
            cx, cy = layout.centre(n)
            self.assertEqual(shot.pixel(cx, cy), before[n], f"square {n} got a mark")
        self.assertIsNone(g.proc.poll(), "the program is still running")
        self.assertEqual(len(g.xdotool_search("^Vexadra - ")), 1, "no other window opened")
