"""The Windows program, marvesto.exe, under Wine as a Windows player meets
it: whole games by mouse and by keyboard, the window as laid out at 96 and
144 dpi, the high-score file where Windows differs from Linux, a run-time
error, and what the program needs of the system."""
import json
import os
import re
import shutil
import subprocess
import time
from collections import Counter

from PIL import Image

from conftest import DEAL, END, GAME, PATIENCE, SOURCE, wait_for

LAYOUT = json.loads((SOURCE / "tests/support/window_layout.json").read_text())
CASES = [f"Command{case['number']}" for case in LAYOUT["cases"]]
LABELS = [f"Label{label['number']}" for label in LAYOUT["labels"]]
FINAL_SCREEN = {"Label30", "Label31", "Label32", "Label33", "Label34", "Label44"}
# The first offer lies between these, whatever the prizes drawn.
LOWEST_FIRST_OFFER, HIGHEST_FIRST_OFFER = 1400, 19596
# Windows' default colour scheme: the text of a push button.
BUTTON_TEXT = (0, 0, 0)
# How to take the offer and how to end the session, told as Orca tells them.
TAKE_OFFER = "Press D to take the offer."
END_SESSION = "Press Return, Enter or Space to end the session."


def scaled(pixels, dpi):
    """Pixels at 96 dpi at another resolution, halves rounded up."""
    return (pixels * dpi + 48) // 96


def rgb(colour):
    return BUTTON_TEXT if colour is None else tuple(bytes.fromhex(colour[1:]))


def eventually(check):
    """Runs the check until it passes: the window paints in its own time."""
    deadline = time.monotonic() + PATIENCE
    while True:
        try:
            return check()
        except AssertionError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.2)


def check_laid_out(program, dpi):
    """The window and every control at their places for the resolution, in
    the layout's stacking and focus order, and each control shown drawn in its
    colours where no control above it lies."""
    seen, shot = program.current(), program.screenshot()
    window, controls = seen["window"], seen["controls"]
    assert window["dpi"] == dpi
    assert (window["window"], window["title"]) == (LAYOUT["window"]["name"],
                                                   LAYOUT["window"]["title"])
    assert (window["width"], window["height"]) == tuple(scaled(v, dpi)
                                                        for v in LAYOUT["window"]["size"])
    # The helper lists the controls from the top of the stack down.
    assert list(controls) == LABELS[::-1] + CASES
    background = rgb(LAYOUT["window"]["background"])
    assert shot.getpixel((scaled(2, dpi), scaled(502, dpi))) == background
    above = []
    for name, laid_out in reversed(list(zip(CASES + LABELS, LAYOUT["cases"] + LAYOUT["labels"]))):
        place = [scaled(v, dpi) for v in laid_out["place"]]
        control = controls[name]
        assert [control[key] for key in ("left", "top", "width", "height")] == place, name
        assert control["kind"] == ("Button" if name in CASES else "Static"), name
        if not control["shown"]:
            continue
        box = (place[0], place[1], place[0] + place[2], place[1] + place[3])
        mask = Image.new("1", shot.size, 0)
        mask.paste(1, box)
        for covering in above:
            mask.paste(0, covering)
        above.append(box)
        colours = [colour for colour, visible in zip(shot.crop(box).getdata(),
                                                     mask.crop(box).getdata()) if visible]
        if not colours:
            continue
        commonest = Counter(colours).most_common(1)[0][0]
        if name in CASES:
            assert commonest != background, f"{name} is not drawn"
            continue
        assert commonest == rgb(laid_out["background"]), name
        if control["text"].strip():
            assert colours.count(rgb(laid_out["text"])) > 10, f"{name}'s caption is not drawn"


def captions_at_start(seen):
    """Every control's caption and visibility at start, as the layout has
    them, and the high score Form_Load has put in Label44."""
    controls = seen["controls"]
    for name, laid_out in zip(CASES + LABELS, LAYOUT["cases"] + LAYOUT["labels"]):
        if name != "Label44":
            assert controls[name]["text"] == laid_out["caption"], name
        assert controls[name]["shown"] == laid_out.get("shown", True), name
    return controls["Label44"]["text"]


def shown(seen):
    return {name for name, control in seen["controls"].items() if control["shown"]}


def open_cases(program, *numbers):
    for k in numbers:
        program.click(f"Command{k}")
        program.wait(lambda seen: not seen["controls"][f"Command{k}"]["shown"], f"case {k}")


def first_offer(program):
    """Opens the own case and five more; gives the offer shown then."""
    open_cases(program, *range(1, 7))
    seen = program.wait(lambda seen: seen["controls"]["Label28"]["shown"], "the first offer")
    offer = int(re.fullmatch(r"OFFER: \$ (\d+)", seen["controls"]["Label27"]["text"])[1])
    assert LOWEST_FIRST_OFFER <= offer <= HIGHEST_FIRST_OFFER
    return offer


