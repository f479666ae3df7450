"""The real program played as a player plays it: with the mouse, with the
keyboard alone, through a screen reader, with odd start options and without a
display. What the player keeps is read from the folder the game runs in."""
import re

import pytest
from PIL import ImageChops

from conftest import DEAL, END, GAME, showing, stop, wait_for

# The first offer lies between these, whatever the prizes drawn.
LOWEST_FIRST_OFFER, HIGHEST_FIRST_OFFER = 1400, 19596


def saved_amount(folder):
    """The amount of the high-score file's one line as the program writes it."""
    saved = (folder / "Print.txt").read_bytes()
    line = re.fullmatch(rb" (\d+)\r\n", saved)
    assert line, f"Print.txt holds {saved!r}"
    return int(line[1])


def drawn(program, controls, shot):
    """How many of the controls are drawn over the window: the commonest colour
    in each one's box is not the window's own (its corner's)."""
    def covered(box):
        area = shot.crop(box)
        return max(area.getcolors(area.width * area.height))[1] != shot.getpixel((0, 0))
    return sum(covered(program.box(c, relative=True)) for c in controls)


def start_screen(program):
    """The window once every case is drawn on it."""
    def shot():
        image = program.screenshot()
        return image if drawn(program, program.cases(), image) == 26 else None
    return wait_for(shot, "the cases drawn")


TOOLKIT_OPTIONS = ["-reverse", "-qwindowtitle", "Hacked", "-qwindowgeometry", "200x100+30+40",
                   "-stylesheet", "/nonexistent.qss", "-style", "windows", "-platform", "offscreen"]


def test_window_is_fixed_and_opaque_whatever_the_toolkit_options(play, desktop):
    """The window is a fixed layout of opaque labels: the prompt hides the
    ladder until the first click; the toolkit's options change nothing."""
    shots = []
    for arguments in ([], TOOLKIT_OPTIONS):
        program = play(arguments=arguments)
        info = desktop.run("xwininfo", "-id", program.id).stdout
        assert "Width: 690\n" in info and "Height: 505\n" in info, info
        hints = desktop.run("xprop", "-id", program.id, "WM_NORMAL_HINTS").stdout
        assert "minimum size: 690 by 505" in hints and "maximum size: 690 by 505" in hints, hints
        shots.append(start_screen(program))
        assert drawn(program, program.ladder(), shots[-1]) == 0
        stop(program.process)
    assert ImageChops.difference(*shots).getbbox() is None

    program = play()
    program.open_cases(1)
    wait_for(lambda: drawn(program, program.ladder(), program.screenshot()) == 26, "the ladder")


@pytest.mark.parametrize("stored, high_score", [
    (b" 1234\r\n", 1234),  # as the program writes it
    (b"777\n", 777),  # written by hand, without the blank
    (None, 0),  # no file yet
])
def test_deal_that_beats_the_high_score_is_shown_at_the_next_start(play, tmp_path, stored,
                                                                    high_score):
    """The accepted offer reaches the file as its one line; the old high score
    stays on screen until the game is over, and the next start shows the new."""
    if stored is not None:
        (tmp_path / "Print.txt").write_bytes(stored)
    program = play()
    assert program.showing(f"HISCORE: {high_score}")
    # The sixth case brings the first offer; without cue files every cue is silent.
    program.open_cases(1, 2, 3, 4, 5, 6)
    wait_for(lambda: program.showing(DEAL), "the offer")
    # The own case's prize stays on the ladder, the five opened are struck off.
    assert sum(showing(label) for label in program.ladder()) == 21
    assert (tmp_path / "Print.txt").exists() == (stored is not None)
    offered = program.label("offer")

    program.click(program.control(DEAL))
    wait_for(lambda: program.showing(END), "the final screen")
    offer = saved_amount(tmp_path)
    assert LOWEST_FIRST_OFFER <= offer <= HIGHEST_FIRST_OFFER and offer > high_score
    assert offered.name == f"OFFER: $ {offer}"
    assert program.showing(f"               YOU WIN!! $ {offer}")
    assert program.showing(f"HISCORE: {high_score}")
    saved = (tmp_path / "Print.txt").read_bytes()
    program.click(program.control(END))
    assert program.end() == 0
    assert (tmp_path / "Print.txt").read_bytes() == saved

    assert play().showing(f"HISCORE: {offer}")


