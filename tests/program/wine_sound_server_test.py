"""The four cues of the Windows program as a desktop's sound server receives
them: MCI under Wine, through Wine's PulseAudio driver to the suite's
PipeWire, the recording read as the Linux program's (sound_server_test.py).
Timed in real time, it runs alone."""
from conftest import GAME
from sound_server_test import check_heard, write_cues
from wine_sound_test import desktop, timed_game  # noqa: F401, the desktop is a fixture


def test_each_cue_reaches_the_sound_server_whole_and_in_order(windows, record_sound, tmp_path):
    write_cues(tmp_path)
    recording = tmp_path.parent / f"{tmp_path.name}.raw"
    recorder = record_sound(recording)
    program = windows(tmp_path, GAME)
    program.wait_for_start()
    check_heard(recording, recorder, timed_game(program))