def pressable(name, caption, hint):
    """A label as a screen reader reads a push button: its caption, and how
    to press it from the keyboard."""
    return {"name": name, "text": caption, "role": "push button", "description": hint,
            "action": "Press"}


def final_screen(program):
    return program.wait(lambda seen: shown(seen) == FINAL_SCREEN, "the final screen")


def test_whole_game_by_mouse_at_96_dpi(windows, tmp_path):
    (tmp_path / "Print.txt").write_bytes(b" 1000\r\n")
    program = windows(tmp_path, GAME)
    assert captions_at_start(program.wait_for_start()) == "HISCORE: 1000"
    # The prompt covers the ladder until the own case is chosen.
    eventually(lambda: check_laid_out(program, 96))
    program.click("Command1")
    seen = program.wait(lambda seen: not seen["controls"]["Label29"]["shown"], "the own case")
    assert seen["controls"]["Label30"]["text"] == "CASE  1"
    eventually(lambda: check_laid_out(program, 96))
    offer = first_offer(program)
    program.click("Label28")
    seen = final_screen(program)
    assert seen["controls"]["Label34"]["text"] == f"{' ' * 15}YOU WIN!! $ {offer}"
    eventually(lambda: check_laid_out(program, 96))
    assert (tmp_path / "Print.txt").read_bytes() == f" {offer}\r\n".encode()
    program.click("Label33")
    assert program.end() == 0


def test_whole_game_by_keyboard_at_144_dpi(windows, tmp_path):
    """Space opens the focused case, Tab and Shift+Tab move among the cases
    shown, D deals and Return ends; a missing high-score file reads as 0 and
    is made only by the save. A screen reader is told each piece of news once,
    as it happens, in the words Orca speaks on Linux, and DEAL and the end
    label are push buttons that say how to press them."""
    program = windows(tmp_path, GAME, dpi=144, alerts=True)
    told = []

    def told_now(*news):
        """The alerts raised since the last told are these news, in order:
        the caption each tells, and how to act on it."""
        expected = [{"alert": caption, "role": "alert", "description": hint, "action": None}
                    for caption, hint in news]
        wait_for(lambda: len(program.alerts.raised()) >= len(told) + len(expected),
                 lambda: f"alerts of {news}; raised {program.alerts.raised()[len(told):]}")
        assert program.alerts.raised()[len(told):] == expected
        told.extend(expected)

    def ladder(seen):
        return {seen["controls"][f"Label{k}"]["text"] for k in range(1, 27)
                if seen["controls"][f"Label{k}"]["shown"]}

    assert captions_at_start(program.wait_for_start()) == "HISCORE: 0"
    told_now(("HISCORE: 0", None))
    assert not (tmp_path / "Print.txt").exists()
    eventually(lambda: check_laid_out(program, 144))
    program.key("space")
    seen = program.wait(lambda seen: seen["window"]["focus"] == "Command2"
                        and seen["controls"]["Label30"]["text"] == "CASE  1", "the own case")
    told_now(("CASE  1", None))
    program.key("Tab")
    program.wait(lambda seen: seen["window"]["focus"] == "Command3", "the focus on CASE 3")
    program.key("shift+Tab")
    program.wait(lambda seen: seen["window"]["focus"] == "Command2", "the focus on CASE 2")
    for opened in range(2, 7):
        before = ladder(seen)
        program.key("space")
        seen = program.wait(lambda seen: not seen["controls"][f"Command{opened}"]["shown"]
                            and len(ladder(seen)) < len(before), f"case {opened}")
        [prize] = before - ladder(seen)
        if opened < 6:
            told_now((prize, None))
    seen = program.wait(lambda seen: seen["controls"]["Label28"]["shown"], "the first offer")
    offer = int(re.fullmatch(r"OFFER: \$ (\d+)", seen["controls"]["Label27"]["text"])[1])
    told_now((prize, None), (f"OFFER: $ {offer}", TAKE_OFFER))
    assert program.accessible("Label28") == pressable("Label28", DEAL, TAKE_OFFER)
    program.key("d")
    seen = final_screen(program)
    assert seen["window"]["focus"] == "MARVESTO"
    told_now((seen["controls"]["Label34"]["text"], None), (END, END_SESSION))
    assert program.accessible("Label33") == pressable("Label33", END, END_SESSION)
    eventually(lambda: check_laid_out(program, 144))
    assert (tmp_path / "Print.txt").read_bytes() == f" {offer}\r\n".encode()
    program.key("Return")
    assert program.end() == 0
    # The recording ends with the game, and holds nothing more.
    assert program.alerts.process.wait(PATIENCE) == 0
    assert program.alerts.raised() == told


