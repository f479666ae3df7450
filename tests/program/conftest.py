"""Fixtures shared by the tests of the real program, the launcher and the package.

The program runs on a private desktop (an X server, a session bus, the
accessibility bus a screen reader turns on). Tests find its controls by the
names a screen reader reads, act through xdotool or the bus, and look at pixels
only where the pixel matters. pyatspi is imported only once the test process
lives on the desktop: it joins the accessibility bus it finds then, and no other.
"""
import functools
import io
import math
import os
import struct
import subprocess
import tempfile
import time
import wave
from pathlib import Path

import pytest
from PIL import Image

pytest_plugins = ["sessions", "wine"]

# How long anything a player would wait for may take: generous, so that a
# loaded machine slows a test down without failing it.
PATIENCE = 30
WINDOW_TITLE = "Marvesto?"
# The labels after the prize ladder, in the order the bus lists them.
STATUS_LABELS = ["offer", "deal", "own case", "title", "credit", "prompt", "end", "result",
                 "high score"]
GAME, SOURCE = Path(os.environ["MARVESTO_GAME"]), Path(os.environ["MARVESTO_SOURCE"])
DEAL, END = ">  DEAL  <", "                            CLICK  TO END YOUR SESSION! "
RATE = 44100
# Far longer than a close may take, so that a close held until the cue ends
# cannot pass for one that ends the cue.
CLOSING_CUE = 10.0


def tone(seconds, pitch=440, amplitude=4000, offset=6000):
    """16-bit mono samples; the offset keeps every one off zero, so that the
    cue stands apart from the silence a device pads it with."""
    step = 2 * math.pi * pitch / RATE
    return b"".join(struct.pack("<h", int(offset + amplitude * math.sin(step * i)))
                    for i in range(int(seconds * RATE)))


def write_cue(path, seconds, **shape):
    with wave.open(str(path), "wb") as cue:
        cue.setnchannels(1)
        cue.setsampwidth(2)
        cue.setframerate(RATE)
        cue.writeframes(tone(seconds, **shape))


def closes_at_once(program, folder):
    """A close request while a cue of CLOSING_CUE seconds plays ends the
    program at once with status 0, and nothing more is saved in `folder`."""
    saved = (folder / "Print.txt").read_bytes()
    asked = time.monotonic()
    program.close()
    assert program.end() == 0
    took = time.monotonic() - asked
    assert took < CLOSING_CUE / 4, f"the program ended {took:.2f} s after the close"
    assert (folder / "Print.txt").read_bytes() == saved


def pump_bus():
    """Lets the accessibility bus deliver what it holds for the test."""
    from gi.repository import GLib
    while GLib.MainContext.default().iteration(False):
        pass


def wait_for(condition, what):
    """The condition's first true value, checked until the patience runs out;
    `what` names what was waited for, or tells it when called."""
    deadline = time.monotonic() + PATIENCE
    while True:
        pump_bus()
        if value := condition():
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {PATIENCE} s for {what() if callable(what) else what}")
        time.sleep(0.05)


def showing(control):
    import pyatspi
    return control.getState().contains(pyatspi.STATE_SHOWING)


