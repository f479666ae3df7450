"""One whole game on a native Wayland compositor, played through the screen
reader's press actions; and where Qt's Wayland plugin is not installed, the one
line that tells the player which package brings it."""
import shutil

import pytest
from PIL import ImageChops, ImageFilter

from conftest import DEAL, END, GAME, tone, wait_for, write_cue

YELLOW = (255, 255, 0)
GROWN = 12


@pytest.fixture(scope="session")
def desktop(wayland_desktop):
    """The program's desktop in this module is weston's."""
    return wayland_desktop


def window_in(shot):
    """Where the window's yellow ground lies on weston's output: the yellow
    areas wider and taller than the icon in the frame, grown back."""
    red, green, blue = (channel.point(lambda v, want=want: 255 if v == want else 0)
                        for channel, want in zip(shot.split(), YELLOW))
    yellow = ImageChops.multiply(ImageChops.multiply(red, green), blue)
    box = yellow.filter(ImageFilter.MinFilter(2 * GROWN + 1)).getbbox()
    return box and (box[0] - GROWN, box[1] - GROWN, box[2] + GROWN, box[3] + GROWN)


def test_whole_game_on_weston(play, desktop, tmp_path):
    """Mapped at its size with its title, drawn as laid out, its cues played
    once it is shown, and a deal that beats the high score saved."""
    write_cue(tmp_path / "INTRO.wav", 0.5)
    device = tmp_path.parent / f"{tmp_path.name}.raw"
    (tmp_path / "Print.txt").write_bytes(b" 1\r\n")
    # libwayland then prints every request the program makes.
    program = play(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=str(device), WAYLAND_DEBUG="1")
    assert program.window.name == "Marvesto?"

    def drawn_window():
        shot = desktop.screenshot()
        box = window_in(shot)
        return (shot, box) if box and box[2] - box[0] == 690 else None
    shot, box = wait_for(drawn_window, "the window drawn on weston's output")
    assert (box[2] - box[0], box[3] - box[1]) == (690, 505)
    left, top = box[:2]
    # Each case button and the red title band stand where the layout puts them.
    for control in program.cases() + [program.label("title")]:
        x0, y0, x1, y1 = program.box(control, relative=True)
        area = shot.crop((left + x0, top + y0, left + x1, top + y1))
        assert max(area.getcolors(area.width * area.height))[1] != YELLOW, control.name

    program.press("CASE 1")
    wait_for(lambda: program.label("own case").name == "CASE  1", "the own case")
    for k in range(2, 7):
        program.press(f"CASE {k}")
        wait_for(lambda: not program.showing(f"CASE {k}"), f"case {k} to open")
    wait_for(lambda: program.showing(DEAL), "the offer")
    offer = int(program.label("offer").name.removeprefix("OFFER: $ "))
    program.press(DEAL)
    wait_for(lambda: program.showing(END), "the final screen")
    assert (tmp_path / "Print.txt").read_bytes() == f" {offer}\r\n".encode()
    program.press(END)
    assert program.end() == 0
    requests = program.written()
    # The app id by which a dock finds the menu entry, and a fixed size.
    assert 'xdg_toplevel@' in requests and '.set_app_id("org.marvesto.Marvesto")' in requests
    assert ".set_min_size(690, 505)" in requests and ".set_max_size(690, 505)" in requests
    assert tone(0.5) in device.read_bytes(), "the intro did not reach the device whole"


def test_without_the_plugin_the_program_names_the_package(desktop, tmp_path):
    """A Wayland session without Qt's plugin and without an X server: the
    program beside a qt.conf that sends Qt to a plugin folder without it, as
    on a machine where the package is missing."""
    (tmp_path / "plugins/platforms").mkdir(parents=True)
    (tmp_path / "qt.conf").write_text(f"[Paths]\nPlugins = {tmp_path / 'plugins'}\n")
    program = shutil.copy(GAME, tmp_path)
    run = desktop.run(program)
    assert run.returncode == 1
    assert run.stderr.splitlines() == [
        'Marvesto cannot open a window on the platform "wayland": Qt\'s Wayland plugin is not '
        'installed (install the package qt6-wayland).'], run.stderr
