"""The game on the desktops players use: under a real X window manager, on a Wayland
compositor, and on a HiDPI screen."""

import os
import time

from harness import (GAME_COLORS, PAPER, PROGRAM, Game, GuiTestCase, Layout, NestedWestonServer, OpenboxServer,
                     WestonServer, XServer, board_colours, boards_dealt, kwin, mutter, ocr, run, screen_when,
                     switch_screen_mode, uniform_ink_blocks, window_property)


class DesktopTestCase(GuiTestCase):
    """Each test starts its own display server and game."""

    def setUp(self):
        if not PROGRAM:
            self.skipTest("VEXADRA_PROGRAM not set")

    def start(self, server, **extra_env):
        self.x = server
        self.addCleanup(server.stop)
        self.game = Game(server, seed=self.SEED, extra_env=extra_env)
        self.addCleanup(self.game.close)
        return self.game


class OpenboxTest(DesktopTestCase):

    def assert_fills(self, width, height):
        """Maximized, and the frame with its borders covers exactly the screen."""
        g = self.game
        state = window_property(g, "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_MAXIMIZED_VERT", state)
        self.assertIn("_NET_WM_STATE_MAXIMIZED_HORZ", state)
        left, right, top, bottom = map(int, window_property(g, "_NET_FRAME_EXTENTS"))
        x, y, w, h = g.layout()
        self.assertEqual((x - left, x + w + right), (0, width), "the frame spans the screen's width")
        self.assertGreaterEqual(y - top, 0)
        self.assertEqual(y + h + bottom, height, "the frame reaches the bottom of the screen")

    def wmctrl(self, change):
        run(["wmctrl", "-i", "-r", self.game.window, "-b", f"{change},maximized_vert,maximized_horz"],
            env=self.game.env)

    def test_starts_maximized_resizes_and_follows_a_screen_change(self):
        g = self.start(OpenboxServer(*self.SCREEN))
        g.wait_main_window()
        self.assert_fills(*self.SCREEN)
        layout = Layout(g.layout())
        dealt = board_colours(screen_when(g, g.screenshot, boards_dealt(layout), "the boards dealt"), layout)
        g.drag(layout.centre(0), layout.centre(1))
        maximized = screen_when(g, lambda: g.screenshot(save_as=self.artifact("openbox-maximized.png")),
                                lambda screen: board_colours(screen, layout)[:2] == [dealt[1], dealt[0]],
                                "the move drawn")
        boards = board_colours(maximized, layout)

        self.wmctrl("remove")
        g.xdotool("windowsize", g.window, 1000, 700)
        g.wait_for(lambda: g.layout()[2] == 1000, "a paint 1000 wide")
        g.settle()
        smaller = Layout(g.layout())
        self.assertLess(smaller.h, layout.h)
        self.assertEqual(board_colours(g.screenshot(save_as=self.artifact("openbox-1000x700.png")), smaller),
                         boards, "the same boards in new places")

        self.wmctrl("add")
        g.wait_for(lambda: g.layout() == (layout.x, layout.y, layout.w, layout.h), "the window maximized again")
        g.settle()
        # Laid out twice more, the game screen is the very same: boards, arrow, every figure.
        self.assertTrue(g.screenshot().area(g.layout()) == maximized.area(g.layout()), "the same screen as before")
        switch_screen_mode(self.x, 800, 600)
        g.wait_for(lambda: g.layout()[2] == 800, "a paint fitting the new screen")
        g.settle()
        self.assert_fills(800, 600)
        fitted = Layout(g.layout())
        self.assertEqual(board_colours(g.screenshot(save_as=self.artifact("openbox-800x600.png")), fitted), boards)
        g.key("alt+F4")
        self.assertEqual(g.wait_exit(), 0)


class WaylandTest(DesktopTestCase):
    SCREEN = (1280, 800)

    def test_paints_at_the_configured_size_runs_and_ends_on_a_terminate_signal(self):
        weston = WestonServer(*self.SCREEN)
        g = self.start(weston)
        # The headless compositor has no seat, so no input: the trace tells of the paints.
        g.wait_for(lambda: g.layout() is not None, "the first paint")
        _, top, w, h = g.layout()
        self.assertEqual(w, self.SCREEN[0], "as wide as the output")
        # Maximized below weston's panel: the client area reaches the output's bottom edge.
        layout = Layout((0, self.SCREEN[1] - h, w, h))
        screen = screen_when(g, lambda: weston.screenshot(save_as=self.artifact("weston.png")),
                             boards_dealt(layout), "both boards filling the output to its bottom right")
        boards = board_colours(screen, layout)

        # The same seed deals the same boards on an X server.
        x = XServer(*self.SCREEN)
        self.addCleanup(x.stop)
        on_x11 = Game(x, seed=self.SEED)
        self.addCleanup(on_x11.close)
        on_x11.wait_main_window()
        x11_layout = Layout(on_x11.layout())
        on_screen = screen_when(on_x11, on_x11.screenshot, boards_dealt(x11_layout), "the boards on X11")
        self.assertEqual(board_colours(on_screen, x11_layout), boards)

        paints = len(g.trace())
        g.settle(10)
        self.assertIsNone(g.proc.poll(), "still running after 10 s")
        self.assertEqual(len(g.trace()), paints, "no paint while nothing changes")
        g.proc.terminate()
        self.assertEqual(g.wait_exit(timeout=5), -15)