class Desktop:
    """A private X server, session bus and accessibility bus, as a player's desktop."""

    screen = "1024x768x24"

    def __init__(self, runtime: Path):
        self.processes = []
        runtime.chmod(0o700)
        self.env = {"XDG_RUNTIME_DIR": str(runtime)}
        self.open_display(runtime)
        bus = self.start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        # Turned on as a screen reader turns it on; the session bus starts the
        # accessibility bus for it.
        self.run("gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                 "/org/a11y/bus", "--method", "org.freedesktop.DBus.Properties.Set",
                 "org.a11y.Status", "IsEnabled", "<true>", check=True)
        # The test reads the bus itself, so it lives on this desktop too.
        os.environ.update(self.env)
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi
        self.events = []
        pyatspi.Registry.registerEventListener(
            self.heard, "object:state-changed:showing", "object:property-change:accessible-name")

    def open_display(self, runtime):
        read, write = os.pipe()
        # -displayfd: Xvfb picks a free display and writes its number once it
        # takes connections.
        self.start("Xvfb", "-displayfd", str(write), "-screen", "0", self.screen,
                   "-nolisten", "tcp", pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as announced:
            self.env["DISPLAY"] = f":{announced.readline().strip()}"
        assert self.env["DISPLAY"] != ":", "Xvfb did not start"

    def heard(self, event):
        """A change of the window's controls, named as it is when read, so read
        at once. The notifications that bring a screen reader the news are no
        control."""
        if event.source.getRoleName() != "notification":
            self.events.append((time.monotonic(), event.type, event.source.name, event.detail1))

    def environment(self, **variables):
        """The environment of a program on this desktop: Qt on X, SDL's silent
        audio driver; a variable given as None is removed."""
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", SDL_AUDIODRIVER="dummy", **self.env)
        # Qt 6.4 never joins an accessibility bus named in its environment.
        for name in ("WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
            env.pop(name, None)
        env.update(variables)
        return {name: value for name, value in env.items() if value is not None}

    def start(self, *command, **options):
        options.setdefault("env", self.environment())
        process = subprocess.Popen(command, **options)
        self.processes.append(process)
        return process

    def run(self, *command, env=(), **options):
        """Runs a command on this desktop; `env` adds to or, with None, removes
        from its environment, and the options are subprocess.run's."""
        return subprocess.run(command, env=self.environment(**dict(env)), **{
            "capture_output": True, "text": True, "timeout": PATIENCE, **options})

    def stop(self):
        for process in reversed(self.processes):
            stop(process)


def stop(process):
    """Ends a process this session started, and waits for it."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Program:
    """The real program on the desktop, found on the accessibility bus by its
    process, played as a player plays it."""

    def __init__(self, desktop: Desktop, command, folder, arguments, variables):
        self.desktop = desktop
        self.errors = tempfile.TemporaryFile()
        desktop.events.clear()
        self.process = subprocess.Popen([str(command), *arguments], cwd=folder,
                                        env=desktop.environment(**variables), stderr=self.errors)
        self.window = wait_for(self.find_window, self.problem)
        wait_for(lambda: sum(showing(c) for c in self.cases()) == 26, "the 26 cases")

    @functools.cached_property
    def id(self):
        """The X window, for the X tools; a program on another platform has none."""
        return wait_for(lambda: self.desktop.run(
            "xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid), "--name",
            "^Marvesto\\?$").stdout.split(), "the X window")[0]

    def written(self):
        """All the program has written to standard error so far."""
        self.errors.seek(0)
        return self.errors.read().decode(errors="replace")

    def problem(self):
        state = "running" if self.process.poll() is None else "gone"
        return f"the window; the program is {state} and wrote {self.written()!r}"

    def find_window(self):
        import pyatspi
        # Under a GTK platform theme GTK's own bridge registers the process too,
        # as an application without windows.
        return next((w for application in pyatspi.Registry.getDesktop(0)
                     if application is not None
                     and application.get_process_id() == self.process.pid
                     for w in application if w.name == WINDOW_TITLE), None)

    def controls(self):
        """The case buttons, then the labels, as the bus lists them."""
        return list(self.window)

    def cases(self):
        return self.controls()[:26]

    def ladder(self):
        return self.controls()[26:52]

    def label(self, role):
        """A status label by its role, for those whose name changes."""
        return self.controls()[52 + STATUS_LABELS.index(role)]

    def control(self, name):
        found = [c for c in self.controls() if c.name == name]
        assert found, f"no control {name!r}; the controls: {[c.name for c in self.controls()]}"
        return found[0]

    def showing(self, name):
        return showing(self.control(name))

    def box(self, control, relative=False):
        """The control's box as (left, top, right, bottom), on the screen or in the window."""
        import pyatspi
        e = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        x, y = (0, 0)
        if relative:
            origin = self.window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            x, y = origin.x, origin.y
        return (e.x - x, e.y - y, e.x - x + e.width, e.y - y + e.height)

    def click(self, control, box=None):
        """A left click at the middle of the control, or of a box it had."""
        left, top, right, bottom = box or self.box(control)
        self.desktop.run("xdotool", "mousemove", "--sync", str((left + right) // 2),
                         str((top + bottom) // 2), "click", "1", check=True)

    def key(self, key, action="key"):
        """A key pressed and released, as xdotool names keys ("space", "shift+Tab");
        or only pressed, with the action "keydown"."""
        self.desktop.run("xdotool", "windowfocus", "--sync", self.id, action, key, check=True)

    def press(self, name):
        """The control's press action, as a screen reader runs it."""
        action = self.control(name).queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        assert "Press" in names, f"{name!r} has the actions {names}"
        action.doAction(names.index("Press"))

    def open_cases(self, *numbers):
        """Clicks each case in turn, waiting until it is gone."""
        for k in numbers:
            case = self.control(f"CASE {k}")
            self.click(case)
            wait_for(lambda: not showing(case), f"case {k} to open")

    def screenshot(self):
        """The window as shown, as an RGB image."""
        shot = self.desktop.run("import", "-window", self.id, "png:-", check=True, text=False)
        return Image.open(io.BytesIO(shot.stdout)).convert("RGB")

    def close(self):
        """Asks the window manager to close the window, as its close button does."""
        self.desktop.run("wmctrl", "-i", "-c", self.id, check=True)

    def end(self):
        """The status the program ends with by itself."""
        return self.process.wait(PATIENCE)


@pytest.fixture(scope="session")
def desktop(tmp_path_factory):
    """One desktop for the whole session: the test's own reader of the
    accessibility bus can join only one bus."""
    session = Desktop(tmp_path_factory.mktemp("runtime"))
    yield session
    session.stop()


@pytest.fixture
def window_manager(desktop):
    """openbox on the desktop for one test: it decorates the window and closes
    it when asked, as the close button does."""
    openbox = desktop.start("openbox", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: desktop.run("wmctrl", "-m").returncode == 0, "openbox")
    yield openbox
    stop(openbox)


@pytest.fixture
def play(desktop, tmp_path):
    """Starts the program in a player's folder (the test's own by default) and
    waits for its start screen; whatever is still running at the end is killed,
    and what each wrote to standard error is shown with a failure."""
    started = []

    def start(folder=tmp_path, arguments=(), command=GAME, **variables) -> Program:
        program = Program(desktop, command, folder, arguments, variables)
        started.append(program)
        return program

    yield start
    for program in started:
        stop(program.process)
        print(program.written())
