"""One person against the computer: the opponent chosen through the Game menu by keyboard,
the computer answering a drag on its own board, and a whole round to the gong."""

import time

from harness import BLACK, GAME_COLORS, GuiTestCase, Layout, audio_segments, board_colours, classify
from test_play import opposite, plan_move


class ComputerTest(GuiTestCase):

    def setUp(self):
        super().setUp()
        self.game.wait_main_window()
        self.layout = Layout(self.game.layout())
        self.game.settle()

    def colours(self, name=None):
        return board_colours(self.game.screenshot(save_as=self.artifact(name) if name else None), self.layout)

    def arrow_on(self, side, screen=None):
        l, t, r, b = self.layout.arrow(side)
        return (screen or self.game.screenshot()).pixel((l + r) // 2, (t + b) // 2) == BLACK

    def wait_turn(self, side, timeout):
        """The screen once the arrow points at the side, and how long that took."""
        started = time.time()
        while time.time() - started < timeout:
            screen = self.game.screenshot()
            if self.arrow_on(side, screen):
                return screen, time.time() - started
            time.sleep(0.05)
        self.fail(f"the arrow did not come to side {side} within {timeout} s")

    def check_computer_move(self, before, after):
        """The right board swapped two squares; the left lost exactly what the rules take."""
        changed = [n for n in range(16, 32) if after[n] != before[n]]
        self.assertEqual(len(changed), 2, f"two squares of the right board changed: {changed}")
        a, b = changed
        self.assertEqual((after[a], after[b]), (before[b], before[a]), "they swapped")
        for n in range(16):
            moved_here = after[opposite(n)] if opposite(n) in changed else None
            should_take = moved_here is not None and before[n] == moved_here and before[n] != BLACK
            self.assertEqual(after[n] == BLACK and before[n] != BLACK, should_take, f"square {n} of the left board")

    def test_hard_answers_a_drag_and_plays_a_round_to_the_gong(self):
        g = self.game
        # Keys go to the window under the pointer when no window manager runs.
        g.xdotool("mousemove", *self.layout.centre(5))
        g.key("alt+g")
        g.settle(0.5)
        g.key("h")
        g.settle(0.5)

        for move_number in range(6):
            before = self.colours()
            move = plan_move(before, 0, capture=True) or plan_move(before, 0, capture=False)
            self.assertIsNotNone(move, "the left side has a move")
            self.game.drag(self.layout.centre(move[0]), self.layout.centre(move[1]))
            released = time.time()
            if move_number == 5:
                break
            mine = self.colours()
            self.assertNotEqual(mine, before, "the person's move was made")
            screen, _ = self.wait_turn(0, 5)
            took = time.time() - released
            after = board_colours(screen, self.layout)
            if move_number == 0:
                g.screenshot(save_as=self.artifact("computer-answered.png"))
                self.assertLess(took, 2.0, "the computer answered within 2 s")
            self.check_computer_move(mine, after)

        # The computer's sixth move ends the round: the gong, then a fresh deal that it opens
        # (it moved second).
        g.wait_for(lambda: "gong" in [classify(length) for _, length in audio_segments(g.audio_file)],
                   "the gong", timeout=15)
        g.wait_for(lambda: BLACK not in self.colours(), "the new deal", timeout=15)
        fresh = self.colours("computer-round-2.png")
        self.assertEqual(sorted(fresh[:16]), sorted(GAME_COLORS), "a new deal, nothing black")
        self.assertEqual(sorted(fresh[16:]), sorted(GAME_COLORS))
        # It opens round 2, after the pause that leaves End reachable, and hands the turn back.
        self.wait_turn(0, 6)
