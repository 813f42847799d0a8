#!/usr/bin/env python3
"""Takes the screenshots that the AppStream metainfo shows, from the real program.

Starts Vexadra on a private X server, plays a few moves so that colours are taken,
and saves into docs/screenshots/:
  game.png          a game under way
  numbers.png       the same position with the colour numbers on (Insert)
  instructions.png  the instructions page (F1)

Usage: scripts/take-screenshots.py [--program build/release/src/vexadra] [--out DIR]
The program may also be given as VEXADRA_PROGRAM. Needs Xvfb, xdotool and ImageMagick.
"""

import argparse
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "gui"))

import harness  # noqa: E402
from harness import BLACK, PAPER, Game, Layout, XServer, board_colours  # noqa: E402
from test_play import plan_move  # noqa: E402

CONVERT = "/usr/bin/convert"  # ImageMagick itself, not a stand-in earlier on PATH
# The metainfo states this size for every screenshot.
SCREEN = (1280, 800)
# A deal on which both sides keep finding colours to take: three each after six moves.
SEED = 6
MOVES = 6


class ScreenshotError(RuntimeError):
    pass


def save(game, path, work):
    """Grabs the screen and writes it to path as a small, metadata-free PNG."""
    raw = os.path.join(work, "raw.png")
    screen = game.screenshot(save_as=raw)
    if (screen.width, screen.height) != SCREEN:
        raise ScreenshotError(f"the screen is {screen.width}x{screen.height}, not {SCREEN}")
    # No timestamps or other chunks: the same picture gives the same file.
    subprocess.run([CONVERT, raw, "-strip", "-define", "png:compression-level=9",
                    "-define", "png:exclude-chunks=date,time", path], check=True, timeout=60)
    print(f"wrote {path} ({os.path.getsize(path) // 1024} KiB)")
    return screen


def play_some_moves(game, layout):
    """Alternate sides, taking a colour whenever the position offers one."""
    for number in range(MOVES):
        side = number % 2
        colours = board_colours(game.screenshot(), layout)
        move = plan_move(colours, side, capture=True) or plan_move(colours, side, capture=False)
        if move is None:
            raise ScreenshotError(f"no move found for side {side}")
        game.drag(layout.centre(move[0]), layout.centre(move[1]))
        game.settle(1.0)  # the capture sound plays while the squares are redrawn
    colours = board_colours(game.screenshot(), layout)
    if BLACK not in colours:
        raise ScreenshotError("no colour was taken; try another --seed")


def take(program, out, seed):
    harness.PROGRAM = program
    os.makedirs(out, exist_ok=True)
    xserver = XServer(*SCREEN)
    game = None
    try:
        game = Game(xserver, seed=seed)
        game.wait_main_window()
        layout = Layout(game.layout())
        game.settle()
        # Park the pointer in the gap between the boards, where it covers nothing.
        game.xdotool("mousemove", layout.x + layout.w // 2, layout.y + layout.h // 2)
        play_some_moves(game, layout)
        game.xdotool("mousemove", layout.x + layout.w // 2, layout.y + layout.h // 2)

        with tempfile.TemporaryDirectory(prefix="vexadra-shots-") as work:
            plain = save(game, os.path.join(out, "game.png"), work)
            game.key("Insert")
            game.settle()
            numbered = save(game, os.path.join(out, "numbers.png"), work)
            if numbered.pixels == plain.pixels:
                raise ScreenshotError("Insert changed nothing on the screen")
            game.key("F1")
            game.settle()
            page = save(game, os.path.join(out, "instructions.png"), work)
            corner = (layout.x + layout.w - 3, layout.y + layout.h - 3)
            if page.pixel(*corner) != PAPER:
                raise ScreenshotError("F1 did not show the instructions page")
    finally:
        if game:
            game.close()
        xserver.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", default=os.environ.get("VEXADRA_PROGRAM"),
                        help="the vexadra executable (default: $VEXADRA_PROGRAM)")
    parser.add_argument("--out", default=os.path.join(ROOT, "docs", "screenshots"),
                        help="folder for the PNGs (default: docs/screenshots)")
    parser.add_argument("--seed", type=int, default=SEED, help="the deal to play")
    args = parser.parse_args()
    if not args.program or not os.access(args.program, os.X_OK):
        parser.error("give the vexadra executable with --program or VEXADRA_PROGRAM")
    try:
        take(os.path.abspath(args.program), args.out, args.seed)
    except (ScreenshotError, AssertionError) as e:
        sys.exit(f"take-screenshots: {e}")


if __name__ == "__main__":
    main()
