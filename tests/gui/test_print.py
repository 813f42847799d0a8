"""Ctrl+P opens the desktop's print dialog; leaving it changes nothing in the game."""

from harness import PAPER, GuiTestCase, Layout, board_colours


class PrintTest(GuiTestCase):

    def test_ctrl_p_opens_the_print_dialog_and_escape_leaves_the_game_as_it_was(self):
        g = self.game
        g.wait_main_window()
        g.settle()
        layout = Layout(g.layout())
        g.drag(layout.centre(0), layout.centre(1))
        g.settle()
        before = board_colours(g.screenshot(), layout)
        title = g.title()

        g.key("ctrl+p")
        g.find_window("^Print$")
        g.settle(0.5)
        g.screenshot(save_as=self.artifact("print-dialog.png"))
        g.key("Escape")
        g.wait_for(lambda: not g.xdotool_search("^Print$"), "the print dialog to close")
        g.settle()
        self.assertEqual(board_colours(g.screenshot(), layout), before)

        # From the instructions page as well; the page is still there afterwards.
        g.key("F1")
        g.key("ctrl+p")
        g.find_window("^Print$")
        g.key("Escape")
        g.wait_for(lambda: not g.xdotool_search("^Print$"), "the print dialog to close")
        g.settle()
        corner = (layout.x + layout.w - 3, layout.y + layout.h - 3)
        self.assertEqual(g.screenshot().pixel(*corner), PAPER)
        g.key("End")
        g.settle()
        self.assertEqual(board_colours(g.screenshot(), layout), before)
        self.assertTrue(g.title().startswith("Vexadra - "), title)
