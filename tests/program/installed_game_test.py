"""An installation staged from this build tree with `cmake --install --prefix`:
every file in its place, none in the player's folder, a menu entry and
AppStream data that validate, the `marvesto` command and the menu entry
starting the game for a player with a brand-new home, and the game's own fonts
drawn where the system has none."""
import gzip
import os
import subprocess
from pathlib import Path

import pytest

from conftest import GAME, SOURCE, stop, wait_for

CUES = ["DEAL.wav", "DIAL.wav", "END.wav", "INTRO.wav"]


def installed_programs(command_folder="bin"):
    """`cmake --install` puts the command in bin/, where other prefixes
    (~/.local) want it; the Debian package in games/, where Debian wants games."""
    return [f"{command_folder}/marvesto", "libexec/marvesto/marvesto",
            "libexec/marvesto/marvesto-launch"]


# For a system without them; the Debian package depends on Debian's instead.
FONTS = [f"share/games/marvesto/fonts/DejaVuSans-{style}.ttf"
         for style in ("Bold", "Oblique", "BoldOblique")]


def installed_files(command_folder="bin", fonts=FONTS):
    """Every file an installation holds, relative to its prefix, sorted."""
    return sorted(installed_programs(command_folder) + fonts + [
        "share/applications/org.marvesto.Marvesto.desktop",
        *(f"share/doc/marvesto/{name}" for name in ("changelog.gz", "copyright", "screenshot.png")),
        "share/icons/hicolor/scalable/apps/org.marvesto.Marvesto.svg",
        *(f"share/games/marvesto/cues/{cue}" for cue in CUES),
        "share/man/man6/marvesto.6.gz",
        "share/metainfo/org.marvesto.Marvesto.metainfo.xml",
        *(f"share/icons/hicolor/{size}x{size}/apps/org.marvesto.Marvesto.png"
          for size in (16, 24, 32, 48, 64, 128, 256))])


def files_under(folder):
    return sorted(str(p.relative_to(folder)) for p in Path(folder).rglob("*") if not p.is_dir())


def install(prefix, **environment):
    return subprocess.run([os.environ["CMAKE_COMMAND"], "--install", os.environ["MARVESTO_BUILD"],
                           "--prefix", prefix], env=dict(os.environ, **environment),
                          capture_output=True, text=True)


@pytest.fixture(scope="module")
def root(tmp_path_factory):
    """A prefix unlike the configured one, as with `--prefix ~/.local`: the
    command must find the program and cues wherever the tree lies."""
    root = tmp_path_factory.mktemp("root")
    assert install(root / "usr").returncode == 0
    return root


def test_holds_every_file_and_nothing_else(root):
    assert files_under(root / "usr") == installed_files()
    for program in installed_programs():
        assert os.access(root / "usr" / program, os.X_OK), program
    # The manual page names the cues of this installation.
    page = gzip.decompress((root / "usr/share/man/man6/marvesto.6.gz").read_bytes()).decode()
    assert f"\n.I {root}/usr/share/games/marvesto/cues/\n" in page


def test_leaves_the_players_folder_to_the_player(tmp_path):
    """The README's per-user install keeps clear of the folder a player may
    clear; a prefix that would share it is refused before anything is copied."""
    home = tmp_path / "home"
    assert install(home / ".local", HOME=str(home)).returncode == 0
    assert not (home / ".local/share/marvesto").exists()
    for prefix, data_home in [(home / ".local/share/marvesto/usr", None),
                              (home / "elsewhere", str(home / "elsewhere/share/games"))]:
        refused = install(prefix, HOME=str(home), **({"XDG_DATA_HOME": data_home} if data_home else {}))
        assert refused.returncode != 0 and "the player's own folder" in refused.stderr
        assert not prefix.exists()


