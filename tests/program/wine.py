"""The Windows program under Debian's Wine on the test desktop: an X server
large enough for the window at 144 dpi, with openbox; a Wine prefix made once
per build and copied for each run and test. The program's window is read the
Windows way, by the test helper that lists its controls as Windows shows them
to assistive technology, and played with xdotool as a player plays it."""
import fcntl
import io
import json
import os
import shutil
import signal
import subprocess
import tempfile
from pathlib import Path

import pytest
from PIL import Image

from conftest import PATIENCE, Desktop, stop, wait_for

WINE = os.environ.get("WINE", "wine")
CONTROLS = os.environ.get("MARVESTO_CONTROLS", "")


class WineDesktop(Desktop):
    """The X desktop with openbox, which decorates the window and closes it
    when asked, and room for the window at 144 dpi."""

    screen = "1920x1200x24"

    def __init__(self, runtime: Path):
        super().__init__(runtime)
        self.start("openbox", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: self.run("wmctrl", "-m").returncode == 0, "openbox")

    def environment(self, **variables):
        # Wine makes a menu entry of the player's desktop for every Start-menu
        # shortcut; they go into the test's own folders.
        runtime = Path(self.env["XDG_RUNTIME_DIR"])
        return super().environment(**{"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=",
                                      "XDG_DATA_HOME": str(runtime / "data"),
                                      "XDG_CONFIG_HOME": str(runtime / "config"), **variables})


class Prefix:
    """A Wine prefix of this test's own, with its own wineserver."""

    def __init__(self, desktop: WineDesktop, path: Path):
        self.desktop, self.path = desktop, path

    def env(self, **variables):
        return {"WINEPREFIX": str(self.path), **variables}

    def run(self, *command, timeout=PATIENCE):
        """A Windows program run to its end in this prefix; its output is
        read from files, as the services Wine starts beside a program would
        hold a pipe open long after it ends."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            ran = subprocess.run([WINE, *map(str, command)], stdout=out, stderr=err,
                                 env=self.desktop.environment(**self.env()), timeout=timeout,
                                 check=False)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(ran.args, ran.returncode,
                                               out.read().decode(errors="replace"),
                                               err.read().decode(errors="replace"))

    def set_dpi(self, dpi):
        """The screen's resolution, as the display settings set it, for the
        next program started; written straight into the user's registry."""
        registry = self.path / "user.reg"
        text = registry.read_text()
        section = text.index("[Control Panel\\\\Desktop]")
        line_end = text.index("\n", section) + 1
        registry.write_text(f'{text[:line_end]}"LogPixels"=dword:{dpi:08x}\n{text[line_end:]}')

    def end(self):
        self.desktop.run("wineserver", "-k", env=self.env())


class Alerts:
    """The alerts a game raises for screen readers, as the helper records them
    from outside while they come, each with what its object says."""

    def __init__(self, prefix: Prefix):
        # Written by the helper and read through a file of the test's own.
        self.record = tempfile.NamedTemporaryFile()
        self.process = subprocess.Popen(
            [WINE, CONTROLS, "alerts"], stdout=self.record, stderr=subprocess.DEVNULL,
            env=prefix.desktop.environment(**prefix.env()))
        wait_for(self.lines, "the helper to watch for alerts")

    def lines(self):
        text = Path(self.record.name).read_text()
        return [json.loads(line) for line in text.splitlines(keepends=True) if line.endswith("\n")]

    def raised(self):
        """Every alert raised so far: its name, role, description and action."""
        return [line for line in self.lines() if "alert" in line]


