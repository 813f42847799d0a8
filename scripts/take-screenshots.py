#!/usr/bin/env python3
"""Takes the screenshots that the AppStream metainfo shows, from the real program.

Starts Vexadra on a private X server, plays a few moves so that colours are taken,
and saves into docs/screenshots/:
  game.png          a game of two players under way
  numbers.png       the same position with the colour numbers on (Insert)
  instructions.png  the instructions page (F1)
  computer.png      one player against the computer, played with the keyboard, a colour
                    picked up under the focus frame
The opponent is chosen through the remembered choices, not the menus, so the script
keeps working while the menus change; rerun it after any change to the screen.

Usage: scripts/take-screenshots.py [--program build/release/src/vexadra] [--out DIR]
The program may also be given as VEXADRA_PROGRAM. Needs Xvfb, xdotool and ImageMagick.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "gui"))

import harness  # noqa: E402
from harness import BLACK, PAPER, Game, Layout, XServer, board_colours, screen_when  # noqa: E402
from test_play import plan_move  # noqa: E402

CONVERT = "/usr/bin/convert"  # ImageMagick itself, not a stand-in earlier on PATH
# The metainfo states this size for every screenshot.
SCREEN = (1280, 800)
# A deal on which both sides keep finding colours to take: three each after six moves.
SEED = 6
MOVES = 6
# The computer's level in computer.png, and how many moves each side makes before it.
OPPONENT = "hard"
COMPUTER_ROUNDS = 3


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


def start(xserver, seed, config=None):
    """The game on screen and laid out, the pointer parked in the gap between the boards,
    where it covers nothing (and, with no window manager, keeps the keys going there)."""
    game = Game(xserver, seed=seed, extra_env={"XDG_CONFIG_HOME": config} if config else None)
    game.wait_main_window()
    layout = Layout(game.layout())
    game.settle()
    game.xdotool("mousemove", layout.x + layout.w // 2, layout.y + layout.h // 2)
    return game, layout


def take_two_players(xserver, out, seed, work):
    game, layout = start(xserver, seed)
    try:
        play_some_moves(game, layout)
        game.xdotool("mousemove", layout.x + layout.w // 2, layout.y + layout.h // 2)
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
        game.close()


def frame_to(game, here, there):
    """Moves the focus frame between two squares of one board with the arrow keys."""
    (row, col), (to_row, to_col) = divmod(here % 16, 4), divmod(there % 16, 4)
    keys = ["Down" if to_row > row else "Up"] * abs(to_row - row)
    keys += ["Right" if to_col > col else "Left"] * abs(to_col - col)
    game.key(*keys)


def computer_moves(game):
    return sum(1 for line in game.trace() if re.match(r"computer move=", line))


def take_against_the_computer(xserver, out, seed, work):
    config = os.path.join(work, "config")
    os.makedirs(os.path.join(config, "vexadra"), exist_ok=True)
    with open(os.path.join(config, "vexadra", "vexadra.conf"), "w") as f:
        f.write(f"opponent={OPPONENT}\n")
    game, layout = start(xserver, seed, config)
    try:
        def left_to_move(screen):
            return screen.pixel(*centre(layout.arrow(0))) == BLACK

        for number in range(COMPUTER_ROUNDS + 1):
            colours = board_colours(game.screenshot(), layout)
            move = plan_move(colours, 0, capture=True) or plan_move(colours, 0, capture=False)
            if move is None:
                raise ScreenshotError("no move found for the player")
            game.key("Home")
            frame_to(game, 0, move[0])
            game.key("Return")
            if number == COMPUTER_ROUNDS:
                break  # the last colour stays picked up under the frame
            frame_to(game, move[0], move[1])
            game.key("Return")
            game.wait_for(lambda: computer_moves(game) > number, f"the computer's move {number + 1}")
            screen_when(game, game.screenshot, left_to_move, "the turn back with the player")
            game.settle(1.0)  # the capture sound plays while the squares are redrawn
        game.settle()
        shot = save(game, os.path.join(out, "computer.png"), work)
        if BLACK not in board_colours(shot, layout):
            raise ScreenshotError("no colour was taken; try another --seed")
    finally:
        game.close()


def centre(rect):
    left, top, right, bottom = rect
    return ((left + right) // 2, (top + bottom) // 2)


def take(program, out, seed):
    harness.PROGRAM = program
    os.makedirs(out, exist_ok=True)
    xserver = XServer(*SCREEN)
    try:
        with tempfile.TemporaryDirectory(prefix="vexadra-shots-") as work:
            take_two_players(xserver, out, seed, work)
            # Another deal, so the two games look different.
            take_against_the_computer(xserver, out, seed + 1, work)
    finally:
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
