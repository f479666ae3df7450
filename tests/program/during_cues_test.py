"""The real program while a sound cue plays: a click the player makes meanwhile
takes effect once the cue is over, on what was shown where the click was
made, and nothing changes before; closing the window ends the program at
once."""
import time

import pytest

from conftest import CLOSING_CUE, DEAL, END, closes_at_once, showing, tone, wait_for, write_cue

# Longer than any real cue, so that the test acts well inside it even on a
# loaded machine.
LONG_CUE = 3.0


def test_click_during_the_dial_acts_on_what_was_shown(play, tmp_path):
    """On the empty place of the hidden DEAL a click does nothing, even though
    the new offer's DEAL stands there afterwards; on a case shown it opens the
    case, which refuses the new offer."""
    program = play()
    # The first offer comes at once; the later ones ring a long dial.
    program.open_cases(*range(1, 7))
    deal = program.control(DEAL)
    deal_box = program.box(deal)
    program.open_cases(*range(7, 11))
    write_cue(tmp_path / "DIAL.wav", LONG_CUE)

    program.open_cases(11)
    dial_started = time.monotonic()
    program.click(deal, deal_box)
    assert not showing(deal), "the dial ended before the click on DEAL's place"
    wait_for(lambda: showing(deal), "the offer")
    assert time.monotonic() - dial_started >= LONG_CUE - 0.5, "the offer came during the dial"
    # Time for a click wrongly delivered to DEAL to show the final screen.
    time.sleep(1)
    assert showing(deal) and not program.showing(END)
    assert not (tmp_path / "Print.txt").exists()

    # The 15th click rings the dial of the third offer; case 16 is clicked
    # while it rings.
    for k in range(12, 17):
        program.click(program.control(f"CASE {k}"))
    wait_for(lambda: not program.showing("CASE 16"), "case 16 to open")
    assert not showing(deal)
    assert sum(showing(case) for case in program.cases()) == 10


def test_click_during_the_intro_is_handled_after_it(play, desktop, tmp_path, window_manager):
    """A click held back during the intro is neither lost nor run inside the
    first click: it opens its case once the own case has been chosen. Nothing
    changes while the intro plays, and the whole intro reaches the sound device
    (SDL's disk driver writes it to a file)."""
    write_cue(tmp_path / "INTRO.wav", LONG_CUE)
    device = tmp_path.parent / f"{tmp_path.name}.raw"
    program = play(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=str(device))
    clicked = time.monotonic()
    program.click(program.control("CASE 9"))
    program.click(program.control("CASE 2"))
    wait_for(lambda: not program.showing("CASE 9") and not program.showing("CASE 2"),
             "both cases to open")
    first_change = min(at for at, *_ in desktop.events)
    assert first_change - clicked >= LONG_CUE, "the window changed during the intro"
    assert program.label("own case").name == "CASE  9"
    assert sum(showing(case) for case in program.cases()) == 24
    assert sum(showing(label) for label in program.ladder()) == 25
    program.close()
    assert program.end() == 0
    played = device.read_bytes()
    cue = tone(LONG_CUE)
    at = played.find(cue)
    assert at >= 0, "the intro did not reach the device whole"
    assert not played[:at].strip(b"\0") and not played[at + len(cue):].strip(b"\0")


@pytest.mark.parametrize("cue, opened, clicked", [
    ("INTRO.wav", 0, ["CASE 9"]),
    ("DIAL.wav", 5, ["CASE 6"]),
    ("DEAL.wav", 6, [DEAL]),
    ("END.wav", 6, [DEAL, END]),
], ids=["intro", "dial", "deal", "end"])
def test_close_during_a_cue_ends_the_program_at_once(play, tmp_path, window_manager, cue, opened,
                                                     clicked):
    """The close button works while a cue plays: the program ends with the
    cue cut short, status 0, and nothing more is saved. The deal saves its
    offer before its cue, so the file is compared with what it held at the
    close."""
    write_cue(tmp_path / cue, CLOSING_CUE)
    (tmp_path / "Print.txt").write_bytes(b" 1\r\n")
    program = play()
    program.open_cases(*range(1, opened + 1))
    for name in clicked:
        wait_for(lambda: program.showing(name), f"{name!r} to show")
        program.click(program.control(name))
    # Well inside the cue.
    time.sleep(1)
    assert program.process.poll() is None
    closes_at_once(program, tmp_path)
