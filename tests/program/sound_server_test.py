"""The four cues as a desktop's sound server receives them: PipeWire's
PulseAudio server, SDL left to choose its driver, the null sink's monitor
recorded from the server's side. The Windows program's test under Wine reads
its recording the same way."""
import math
import struct
import time

from conftest import DEAL, END, RATE, wait_for, write_cue

# Each cue a tone of its own pitch and length, at twice the pitch of the one
# before, so that a stretch of the recording tells which cue it belongs to
# even where a loaded machine let the server run short for a moment.
CUES = {"INTRO.wav": (0.6, 300), "DIAL.wav": (0.9, 600), "DEAL.wav": (1.2, 1200),
        "END.wav": (1.5, 2400)}
AMPLITUDE = 8000
STEP = RATE // 100  # 10 ms


def heard(recording):
    """For each cue: when it sounded on average and for how long in all, in
    10 ms steps of the recording. A step belongs to the pitch nearest its count
    of sign changes and counts by its energy against a whole step of the tone,
    so that a step the cue fills only in part, at its ends or where a loaded
    machine let the server run short, counts only in part."""
    samples = struct.unpack(f"<{len(recording) // 2}h", recording[:len(recording) // 2 * 2])
    whole_step = STEP * AMPLITUDE ** 2 / 2
    found = {}
    for at in range(0, len(samples) - STEP, STEP):
        step = samples[at:at + STEP]
        if max(map(abs, step)) < AMPLITUDE // 4:
            continue
        changes = sum((a < 0) != (b < 0) for a, b in zip(step, step[1:]))
        cue = min(CUES, key=lambda c: abs(math.log2(max(changes, 1) / (CUES[c][1] / 50))))
        share = min(1.0, sum(sample * sample for sample in step) / whole_step)
        steps, sum_of_places = found.get(cue, (0, 0))
        found[cue] = (steps + share, sum_of_places + share * at // STEP)
    return {cue: (steps, sum_of_places / steps) for cue, (steps, sum_of_places) in found.items()}


def write_cues(folder):
    for cue, (seconds, pitch) in CUES.items():
        write_cue(folder / cue, seconds, pitch=pitch, amplitude=AMPLITUDE, offset=0)


def timed(waited, cue, act, done, what):
    """How long the game waits for the cue: from the act that asks for it
    until what comes after it is done."""
    started = time.monotonic()
    act()
    wait_for(done, what)
    waited[cue] = time.monotonic() - started


def check_heard(recording, recorder, waited):
    """Once the game has ended: each cue reached the server whole and in
    order, and the game waited about its length for each."""
    # What the sink still holds reaches the recording a moment later.
    time.sleep(1)
    recorder.terminate()
    recorder.wait()

    found = heard(recording.read_bytes())
    assert sorted(found, key=lambda cue: found[cue][1]) == list(CUES), found
    for cue, (seconds, _) in CUES.items():
        # Give or take the steps where a cue begins and ends.
        assert abs(found[cue][0] / 100 - seconds) <= 0.05, \
            f"{cue} of {seconds} s sounded {found[cue][0] / 100:.3f} s"
        # The game goes on once the cue is over, not before, nor long after.
        assert seconds - 0.05 <= waited[cue] <= seconds + 1, \
            f"the game waited {waited[cue]:.2f} s for {cue} of {seconds} s"


def test_each_cue_reaches_the_sound_server_whole_and_in_order(play, record_sound, tmp_path):
    write_cues(tmp_path)
    recording = tmp_path.parent / f"{tmp_path.name}.raw"
    recorder = record_sound(recording)
    program = play(SDL_AUDIODRIVER=None)
    waited = {}
    timed(waited, "INTRO.wav", lambda: program.click(program.control("CASE 1")),
          lambda: program.label("own case").name == "CASE  1", "the own case")
    program.open_cases(2, 3, 4, 5)
    timed(waited, "DIAL.wav", lambda: program.click(program.control("CASE 6")),
          lambda: program.showing(DEAL), "the offer")
    timed(waited, "DEAL.wav", lambda: program.click(program.control(DEAL)),
          lambda: program.showing(END), "the final screen")
    timed(waited, "END.wav", lambda: program.click(program.control(END)),
          lambda: program.process.poll() is not None, "the end")
    assert program.end() == 0
    check_heard(recording, recorder, waited)
