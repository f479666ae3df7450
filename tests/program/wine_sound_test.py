"""The Windows program's sound cues under Wine, through the Media Control
Interface: skipped at once when there is no sound or a cue cannot be played;
a close during a cue ends the program at once. How the cues sound through a
sound server is wine_sound_server_test.py's."""
import time

import pytest

from conftest import CLOSING_CUE, GAME, RATE, closes_at_once, write_cue
from sound_server_test import AMPLITUDE, CUES, heard, timed
from wine_test import FINAL_SCREEN, open_cases, shown

# Longer than any real cue, so that a game that waits for one cannot pass for
# one that goes on at once, even on a loaded machine.
LONG_CUE = 5.0
# Each reading of the window starts a Windows program, which takes the
# processor from the game's sound: while a cue plays, the window is read a
# few times a second only.
READING_PAUSE = 0.25


@pytest.fixture
def desktop(wine_desktop):
    """The sound server and its recorder (sessions.py) join the Windows
    program's desktop, where Wine's PulseAudio driver reaches them."""
    return wine_desktop


def timed_game(program, to_the_end=True):
    """Plays to the first offer, and on to the end; how long the game waited
    at each cue, from the click that asks for it until what follows it is
    shown. Each click goes to the control's place at start."""
    seen, waited = program.read(), {}

    def timed_click(cue, control, done, what):
        timed(waited, cue, lambda: program.click_at(*program.on_screen(seen, control)),
              lambda: time.sleep(READING_PAUSE) or done(program.read()), what)

    timed_click("INTRO.wav", "Command1",
                lambda seen: seen["controls"]["Label30"]["text"] == "CASE  1", "the own case")
    open_cases(program, 2, 3, 4, 5)
    timed_click("DIAL.wav", "Command6", lambda seen: seen["controls"]["Label28"]["shown"],
                "the offer")
    if to_the_end:
        timed_click("DEAL.wav", "Label28", lambda seen: shown(seen) == FINAL_SCREEN,
                    "the final screen")
        timed_click("END.wav", "Label33", lambda _: program.process.poll() is not None,
                    "the end")
        assert program.end() == 0
    return waited


def told(program):
    """What the program has said of the cues."""
    return [line for line in program.written().splitlines() if line.startswith("Marvesto")]


def test_without_a_sound_server_the_game_goes_on_at_once_and_says_so_once(windows, tmp_path):
    """Wine then opens and plays a cue, and fails it at once: that is no
    sound for the run, said once, not a cue that cannot be played."""
    for cue in CUES:
        write_cue(tmp_path / cue, LONG_CUE)
    # ALSA without a single output, as on a machine with no sound card.
    no_cards = tmp_path.parent / f"{tmp_path.name}-alsa.conf"
    no_cards.write_text("")
    program = windows(tmp_path, GAME, ALSA_CONFIG_PATH=no_cards)
    program.wait_for_start()
    waited = timed_game(program)
    assert all(took < LONG_CUE / 2 for took in waited.values()), waited
    assert told(program) == ["Marvesto: no sound: no audio output device"]


def test_bad_cues_are_skipped_and_told_once_and_a_close_ends_a_playing_cue(windows, record_sound,
                                                                            tmp_path):
    """A file MCI cannot open and one whose samples are cut short are skipped
    at once, each named once though the dial rings twice; the deal cue after
    them plays, and closing the window during it ends the program at once,
    status 0, nothing more saved."""
    (tmp_path / "INTRO.wav").write_bytes(b"RIFF, but no sound")
    write_cue(tmp_path / "DIAL.wav", LONG_CUE)
    with open(tmp_path / "DIAL.wav", "r+b") as dial:
        dial.truncate(int(LONG_CUE * RATE))  # half its samples
    _, pitch = CUES["DEAL.wav"]
    write_cue(tmp_path / "DEAL.wav", CLOSING_CUE, pitch=pitch, amplitude=AMPLITUDE, offset=0)
    (tmp_path / "Print.txt").write_bytes(b" 1\r\n")
    recording = tmp_path.parent / f"{tmp_path.name}.raw"
    recorder = record_sound(recording)
    program = windows(tmp_path, GAME)
    program.wait_for_start()
    waited = timed_game(program, to_the_end=False)
    assert all(took < LONG_CUE / 2 for took in waited.values()), waited
    open_cases(program, 7, 8, 9, 10, 11)
    program.wait(lambda seen: seen["controls"]["Label28"]["shown"], "the second offer")

    program.click("Label28")
    # Well inside the deal cue, which comes before the final screen.
    time.sleep(1)
    assert program.process.poll() is None and shown(program.read()) != FINAL_SCREEN
    closes_at_once(program, tmp_path)

    lines = told(program)
    assert len(lines) == 2 and lines[0].startswith("Marvesto: cannot play INTRO.wav: "), lines
    assert lines[1] == "Marvesto: cannot play DIAL.wav: its samples are cut short", lines
    time.sleep(1)
    recorder.terminate()
    recorder.wait()
    found = heard(recording.read_bytes())
    assert 0.5 < found["DEAL.wav"][0] / 100 < CLOSING_CUE / 2, found
