"""Desktops of other kinds for the real program: a native Wayland compositor
instead of the X server, and a sound server on the X desktop. Debian's own
weston and PipeWire, each started privately for the tests that ask."""
import contextlib
import subprocess
import time
from pathlib import Path

import pytest
from PIL import Image

from conftest import RATE, Desktop, stop, wait_for


class WaylandDesktop(Desktop):
    """weston's headless back end, drawing in memory; its session bus and
    accessibility bus as on the X desktop. It has no pointer or keyboard: the
    program is played through the bus's press actions."""

    def open_display(self, runtime: Path):
        self.socket = "marvesto-test"
        # --use-pixman: without a renderer it draws nothing; --debug lets
        # weston-screenshooter in.
        self.start("weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                   f"--socket={self.socket}", "--width=1024", "--height=768", "--idle-time=0",
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: (runtime / self.socket).exists(), "weston's socket")
        self.pictures = runtime / "pictures"
        self.pictures.mkdir()

    def environment(self, **variables):
        """Qt on Wayland, and no X display to fall back on."""
        return super().environment(**{"QT_QPA_PLATFORM": "wayland",
                                      "WAYLAND_DISPLAY": self.socket, "DISPLAY": None,
                                      **variables})

    def screenshot(self):
        """The whole output as weston draws it, its panel included."""
        for old in self.pictures.iterdir():
            old.unlink()
        self.run("weston-screenshooter", check=True, env={"XDG_PICTURES_DIR": str(self.pictures)})
        shot = wait_for(lambda: next(self.pictures.glob("wayland-screenshot-*.png"), None),
                        "weston's screenshot")
        time.sleep(0.2)
        return Image.open(shot).convert("RGB")


@pytest.fixture(scope="session")
def wayland_desktop(tmp_path_factory):
    session = WaylandDesktop(tmp_path_factory.mktemp("wayland"))
    yield session
    session.stop()


@contextlib.contextmanager
def sound_server(desktop):
    """PipeWire with its PulseAudio server on the desktop's session, playing
    into a null sink; what reaches the sink, silence included, is recorded in
    real time as 16-bit mono samples into the file given, until the process
    returned is stopped."""
    servers = [desktop.start(name, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
               for name in ("pipewire", "wireplumber", "pipewire-pulse")]
    wait_for(lambda: desktop.run("pactl", "info").returncode == 0, "pipewire-pulse")
    desktop.run("pactl", "load-module", "module-null-sink", "sink_name=cues", check=True)
    # The sink is there once the server has set it up.
    wait_for(lambda: desktop.run("pactl", "set-default-sink", "cues").returncode == 0,
             "the null sink")
    yield lambda into: desktop.start("parec", "-d", "cues.monitor", "--raw", "--format=s16le",
                                     f"--rate={RATE}", "--channels=1", "--latency-msec=100",
                                     stdout=into.open("wb"))
    for process in reversed(servers):
        stop(process)


@pytest.fixture
def record_sound(desktop):
    """The sound server on the test desktop (sound_server)."""
    with sound_server(desktop) as record:
        yield record