def test_keyboard_alone_plays_a_whole_game(play, tmp_path):
    """Tab and Shift+Tab move between the cases, Space opens one, D takes the
    offer and Return ends."""
    program = play()
    for key, gone in [("space", 1), ("Tab", None), ("space", 3), ("shift+Tab", None),
                      ("space", 2), ("space", 4), ("space", 5), ("space", 6), ("d", None)]:
        program.key(key)
        if gone:
            wait_for(lambda: not program.showing(f"CASE {gone}"), f"{key} to open case {gone}")
    wait_for(lambda: program.showing(END), "D to take the offer")
    # The press alone ends the game. Qt's screen-reader bridge holds a copy of
    # each key event until the bus answers; a release sent right after the
    # press may still be held when the program ends, a leak of Qt's own that
    # the sanitized run would report.
    program.key("Return", "keydown")
    assert program.end() == 0
    program.desktop.run("xdotool", "keyup", "Return", check=True)
    assert LOWEST_FIRST_OFFER <= saved_amount(tmp_path) <= HIGHEST_FIRST_OFFER


def test_screen_reader_plays_a_whole_game(play, tmp_path):
    """Every control is on the bus in its role, hidden ones not showing; DEAL
    and the end label are pressed through the bus. What a screen reader says
    of it is screen_reader_test's."""
    program = play()
    controls = program.controls()
    assert [c.name for c in program.cases()] == [f"CASE {k}" for k in range(1, 27)]
    pressable = {c.name for c in controls if c.getRoleName() == "push button"} - {
        c.name for c in program.cases()}
    assert pressable == {DEAL, END}
    assert all(c.getRoleName() == "label" for c in controls[26:] if c.name not in pressable)
    assert sum(showing(label) for label in program.ladder()) == 26
    shown_labels = [c.name for c in controls[52:] if showing(c)]
    assert shown_labels == ["", "MARVESTO?", "Created by Marvesto Team ", " CHOOSE YOUR CASE!",
                            "HISCORE: 0"]

    program.open_cases(1, 2, 3, 4, 5, 6)
    wait_for(lambda: program.showing(DEAL), "the offer")
    program.press(DEAL)
    wait_for(lambda: program.showing(END), "the final screen")
    offer = saved_amount(tmp_path)
    assert [c.name for c in controls if showing(c)] == [
        "CASE  1", "MARVESTO?", "Created by Marvesto Team ", END,
        f"               YOU WIN!! $ {offer}", "HISCORE: 0"]
    program.press(END)
    assert program.end() == 0


@pytest.mark.parametrize("platform, display, named", [
    (None, None, "needs a graphical display, but DISPLAY is not set"),
    ("xcb", None, "DISPLAY is not set"),
    # No X server answers on display 65000.
    (None, ":65000", 'the display ":65000"'),
    ("xcb", ":65000", '":65000"'),
    # No Wayland compositor runs here, whatever DISPLAY says.
    ("wayland", ":65000", 'platform "wayland"'),
])
def test_without_a_display_the_program_says_so_in_one_line(desktop, tmp_path, platform, display,
                                                          named):
    """Instead of Qt's abort with its core dump. The program has the desktop's
    runtime folder and buses, as every session has, so that only its own words
    are heard."""
    run = desktop.run(GAME, cwd=tmp_path, env={"QT_QPA_PLATFORM": platform, "DISPLAY": display})
    assert (run.returncode, run.stdout) == (1, "")
    lines = run.stderr.splitlines()
    assert len(lines) == 1 and lines[0].startswith("Marvesto ") and named in lines[0], run.stderr
    assert list(tmp_path.iterdir()) == []