def test_close_ends_the_program_at_once_and_saves_nothing(windows, tmp_path):
    (tmp_path / "Print.txt").write_bytes(b" 5\r\n")
    program = windows(tmp_path, GAME)
    program.wait_for_start()
    first_offer(program)
    program.close()
    assert program.end() == 0
    assert (tmp_path / "Print.txt").read_bytes() == b" 5\r\n"


def test_read_only_high_score_is_left_as_it_is_and_reported_once(windows, tmp_path):
    """Windows refuses to replace a read-only file; Wine would not, so the
    program looks for itself. The deal saves twice: one report."""
    score = tmp_path / "Print.txt"
    score.write_bytes(b" 5\r\n")
    score.chmod(0o444)
    program = windows(tmp_path, GAME)
    program.wait_for_start()
    first_offer(program)
    program.click("Label28")
    box = program.press_box("read-only")
    assert box["texts"][-1].startswith('Could not save the high score to "'), box
    assert 'Print.txt": it is read-only, so it is left as it is.' in box["texts"][-1], box
    assert not final_screen(program)["boxes"]
    assert score.read_bytes() == b" 5\r\n"
    assert score.stat().st_mode & 0o222 == 0
    assert os.listdir(tmp_path) == ["Print.txt"]


def test_folder_named_like_the_high_score_is_reported_and_left_alone(windows, tmp_path):
    folder = tmp_path / "game"
    (folder / "Print.txt").mkdir(parents=True)
    program = windows(folder, GAME)
    program.press_box("Could not read the high score from")
    assert captions_at_start(program.wait_for_start()) == "HISCORE: 0"
    first_offer(program)
    program.click("Label28")
    program.press_box("Could not save the high score to")
    final_screen(program)
    assert (folder / "Print.txt").is_dir() and os.listdir(folder) == ["Print.txt"]
    program.click("Label33")
    assert program.end() == 0


def test_save_cut_short_leaves_old_or_new_score_and_the_next_save_cleans_up(windows, tmp_path):
    """A kill as the deal is clicked leaves the old score or the new one,
    never less. The new file a save cut short leaves behind goes with the
    next save, from the old score again."""
    folder = tmp_path / "game"
    folder.mkdir()
    score = folder / "Print.txt"
    score.write_bytes(b" 5\r\n")
    program = windows(folder, GAME)
    process = program.wait_for_start()["window"]["process"]
    offer = first_offer(program)
    program.click("Label28")
    program.kill()
    assert score.read_bytes() in (b" 5\r\n", f" {offer}\r\n".encode())
    (folder / f"Print.txt.{process}-0.tmp").write_bytes(b" 1")
    score.write_bytes(b" 5\r\n")

    program = windows(folder, GAME)
    program.wait_for_start()
    offer = first_offer(program)
    program.click("Label28")
    final_screen(program)
    assert score.read_bytes() == f" {offer}\r\n".encode()
    assert os.listdir(folder) == ["Print.txt"]
    # Pressed as a screen reader's user presses it.
    program.accessible("Label33", "press")
    assert program.end() == 0


def test_run_time_error_is_reported_in_a_message_box_then_the_program_ends(windows, tmp_path):
    """Without the fonts shipped beside it, the program cannot draw its window."""
    bare = tmp_path / "bare"
    bare.mkdir()
    shutil.copy(GAME, bare)
    program = windows(tmp_path, bare / GAME.name)
    box = program.press_box("Run-time error")
    assert "DejaVuSans-Bold.ttf is missing or broken" in " ".join(box["texts"]), box
    assert program.end() == 1


def test_program_needs_only_windows_own_libraries(wine_prefix):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(GAME)], check=True,
                          capture_output=True, text=True).stdout
    needed = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    system = {path.name.lower() for path in (wine_prefix / "drive_c/windows/system32").iterdir()}
    assert needed and needed <= system, needed - system
    # Active Accessibility (oleacc) and the COM it speaks through (ole32,
    # oleaut32) show the window to screen readers.
    assert {"user32.dll", "gdi32.dll", "comctl32.dll", "oleacc.dll", "ole32.dll",
            "oleaut32.dll"} <= needed
    program = GAME.read_bytes()
    # The manifest asks for common controls 6 and per-monitor DPI awareness;
    # the version information names the game.
    assert b"Microsoft.Windows.Common-Controls" in program and b"PerMonitorV2" in program
    assert "Marvesto, a briefcase game".encode("utf-16-le") in program


def test_shared_rules_hold_under_windows(windows):
    """The rule tests that need no toolkit, built for Windows."""
    ran = windows.prefix.run(os.environ["MARVESTO_RULE_TESTS"], timeout=PATIENCE * 4)
    assert ran.returncode == 0, ran.stdout + ran.stderr
    assert "Status: SUCCESS!" in ran.stdout