class HiDpiTest(DesktopTestCase):
    SCREEN = (3840, 2160)

    def test_drawn_at_device_pixels_with_the_layout_in_logical_units(self):
        g = self.start(XServer(*self.SCREEN), GDK_SCALE="2")
        g.wait_main_window()
        layout = Layout(g.layout())
        self.assertEqual(layout.w, self.SCREEN[0] // 2, "the layout is in logical units")

        def boards_shown(screen):
            colours = [screen.pixel(2 * x, 2 * y) for x, y in map(layout.sample, range(32))]
            return sorted(colours[:16]) == sorted(GAME_COLORS) == sorted(colours[16:])
        screen = screen_when(g, lambda: g.screenshot(save_as=self.artifact("hidpi.png")), boards_shown,
                             "both boards where the layout puts them, at twice the scale")
        # The help lines below the left board: text at twice the detail, not doubled pixels.
        top = layout.box("moves", 0)[3]
        help_lines = (2 * layout.x, 2 * top, layout.w, 2 * (layout.y + layout.h - top))
        self.assertLess(uniform_ink_blocks(screen, help_lines), 0.9)


class WaylandInputTest(DesktopTestCase):
    """On a compositor with a seat: the player's mouse and keys, the dialogs, the ways out."""

    def wait_for_text(self, weston, text, crop, name):
        shot = self.artifact(name)
        deadline = time.time() + 60
        while time.time() < deadline:
            weston.screenshot(save_as=shot)
            if text in " ".join(ocr(shot, crop=crop, scale=2).split()):
                return
            time.sleep(0.5)
        self.fail(f"{text!r} never showed")

    def test_too_small_an_output_gets_the_abort_message(self):
        weston = NestedWestonServer(640, 480)
        g = self.start(weston)
        self.wait_for_text(weston, "minimum screen width of 800", (0, 160, 640, 240), "wayland-abort.png")
        weston.xdotool("mousemove", 320, 240)
        weston.xdotool("key", "Return")
        self.assertEqual(g.wait_exit(), 0)

    def test_mouse_keys_about_and_the_ways_out(self):
        weston = NestedWestonServer(1024, 768)
        g = self.start(weston)
        g.wait_for(lambda: g.layout() is not None, "the first paint", timeout=60)
        _, _, w, h = g.layout()
        layout = Layout((1024 - w, 768 - h, w, h))
        before = board_colours(screen_when(g, weston.screenshot, boards_dealt(layout), "the boards dealt"), layout)
        weston.xdotool("mousemove", *layout.centre(0))
        weston.xdotool("mousedown", 1)
        weston.xdotool("mousemove", *layout.centre(1))
        weston.xdotool("mouseup", 1)
        g.wait_for(lambda: board_colours(weston.screenshot(), layout)[:2] == [before[1], before[0]], "the move drawn")

        weston.xdotool("key", "F1")
        g.wait_for(lambda: weston.screenshot().pixel(*layout.sample(0)) == PAPER, "the instructions page")
        weston.xdotool("key", "End")
        g.wait_for(lambda: board_colours(weston.screenshot(), layout)[:2] == [before[1], before[0]], "the boards back")

        # The menus by mouse: Help (after File, Game and View) > About, its last item, below
        # a separator; then File > Exit.
        menu_y = layout.y - 14
        weston.xdotool("mousemove", 174, menu_y)
        weston.xdotool("click", 1)
        time.sleep(1)
        weston.xdotool("mousemove", 240, menu_y + 105)
        weston.xdotool("click", 1)
        self.wait_for_text(weston, "Version D603", (256, 192, 512, 384), "wayland-about.png")
        weston.xdotool("key", "Return")
        g.settle(1)
        weston.xdotool("mousemove", 20, menu_y)
        weston.xdotool("click", 1)
        time.sleep(1)
        weston.xdotool("mousemove", 60, menu_y + 54)
        weston.xdotool("click", 1)
        self.assertEqual(g.wait_exit(), 0)


class GnomeAndKdeTest(DesktopTestCase):
    """The compositors GNOME and KDE Plasma run, on a 1920x1080 screen."""
    SCREEN = (1920, 1080)

    def first_paint(self, session):
        g = self.start(session)
        g.wait_for(lambda: g.layout() is not None, "the first paint", timeout=60)
        return g

    def quits_at_once(self, g, send, limit=0.5):
        release = os.environ.get("VEXADRA_BUILD_TYPE") != "Debug"
        # The sanitizer build scans the whole heap for leaks on its way out, which on a
        # busy machine alone can take most of a second; the player's build has no scan.
        self.assertLess(g.quit_takes(send), limit if release else max(limit, 2.0), "ended at once")
        if release:
            self.assertNotIn("Debug:", g.proc.stderr.read(), "no debugging notes on the terminal")

    def plays(self, session, name):
        """A drag, F1 and End, a menu opened and closed; the maximized client area."""
        g = self.first_paint(session)
        maximized = g.layout()
        # Maximized, the client area reaches the screen's bottom edge; where it starts a
        # Wayland client cannot tell.
        _, _, w, h = maximized
        layout = Layout((0, self.SCREEN[1] - h, w, h))
        dealt = board_colours(screen_when(g, session.screenshot, boards_dealt(layout), "the boards dealt"), layout)
        swapped = [dealt[1], dealt[0]]

        def moved():
            return board_colours(session.screenshot(), layout)[:2] == swapped
        g.drag(layout.centre(0), layout.centre(1), via=session.xdotool)
        try:
            g.wait_for(moved, "the move drawn", timeout=5)
        except AssertionError:  # a fresh session's first drag is now and then lost
            g.drag(layout.centre(0), layout.centre(1), via=session.xdotool)
            g.wait_for(moved, "the move drawn")
        session.screenshot(save_as=self.artifact(f"{name}-maximized.png"))
        g.key("F1", via=session.xdotool)
        g.wait_for(lambda: session.screenshot().pixel(*layout.sample(0)) == PAPER, "the instructions page")
        g.key("End", via=session.xdotool)
        g.wait_for(moved, "the boards back")
        session.xdotool("mousemove", layout.x + 15, layout.y - 13)
        session.xdotool("click", 1)
        g.settle(0.5)
        g.key("Escape", via=session.xdotool)
        session.xdotool("mousemove", *layout.centre(5))
        return g, maximized

    def test_mutter_headless_paints_maximized_at_the_configured_size(self):
        g = self.first_paint(mutter(*self.SCREEN, nested=False))
        self.assertEqual(g.layout()[2:], (1920, 1017))
        self.assertIn("scale=1", g.last_paint())
        g.proc.terminate()
        self.assertEqual(g.wait_exit(timeout=5), -15)

    def test_mutter_plays_restores_within_the_screen_and_maximizes_again(self):
        session = mutter(*self.SCREEN)
        g, maximized = self.plays(session, "mutter")
        self.assertEqual(maximized[2:], (1920, 1017))
        for attempt in range(3):  # the shortcut is now and then lost while a menu has just closed
            session.xdotool("key", "super+Down")
            try:
                g.wait_for(lambda: g.layout()[2:] != maximized[2:], "a restored paint", timeout=8)
                break
            except AssertionError:
                if attempt == 2:
                    raise
        # The maximized frame fills the screen exactly, title bar and all: a restored one
        # as large or smaller fits.
        g.wait_for(lambda: g.layout()[2] <= maximized[2] and g.layout()[3] <= maximized[3],
                   "a restored window within the screen")
        g.settle()
        session.screenshot(save_as=self.artifact("mutter-restored.png"))
        session.xdotool("key", "super+Up")
        g.wait_for(lambda: g.layout()[2:] == maximized[2:], "maximized again")
        self.quits_at_once(g, lambda: session.xdotool("key", "alt+F4"))

    def test_mutter_at_scale_2(self):
        session = mutter(3840, 2160, scale=2)
        g = self.first_paint(session)
        g.wait_for(lambda: "scale=2" in g.last_paint(), "a paint at scale 2")
        self.assertEqual(g.layout()[2:], (1920, 1017), "maximized, laid out in logical units")
        layout = Layout((0, 1080 - 1017, 1920, 1017))

        def boards_shown(screen):
            colours = [screen.pixel(2 * x, 2 * y) for x, y in map(layout.sample, range(32))]
            return sorted(colours[:16]) == sorted(GAME_COLORS) == sorted(colours[16:])
        session.xdotool("mousemove", 1920, 1080)
        screen = screen_when(g, lambda: session.screenshot(save_as=self.artifact("mutter-scale2.png")),
                             boards_shown, "the boards on the screen at twice the scale", timeout=90)
        # The title bar's icon, its 16 logical pixels drawn from the 32 pixel picture.
        coloured = [x for y in range(80) for x in range(160) if max(screen.pixel(x, y)) - min(screen.pixel(x, y)) > 120]
        self.assertGreaterEqual(max(coloured) - min(coloured), 28, "an icon 32 device pixels wide")
        # The window's end waits for the compositor, which draws 3840x2160 in software here.
        self.quits_at_once(g, lambda: session.xdotool("key", "ctrl+q"), limit=5)

    def test_kwin_plays(self):
        try:
            session = kwin(*self.SCREEN)
        except (RuntimeError, OSError) as e:
            self.skipTest(f"KWin does not run here: {e}")
        g, maximized = self.plays(session, "kwin")
        self.assertEqual(maximized[2:], (1920, 1017))
        self.quits_at_once(g, lambda: session.xdotool("key", "alt+F4"))