class WindowsProgram:
    """marvesto.exe started by Wine in a folder, or by a command that starts
    it; its window read through the helper, played with the mouse and keys of
    the X server."""

    def __init__(self, prefix: Prefix, command, folder, variables, alerts=False):
        self.prefix = prefix
        self.helper_errors = ""
        self.errors = tempfile.TemporaryFile()
        # Watched before the game starts, which raises its first at once.
        self.alerts = Alerts(prefix) if alerts else None
        self.process = subprocess.Popen(
            [WINE, *map(str, command)], cwd=folder, stdout=subprocess.DEVNULL,
            stderr=self.errors, env=prefix.desktop.environment(**prefix.env(**variables)))

    def read(self):
        """The game's window (None while there is none), its controls by name
        and the message boxes, as the helper lists them."""
        listed = self.prefix.run(CONTROLS)
        self.helper_errors = listed.stderr
        lines = [json.loads(line) for line in listed.stdout.splitlines()]
        window = next((line for line in lines if "window" in line), None)
        controls = {line["name"]: line for line in lines if "name" in line}
        return {"window": window, "controls": controls,
                "boxes": [line for line in lines if "box" in line]}

    def wait(self, condition, what):
        """The first reading of the window for which the condition holds."""
        def check():
            seen = self.read()
            # A reading without the window, as Wine now and then gives one
            # under load, is read again.
            try:
                return seen if condition(seen) else None
            except (KeyError, TypeError):
                return None
        def seen_last():
            seen = self.read()
            shown = sorted(name for name, control in seen["controls"].items() if control["shown"])
            return (f"{what}; last seen the window {seen['window']}, showing {shown}, and the "
                    f"boxes {seen['boxes']}; the helper wrote {self.helper_errors!r}; "
                    f"{self.problem()}")
        return wait_for(check, seen_last)

    def current(self):
        """A reading of the window as it is now."""
        return self.wait(lambda seen: seen["window"] is not None, "the window")

    def wait_for_start(self):
        """The window shown, with every case and the focus on CASE 1."""
        return self.wait(lambda seen: seen["window"] is not None and seen["window"]["shown"]
                         and seen["window"]["focus"] == "Command1"
                         and sum(seen["controls"][f"Command{k}"]["shown"]
                                 for k in range(1, 27)) == 26, "the start screen")

    def written(self):
        """All that Wine and the program have written to standard error so far."""
        self.errors.seek(0)
        return self.errors.read().decode(errors="replace")

    def accessible(self, control, *action):
        """The control's accessible object as a screen reader reads it; with
        "press", pressed as a screen reader's user presses it."""
        shown = self.prefix.run(CONTROLS, "accessible", control, *action)
        assert shown.returncode == 0, f"{control}: {shown.stderr} {self.problem()}"
        return json.loads(shown.stdout)

    def problem(self):
        state = "running" if self.process.poll() is None else f"gone ({self.process.poll()})"
        return f"the program is {state} and wrote {self.written()!r}"

    def on_screen(self, seen, control):
        """The middle of the control on the screen."""
        window, place = seen["window"], seen["controls"][control]
        return (window["left"] + place["left"] + place["width"] // 2,
                window["top"] + place["top"] + place["height"] // 2)

    def click(self, control):
        """A left click at the middle of the control, as it is now placed."""
        self.click_at(*self.on_screen(self.current(), control))

    def click_at(self, x, y):
        # XTest carries out the move before the click: no wait between them.
        self.prefix.desktop.run("xdotool", "mousemove", str(x), str(y), "click", "1",
                                check=True)

    def key(self, key):
        """A key pressed and released where the X server's focus is."""
        self.prefix.desktop.run("xdotool", "key", key, check=True)

    def press_box(self, text):
        """Waits for a message box that says the text, and presses its button."""
        seen = self.wait(lambda seen: any(text in " ".join(box["texts"])
                                          for box in seen["boxes"]), f"a box saying {text!r}")
        box = next(box for box in seen["boxes"] if text in " ".join(box["texts"]))
        self.click_at(*box["press"])
        self.wait(lambda seen: not seen["boxes"], "the box to close")
        return box

    def screenshot(self):
        """The window's client area as shown, as an RGB image."""
        window = self.current()["window"]
        shot = self.prefix.desktop.run("import", "-window", "root", "png:-", check=True,
                                       text=False)
        image = Image.open(io.BytesIO(shot.stdout)).convert("RGB")
        return image.crop((window["left"], window["top"], window["left"] + window["width"],
                           window["top"] + window["height"]))

    def close(self):
        """Asks the window manager to close the window, as its close button does."""
        found = self.prefix.desktop.run("xdotool", "search", "--name", "^Marvesto\\?$").stdout
        for window in found.split():
            self.prefix.desktop.run("wmctrl", "-i", "-c", window)

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait(PATIENCE)

    def end(self):
        """The status the program ends with by itself."""
        return self.process.wait(PATIENCE)


@pytest.fixture(scope="session")
def wine_desktop(tmp_path_factory):
    session = WineDesktop(tmp_path_factory.mktemp("wine-runtime"))
    yield session
    session.stop()


def fresh_prefix(desktop, folder: Path):
    """A prefix as `wineboot` makes it for this Wine, made once in `folder`
    and kept there untouched: making one takes a quarter of a minute, a copy
    a few seconds. Runs that start together make it once between them."""
    version = desktop.run(WINE, "--version", check=True).stdout.strip()
    made = folder / version
    folder.mkdir(parents=True, exist_ok=True)
    with open(folder / "lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not made.exists():
            prefix = Prefix(desktop, folder / f"{version}.making")
            shutil.rmtree(prefix.path, ignore_errors=True)
            booted = desktop.run("wineboot", "-i", env=prefix.env(), timeout=120)
            assert booted.returncode == 0, booted.stderr
            desktop.run("wineserver", "-w", env=prefix.env(), timeout=120)
            prefix.path.rename(made)
    return made


@pytest.fixture(scope="session")
def wine_prefix(wine_desktop, tmp_path_factory):
    """A fresh prefix for this run, copied from the one the build keeps;
    each test plays in a copy of it."""
    kept = os.environ.get("MARVESTO_WINE_PREFIXES") or tmp_path_factory.mktemp("wine-prefixes")
    prefix = tmp_path_factory.mktemp("wine") / "prefix"
    shutil.copytree(fresh_prefix(wine_desktop, Path(kept)), prefix, symlinks=True)
    return prefix


@pytest.fixture
def windows(wine_desktop, wine_prefix, tmp_path_factory):
    """The test's copy of the prefix, and a way to start the program in it:
    `windows(folder, GAME, dpi=96, alerts=False, **variables)`, or a command
    that starts it in place of GAME; with alerts, those it raises for screen
    readers are recorded from its start. The copy shares the prefix's files,
    but for the registry, which Wine replaces whole when it saves it."""
    prefix = Prefix(wine_desktop, tmp_path_factory.mktemp("wine-copy") / "prefix")
    shutil.copytree(wine_prefix, prefix.path, symlinks=True, copy_function=os.link,
                    ignore=shutil.ignore_patterns("wineserver"))
    for registry in prefix.path.glob("*.reg"):
        registry.unlink()
        shutil.copy2(wine_prefix / registry.name, registry)
    # Started before the program and the helper, which would otherwise race
    # to start it; it ends with the test, or ten seconds after its last
    # program should the test itself be stopped.
    wine_desktop.run("wineserver", "-p10", env=prefix.env(), check=True, capture_output=False,
                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started = []

    def start(folder, *command, dpi=96, alerts=False, **variables):
        if dpi != 96 and not started:
            prefix.set_dpi(dpi)
        program = WindowsProgram(prefix, command, folder, variables, alerts)
        started.append(program)
        return program

    start.prefix = prefix
    yield start
    for program in started:
        stop(program.process)
        if program.alerts:
            stop(program.alerts.process)
        print(program.problem())
    prefix.end()
