"""One person against the computer: the opponent chosen through the Game menu by keyboard,
the computer answering a drag on its own board, and a whole round to the gong."""

import re
import time

from harness import BLACK, GAME_COLORS, audio_segments, board_colours, classify
from test_play import BoardTestCase, opposite, plan_move


class ComputerTest(BoardTestCase):

    def arrow_on(self, side, screen=None):
        l, t, r, b = self.layout.arrow(side)
        return (screen or self.game.screenshot()).pixel((l + r) // 2, (t + b) // 2) == BLACK

    def computer_moves(self):
        """The computer's moves so far, from the trace: ((from, to), nanoseconds since 1970)."""
        moves = []
        for line in self.game.trace():
            m = re.match(r"computer move=(\d+),(\d+) at=(\d+)", line)
            if m:
                moves.append(((int(m[1]), int(m[2])), int(m[3])))
        return moves

    def release_drag(self, f, t):
        """A drag from square f to t; the moment of the release in nanoseconds since 1970."""
        g = self.game
        g.xdotool("mousemove", *self.layout.centre(f))
        g.xdotool("mousedown", 1)
        g.xdotool("mousemove", *self.layout.centre(t))
        released = time.time_ns()
        g.xdotool("mouseup", 1)
        return released

    def wait_answer(self, count):
        """The computer's move once it has made `count`, and the screen once it shows it with
        the arrow back on the left."""
        g = self.game
        g.wait_for(lambda: len(self.computer_moves()) >= count, f"the computer's move {count}", timeout=15)
        screen = None

        def shown():
            nonlocal screen
            screen = g.screenshot()
            return self.arrow_on(0, screen)
        g.wait_for(shown, "the arrow back on the left")
        return self.computer_moves()[count - 1], board_colours(screen, self.layout)

    @staticmethod
    def after_move(colours, f, t):
        """The screen the rules give after the left side's move f-t."""
        after = list(colours)
        after[f], after[t] = colours[t], colours[f]
        for square, moved in ((t, colours[f]), (f, colours[t])):
            if colours[opposite(square)] == moved:
                after[opposite(square)] = BLACK
        return after

    def check_computer_move(self, before, after, squares):
        """The right board swapped the two squares the computer moved; the left lost exactly
        what the rules take."""
        changed = [n for n in range(16, 32) if after[n] != before[n]]
        self.assertEqual(changed, sorted(squares), "the computer's two squares changed, nothing else")
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

        # Seven drags: the first, with its answer, is taken back, so the seventh ends the round.
        for move_number in range(7):
            before = self.colours()
            move = plan_move(before, 0, capture=True) or plan_move(before, 0, capture=False)
            self.assertIsNotNone(move, "the left side has a move")
            released = self.release_drag(*move)
            if move_number == 6:
                break
            (squares, moved_at), after = self.wait_answer(move_number + 1)
            if move_number == 0:
                g.screenshot(save_as=self.artifact("computer-answered.png"))
                self.assertLess((moved_at - released) / 1e9, 2.0, "the computer answered within 2 s")
            mine = self.after_move(before, *move)
            self.check_computer_move(mine, after, squares)
            if move_number == 0:
                # Undo takes back the answer and the person's move: the person is to move.
                g.key("ctrl+z")
                g.wait_for(lambda: self.colours() == before, "both moves taken back")
                screen = g.screenshot(save_as=self.artifact("computer-undone.png"))
                self.assertTrue(self.arrow_on(0, screen) and not self.arrow_on(1, screen), "the person's turn")
                self.assertEqual(self.box_text("moves", 0), "6")
                self.assertEqual(self.box_text("moves", 1), "6")

        # The computer's sixth move ends the round: the gong, then a fresh deal that it opens
        # (it moved second).
        g.wait_for(lambda: "gong" in [classify(length) for _, length in audio_segments(g.audio_file)],
                   "the gong", timeout=15)
        g.wait_for(lambda: BLACK not in self.colours(), "the new deal", timeout=15)
        fresh = self.colours("computer-round-2.png")
        self.assertEqual(sorted(fresh[:16]), sorted(GAME_COLORS), "a new deal, nothing black")
        self.assertEqual(sorted(fresh[16:]), sorted(GAME_COLORS))
        # It opens round 2, after the pause that leaves End reachable, and hands the turn back.
        (squares, _), after = self.wait_answer(8)
        self.check_computer_move(fresh, after, squares)