@pytest.mark.parametrize("tool", [
    ["desktop-file-validate", "usr/share/applications/org.marvesto.Marvesto.desktop"],
    # Besides the metainfo itself, this finds the desktop entry it names. A
    # software centre needs what --pedantic asks for; --strict fails on every
    # finding but the pedantic ones, of which the capitals in the
    # reverse-domain name are the only one.
    ["appstreamcli", "validate-tree", "--pedantic", "--strict", "--no-net", "."],
])
def test_menu_entry_and_metainfo_validate(root, tool):
    run = subprocess.run(tool, cwd=root, capture_output=True, text=True)
    assert run.returncode == 0, run.stdout + run.stderr


def test_command_starts_the_game_for_a_new_player(root, play, tmp_path, window_manager):
    """The game reads its cues and "Print.txt" from its working directory, so
    the command starts it in the player's folder, stocked with the cues."""
    (tmp_path / "home").mkdir()
    (tmp_path / "elsewhere").mkdir()
    prefix = root / "usr"
    game = play(tmp_path / "elsewhere", command=prefix / "bin/marvesto",
                HOME=str(tmp_path / "home"), XDG_DATA_HOME=None)
    # The command and the launcher replace themselves with the program.
    process = Path(f"/proc/{game.process.pid}")
    assert (process / "exe").resolve() == (prefix / "libexec/marvesto/marvesto").resolve()
    folder = tmp_path / "home/.local/share/marvesto"
    assert (process / "cwd").resolve() == folder
    assert files_under(folder) == CUES
    for cue in CUES:
        installed = (prefix / "share/games/marvesto/cues" / cue).read_bytes()
        assert installed and (folder / cue).read_bytes() == installed
    game.close()
    assert game.end() == 0


def test_draws_with_the_installed_fonts_where_the_system_has_none(root, play):
    """The installed program finds the game's DejaVu files in its data folder
    and draws exactly as the build's program does with the copies beside it."""
    no_fonts = {"FONTCONFIG_FILE": str(SOURCE / "tests/support/no-fonts.conf")}
    shots = []
    for command in (root / "usr/libexec/marvesto/marvesto", GAME):
        program = play(command=command, **no_fonts)
        title = program.box(program.label("title"), relative=True)
        shots.append(program.screenshot())
        stop(program.process)
    # Without a font Qt draws a box for each letter, in two colours; a
    # smoothed glyph's edges have many.
    band = shots[0].crop(title)
    assert len(band.getcolors(band.width * band.height)) > 10
    assert shots[0].tobytes() == shots[1].tobytes()
def test_menu_entry_starts_the_game_when_the_path_lacks_the_command(root, desktop, tmp_path,
                                                                   window_manager):
    """GLib, which GNOME's shell and dash read menus with, drops an entry whose
    command is not on the PATH, and a per-user install's bin folder often
    joins the PATH only at the next login."""
    home = tmp_path / "home"
    home.mkdir()
    launched = desktop.run("python3", "-c", """if True:
        import gi
        gi.require_version("Gio", "2.0")
        from gi.repository import Gio, GLib
        entry = Gio.DesktopAppInfo.new("org.marvesto.Marvesto.desktop")
        print(entry.get_name(), entry.get_icon().to_string())
        quiet = GLib.SpawnFlags.STDOUT_TO_DEV_NULL | GLib.SpawnFlags.STDERR_TO_DEV_NULL
        entry.launch_uris_as_manager([], None, GLib.SpawnFlags.SEARCH_PATH | quiet, None, None,
                                     lambda _, pid, *rest: print(pid), None)
        """, env={"PATH": "/usr/bin:/bin", "XDG_DATA_DIRS": f"{root}/usr/share",
                  "HOME": str(home), "XDG_DATA_HOME": None}, check=True)
    name, pid = launched.stdout.splitlines()
    assert name == "Marvesto org.marvesto.Marvesto"
    process = Path(f"/proc/{pid}")
    try:
        window = wait_for(lambda: desktop.run("xdotool", "search", "--onlyvisible", "--pid", pid,
                                              "--name", "^Marvesto\\?$").stdout.split(),
                          "the game's window")[0]
        assert (process / "cwd").resolve() == home / ".local/share/marvesto"
        desktop.run("wmctrl", "-i", "-c", window, check=True)
        wait_for(lambda: not process.exists(), "the game to end")
    finally:
        if process.exists():
            os.kill(int(pid), 9)
