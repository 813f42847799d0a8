"""The game screen as a player sees it: both boards where the layout puts them, the
arrow, the caption with the time of the paint, and the abort on a too small screen."""

import datetime
import re

from harness import (BLACK, GAME_COLORS, PAPER, WHITE, GuiTestCase, Layout, board_colours, ocr)


class GameScreenTest(GuiTestCase):

    def test_both_boards_hold_the_sixteen_colours_where_the_layout_puts_them(self):
        g = self.game
        g.wait_main_window()
        g.settle()
        screen = g.screenshot(save_as=self.artifact("screen-1024x768.png"))
        layout = Layout(g.layout())
        colours = board_colours(screen, layout)
        self.assertEqual(sorted(colours[:16]), sorted(GAME_COLORS), "left board")
        self.assertEqual(sorted(colours[16:]), sorted(GAME_COLORS), "right board")
        # A square is one colour from corner to corner (the fill is not outlined).
        for n in (0, 15, 16, 31):
            l, t, r, b = layout.square(n)
            self.assertEqual(screen.pixel(l, t), screen.pixel(r - 1, b - 1), f"square {n}")

        # The left side moves first: its arrow is black, the right one's place white.
        l, t, r, b = layout.arrow(0)
        self.assertEqual(screen.pixel((l + r) // 2, (t + b) // 2), BLACK)
        l, t, r, b = layout.arrow(1)
        self.assertTrue(all(screen.pixel(x, y) == WHITE for x in range(l, r) for y in range(t, b)))

        for name, side in (("score", 0), ("moves", 0), ("score", 1), ("moves", 1), ("gameround", 0)):
            l, t, r, b = layout.box(name, side)
            self.assertEqual(screen.pixel(l, (t + b) // 2), (0, 0, 0), f"{name} {side} outline")
            self.assertEqual(screen.pixel(l + 4, t + 4), WHITE, f"{name} {side} inside")

    def test_caption_carries_the_time_of_the_paint(self):
        g = self.game
        g.wait_main_window()
        title = g.title()
        m = re.search(r" -- (\d\d/\d\d/\d\d \d\d:\d\d:\d\d) -- Version D604$", title)
        self.assertIsNotNone(m, title)
        painted = datetime.datetime.strptime(m.group(1), "%m/%d/%y %H:%M:%S")
        self.assertLess(abs((datetime.datetime.now() - painted).total_seconds()), 60)
        self.assertTrue(title.startswith("Vexadra - "))

    def test_instructions_page_is_paper_and_end_brings_the_boards_back(self):
        g = self.game
        g.wait_main_window()
        layout = Layout(g.layout())
        g.key("F1")
        g.settle()
        page = g.screenshot(save_as=self.artifact("instructions.png"))
        for n in (0, 20, 31):
            self.assertEqual(page.pixel(*layout.sample(n)), PAPER)
        text = ocr(self.artifact("instructions.png"), crop=(layout.x, layout.y, layout.w, layout.h // 4), scale=2)
        self.assertIn("Instructions for VEXADRA", text)
        g.key("End")
        g.settle()
        back = board_colours(g.screenshot(), layout)
        self.assertEqual(sorted(back[:16]), sorted(GAME_COLORS))


class SmallScreenTest(GuiTestCase):
    SCREEN = (640, 480)

    def test_too_small_a_screen_gets_the_abort_message_and_ends_cleanly(self):
        g = self.game
        box = g.find_window("^Vexadra$")
        g.settle(0.5)
        shot = self.artifact("abort-640x480.png")
        screen = g.screenshot(save_as=shot)
        geo = g.window_geometry(box)
        text = " ".join(ocr(shot, crop=(geo["X"], geo["Y"], geo["WIDTH"], geo["HEIGHT"])).split())
        self.assertIn("This game needs a minimum screen width of 800", text)
        self.assertNotIn(GAME_COLORS[0], {screen.pixel(x, y) for x in range(0, 640, 8) for y in range(0, 480, 8)},
                         "no board is drawn")
        g.key("Return")
        self.assertEqual(g.wait_exit(), 0)
