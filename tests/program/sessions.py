"""Desktops of other kinds for the real program: native Wayland compositors
instead of the X server, and a sound server and a screen reader on the X
desktop. Debian's own weston, mutter, PipeWire and Orca, each started
privately for the tests that ask."""
import re
import subprocess
import sys
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


class GnomeDesktop(Desktop):
    """GNOME's compositor, mutter, headless, with its Xwayland, and the
    environment a GNOME Wayland session gives its programs. mutter has a
    session bus of its own; X tools reach the windows through Xwayland."""

    def open_display(self, runtime: Path):
        bus = self.start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        log = runtime / "mutter.log"
        self.start("mutter", "--headless", "--wayland", "--virtual-monitor", "1024x768",
                   stdout=subprocess.DEVNULL, stderr=log.open("w"), env=self.environment(
                       DBUS_SESSION_BUS_ADDRESS=bus.stdout.readline().strip(), DISPLAY=None))
        display = wait_for(lambda: re.search(r"Using public X11 display (:\d+)", log.read_text()),
                           "mutter's Xwayland")
        self.env.update({"DISPLAY": display[1], "WAYLAND_DISPLAY": "wayland-0",
                         "XAUTHORITY": str(next(runtime.glob(".mutter-Xwaylandauth.*")))})

    def environment(self, **variables):
        """A GNOME Wayland session's, where Qt chooses the platform itself."""
        return super().environment(**{
            "XDG_SESSION_TYPE": "wayland", "XDG_CURRENT_DESKTOP": "GNOME",
            "XDG_SESSION_DESKTOP": "gnome", "QT_QPA_PLATFORM": None,
            "WAYLAND_DISPLAY": self.env.get("WAYLAND_DISPLAY"), **variables})


@pytest.fixture(scope="session")
def gnome_desktop(tmp_path_factory):
    session = GnomeDesktop(tmp_path_factory.mktemp("gnome"))
    yield session
    session.stop()


@pytest.fixture
def sound_server(desktop, tmp_path_factory):
    """PipeWire with its PulseAudio server on the desktop's session, playing
    into a null sink named "cues", the default. Its state (wireplumber's
    default sink) is its own, not the user's, which another server may share."""
    env = desktop.environment(XDG_STATE_HOME=str(tmp_path_factory.mktemp("sound-state")))
    servers = [desktop.start(name, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
               for name in ("pipewire", "wireplumber", "pipewire-pulse")]
    wait_for(lambda: desktop.run("pactl", "info").returncode == 0, "pipewire-pulse")
    desktop.run("pactl", "load-module", "module-null-sink", "sink_name=cues", check=True)
    # The sink is there once the server has set it up.
    wait_for(lambda: desktop.run("pactl", "set-default-sink", "cues").returncode == 0,
             "the null sink")
    yield
    for process in reversed(servers):
        stop(process)


@pytest.fixture
def record_sound(desktop, sound_server):
    """What reaches the sound server's sink, silence included, recorded in
    real time as 16-bit mono samples into the file given, until the process
    returned is stopped."""
    return lambda into: desktop.start("parec", "-d", "cues.monitor", "--raw", "--format=s16le",
                                      f"--rate={RATE}", "--channels=1", "--latency-msec=100",
                                      stdout=into.open("wb"))


# Orca as Debian starts it, but for two things its log needs: the log written
# line by line (Orca opens it block-buffered), and no refusal to start beside
# another Orca of the same user, the one on the player's own desktop.
ORCA = """
import builtins, runpy, sys
opened = builtins.open
def line_buffered(file, mode="r", *args, **options):
    if mode == "w" and not args:
        options.setdefault("buffering", 1)
    return opened(file, mode, *args, **options)
builtins.open = line_buffered
main = runpy.run_path("/usr/bin/orca")["main"]
main.__globals__["otherOrcas"] = list
sys.exit(main())
"""


class ScreenReader:
    """Orca speaking through speech-dispatcher, with settings of its own. What
    it says is read from its debug log, each utterance with its blanks
    collapsed, as a voice says it."""

    def __init__(self, desktop, folder: Path):
        self.log = folder / "orca.log"
        self.heard = 0
        self.processes = [
            desktop.start("speech-dispatcher", "--run-single", "--timeout", "0",
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL),
            desktop.start(sys.executable, "-c", ORCA, "--debug-file", str(self.log),
                          "--user-prefs", str(folder), stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)]
        wait_for(lambda: "Screen reader on." in self.said(), "Orca to start")

    def said(self):
        """What Orca has said since it was last asked. Each log line ends in
        the voice's settings."""
        text = self.log.read_text(errors="replace") if self.log.exists() else ""
        lines = [" ".join(words.split()) for words in re.findall(
            r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?\{.*\}$", text, re.MULTILINE)]
        new, self.heard = lines[self.heard:], len(lines)
        return new

    def stop(self):
        """Orca ends at once, saying nothing more; speech-dispatcher after it."""
        orca, dispatcher = reversed(self.processes)
        orca.kill()
        orca.wait()
        stop(dispatcher)


@pytest.fixture
def screen_reader(desktop, window_manager, sound_server, tmp_path_factory):
    """Orca on the desktop, as a blind player runs it: with a window manager,
    and a sound server for the voice to play on, without which Orca stops
    hearing events after its first words."""
    reader = ScreenReader(desktop, tmp_path_factory.mktemp("orca"))
    yield reader
    reader.stop()
