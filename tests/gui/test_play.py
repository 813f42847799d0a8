"""Two players at one mouse: capturing and rejected drags with their sounds, a whole
round to the gong and the new deal, End with the scores list, F2, F1 and Insert; Undo,
New Game, Hint and the View menu's marks."""

import time

from harness import (BLACK, GAME_COLORS, PAPER, WHITE, GuiTestCase, Layout, audio_segments,
                     board_colours, classify, ocr)


def neighbours():
    """Pairs of squares of one board (relative indices) that touch, each once."""
    pairs = []
    for a in range(16):
        for b in range(a + 1, 16):
            if abs(a // 4 - b // 4) <= 1 and abs(a % 4 - b % 4) <= 1:
                pairs.append((a, b))
    return pairs


def opposite(n):
    return n + 16 if n < 16 else n - 16


def plan_move(colours, side, capture):
    """A one-step move of the side's own board that takes (or takes nothing), from what the screen shows."""
    base = 16 * side
    for a, b in neighbours():
        f, t = base + a, base + b
        if colours[f] == BLACK or colours[t] == BLACK:
            continue
        takes = colours[f] == colours[opposite(t)] or colours[t] == colours[opposite(f)]
        if takes == capture:
            return f, t
    return None


class BoardTestCase(GuiTestCase):
    """A game on screen, laid out, with its boards read back from screenshots."""

    def setUp(self):
        super().setUp()
        self.game.wait_main_window()
        self.layout = Layout(self.game.layout())
        self.game.settle()

    def colours(self, name=None):
        return board_colours(self.game.screenshot(save_as=self.artifact(name) if name else None), self.layout)

    def box_text(self, name, side=0):
        shot = self.artifact("box.png")
        self.game.screenshot(save_as=shot)
        l, t, r, b = self.layout.box(name, side)
        return "".join(ocr(shot, crop=(l + 3, t + 3, r - l - 6, b - t - 6)).split())


class PlayTest(BoardTestCase):

    def corner(self):
        """A point of the game area that only the instructions page paints (in paper)."""
        return (self.layout.x + self.layout.w - 3, self.layout.y + self.layout.h - 3)

    def cues(self):
        return [classify(length) for _, length in audio_segments(self.game.audio_file)]

    def play(self, f, t):
        self.game.drag(self.layout.centre(f), self.layout.centre(t))

    def numbered(self, screen, n, colour):
        """Whether something other than the square's colour is written in its middle."""
        l, t, r, b = self.layout.square(n)
        middle = ((x, y) for x in range(l + 10, r - 10) for y in range((t + b) // 2 - 6, (t + b) // 2 + 6))
        return any(screen.pixel(x, y) != colour for x, y in middle)

    def active_side(self, screen):
        """The side the arrow points at; None unless exactly one arrow shows."""
        shown = []
        for side in (0, 1):
            l, t, r, b = self.layout.arrow(side)
            shown.append(screen.pixel((l + r) // 2, (t + b) // 2) == BLACK)
        return shown.index(True) if shown.count(True) == 1 else None

    def test_capture_then_a_rejected_drag(self):
        g = self.game
        before = self.colours()
        move = plan_move(before, 0, capture=True)
        self.assertIsNotNone(move, "the seeded deal offers the left side a capture")
        f, t = move
        self.play(f, t)
        g.settle(1.0)
        after = self.colours("capture.png")
        self.assertEqual((after[f], after[t]), (before[t], before[f]), "the two squares swapped")
        taken = [n for n in range(16, 32) if after[n] == BLACK]
        self.assertTrue(taken, "a square of the right board turned black")
        self.assertTrue(set(taken) <= {opposite(f), opposite(t)})
        self.assertEqual(self.box_text("score", 0), str(8 * len(taken)))
        self.assertEqual(self.box_text("moves", 0), "5")
        l, t_, r, b = self.layout.arrow(1)
        self.assertEqual(g.screenshot().pixel((l + r) // 2, (t_ + b) // 2), BLACK, "the right side's turn")
        self.assertEqual(self.cues(), ["take"])

        # The right side is active: a drag on the left board is refused with the buzz alone.
        f2, t2 = plan_move(after, 0, capture=False) or plan_move(after, 0, capture=True)
        self.play(f2, t2)
        g.settle(1.0)
        self.assertEqual(self.colours(), after, "nothing moved")
        self.assertEqual(self.cues(), ["take", "brrr"])

    def test_a_whole_round_then_end_scores_f2_f1_and_insert(self):
        g = self.game
        for move_number in range(12):
            side = move_number % 2
            colours = self.colours()
            move = plan_move(colours, side, capture=False) or plan_move(colours, side, capture=True)
            self.play(*move)
            if move_number < 11:
                g.settle(0.3)
        # Straight after the twelfth release the gong holds the game: the last move stays on
        # screen, and a key pressed now is handled only after the new round is drawn. Insert
        # draws nothing but the numbers, so what the new round drew is read unretouched.
        g.key("Insert")
        time.sleep(0.3)
        during = g.screenshot(save_as=self.artifact("during-gong.png"))
        last = board_colours(during, self.layout)
        self.assertFalse(self.numbered(during, 0, last[0]), "Insert waits for the gong")
        g.wait_for(lambda: self.numbered(g.screenshot(), 0, self.colours()[0]), "the numbers after the gong", 10)
        shot = self.artifact("round-2.png")
        screen = g.screenshot(save_as=shot)
        fresh = board_colours(screen, self.layout)
        self.assertEqual(sorted(fresh[:16]), sorted(GAME_COLORS), "a new deal, nothing black")
        self.assertEqual(sorted(fresh[16:]), sorted(GAME_COLORS))
        self.assertNotEqual(last, fresh, "during the gong the last round's position was shown")
        self.assertEqual(self.active_side(screen), 1, "the right side starts round 2")
        self.assertEqual(self.box_text("moves", 0), "6")
        self.assertEqual(self.box_text("moves", 1), "6")
        self.assertEqual(self.box_text("gameround"), "1/2")
        scores = (self.box_text("score", 0), self.box_text("score", 1))
        self.assertNotEqual(scores, ("0", "0"), "twelve moves changed the scores")
        l, t, r, b = self.layout.help()
        self.assertIn("PressEndtoend", "".join(ocr(shot, crop=(l, t, r - l, b - t)).split()),
                      "the End line is offered at the start of the round")
        cues = self.cues()
        self.assertEqual(cues[-1], "gong")
        self.assertEqual(cues.count("gong"), 1)


        # End at the start of a round with a score ends the game and lists it.
        g.key("End")
        dialog = g.find_window("^Vexadra - Scores From Completed Games")
        g.settle(0.5)
        shot = self.artifact("scores.png")
        g.screenshot(save_as=shot)
        geo = g.window_geometry(dialog)
        listing = ocr(shot, crop=(geo["X"], geo["Y"], geo["WIDTH"], geo["HEIGHT"]), scale=2)
        # Game 1, both scores, one round played, and sums equal to its own scores.
        self.assertRegex(listing, r"(?m)^\s*1\s+(-?\d+)\s+(-?\d+)\s+1\s+\1\s+\2\s*$")
        g.key("Escape")
        g.wait_for(lambda: not g.xdotool_search("^Vexadra - Scores"), "the scores list to close")
        self.assertEqual(self.box_text("gameround"), "2/1")
        self.assertEqual(self.box_text("score", 0), "0")
        g.key("F2")
        g.find_window("^Vexadra - Scores From Completed Games")
        g.key("Escape")
        g.wait_for(lambda: not g.xdotool_search("^Vexadra - Scores"), "the scores list to close")

        g.key("F1")
        g.settle()
        self.assertEqual(g.screenshot().pixel(*self.corner()), PAPER)
        g.key("End")
        g.settle()
        self.assertEqual(self.colours(), fresh, "the boards as they were")

    def test_keyboard_moves_like_the_drag_and_the_frame_follows_the_turn(self):
        g = self.game
        before = self.colours()
        # The colour moved to 1 takes its twin on 17, the one moved to 0 its twin on 16.
        expected = {n for n, moved in ((17, before[0]), (16, before[1])) if before[n] == moved}
        takes = bool(expected)
        g.key("Home", "space", "Right", "space")
        g.settle(1.0)
        screen = g.screenshot(save_as=self.artifact("keyboard-move.png"))
        after = board_colours(screen, self.layout)
        self.assertEqual((after[0], after[1]), (before[1], before[0]), "squares 0 and 1 swapped")
        taken = [n for n in range(16, 32) if after[n] == BLACK]
        self.assertEqual(set(taken), expected)
        self.assertEqual(self.box_text("score", 0), str(8 * len(taken)) if taken else "-1")
        self.assertEqual(self.box_text("moves", 0), "5")
        self.assertEqual(self.active_side(screen), 1)
        self.assertEqual(self.cues(), ["take"] if takes else [])

        # The frame now stands on the right board's second square, white outside, black inside.
        l, t, r, b = self.layout.square(17)
        self.assertEqual([screen.pixel(l, (t + b) // 2), screen.pixel(l + 2, (t + b) // 2)], [(255, 255, 255), (0, 0, 0)])
        l1, t1, _, b1 = self.layout.square(1)
        self.assertEqual(screen.pixel(l1, (t1 + b1) // 2), after[1], "no frame left on the left board")

        # Escape drops a pick-up: the next Space picks up again instead of moving.
        g.key("space", "Escape", "Left", "space", "Escape")
        g.settle(0.6)
        self.assertEqual(self.colours("keyboard-escape.png"), after)
        self.assertEqual(self.box_text("moves", 1), "6")
        self.assertEqual(self.cues(), ["take"] if takes else [])

    def game_area(self):
        return self.game.screenshot().area((self.layout.x, self.layout.y, self.layout.w, self.layout.h))

    def hinted(self, screen):
        """The squares whose top-left corner carries the hint's white triangle."""
        return [n for n in range(32) if screen.pixel(self.layout.square(n)[0] + 4, self.layout.square(n)[1] + 4) == WHITE]

    def test_undo_hint_numbers_and_new_game(self):
        g = self.game
        start = self.game_area()
        move = plan_move(self.colours(), 0, capture=True)
        self.play(*move)
        g.settle(0.6)
        self.assertNotEqual(self.game_area(), start)
        g.key("ctrl+z")
        g.wait_for(lambda: self.game_area() == start, "the game area as before the drag")
        self.assertEqual(self.cues(), ["take"], "an undo makes no sound")

        # The hint marks a legal move of the side to move (the boards are full: a neighbour step).
        g.key("ctrl+h")
        screen = None

        def marked():
            nonlocal screen
            screen = g.screenshot(save_as=self.artifact("hint.png"))
            return len(self.hinted(screen)) == 2
        g.wait_for(marked, "two hinted squares", timeout=10)
        a, b = self.hinted(screen)
        self.assertIn((a, b), neighbours(), "a move of the left board")
        g.wait_for(lambda: self.game_area() == start, "the hint gone after a few seconds", timeout=10)

        # View > Numbers follows Insert and switches the numbers off again.
        colours = self.colours()
        g.key("Insert")
        g.wait_for(lambda: self.numbered(g.screenshot(), 0, colours[0]), "the numbers")
        g.key("alt+v", "n")
        g.wait_for(lambda: self.game_area() == start, "the numbers off again")

        # New Game after a move asks first; Escape keeps the game, the button abandons it.
        self.play(*plan_move(colours, 0, capture=False))
        g.settle(0.6)
        g.key("ctrl+n")
        g.find_window("^Vexadra$")
        g.key("Escape")
        g.wait_for(lambda: not g.xdotool_search("^Vexadra$"), "the question to close")
        self.assertEqual(self.box_text("moves", 0), "5")
        g.key("ctrl+n")
        g.find_window("^Vexadra$")
        g.settle(0.3)
        g.key("alt+a")
        g.wait_for(lambda: not g.xdotool_search("^Vexadra$"), "the question to close")
        g.settle(0.5)
        screen = g.screenshot(save_as=self.artifact("new-game.png"))
        self.assertEqual([self.box_text("gameround"), self.box_text("score", 0), self.box_text("score", 1),
                          self.box_text("moves", 0)], ["1/1", "0", "0", "6"])
        self.assertEqual(self.active_side(screen), 0)
        self.assertNotEqual(board_colours(screen, self.layout), colours, "a new deal")

        # View > Show Last Move: a diamond on the move's two squares and on what it took,
        # gone with the move; the switch is remembered.
        fresh = self.game_area()
        g.key("alt+v", "l")
        f, t = plan_move(board_colours(screen, self.layout), 0, capture=True)
        self.play(f, t)
        g.settle(0.6)
        screen = g.screenshot(save_as=self.artifact("last-move.png"))
        after = board_colours(screen, self.layout)

        def diamond(n):
            l, t_, r, b = self.layout.square(n)
            return screen.pixel((l + r) // 2, b - 1 - max(4, (r - l) // 10) - max(3, (b - t_) // 10)) == WHITE
        taken = [n for n in range(16, 32) if after[n] == BLACK]
        self.assertEqual([n for n in range(32) if diamond(n)], sorted([f, t] + taken))
        g.key("ctrl+z")
        g.wait_for(lambda: self.game_area() == fresh, "the move and its marks gone")
        with open(f"{g.tmp}/config/vexadra/vexadra.conf") as settings:
            self.assertIn("lastmove=on", settings.read().split())
