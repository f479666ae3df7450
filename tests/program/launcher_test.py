"""The launcher that ./play and an installed game start through: it enters the
player's own folder, creating it, and brings the sound cues there without
ever replacing one the folder already holds. And what ./play installs first."""
import os
import pwd
import subprocess
from pathlib import Path

import pytest

from conftest import SOURCE

# Looked up here through the C library, not the way the launcher does it.
DATABASE_HOME = pwd.getpwuid(os.getuid()).pw_dir


# What building and playing need; a player's machine gets nothing else from
# ./play: no test server, no second sound server, no checker.
PLAY_PACKAGES = ["g++", "cmake", "ninja-build", "pkg-config", "qt6-base-dev", "libsdl2-dev",
                 "fonts-dejavu-core", "fonts-dejavu-extra"]


def test_play_installs_what_building_and_playing_need_and_test_adds_the_rest():
    def listed(command):
        return subprocess.run([SOURCE / "tools/install-deps", "--list", command], check=True,
                              capture_output=True, text=True).stdout.split()
    assert listed("play") == PLAY_PACKAGES
    assert listed("test")[:len(PLAY_PACKAGES)] == PLAY_PACKAGES


def launch(root: Path, cues: Path, **environment: str | None):
    """Runs the launcher with a stand-in game that prints the folder it was
    started in and its HOME; a variable given as None is unset."""
    game = root / "game"
    game.write_text('#!/bin/sh\npwd\nprintf "%s\\n" "$HOME"\n')
    game.chmod(0o755)
    env = {k: v for k, v in os.environ.items() if k not in ("HOME", "XDG_DATA_HOME")}
    env.update({k: v for k, v in environment.items() if v is not None})
    return subprocess.run([SOURCE / "tools/marvesto-launch", game, cues], env=env,
                          capture_output=True, text=True, timeout=60, check=False)


@pytest.mark.parametrize("home, data_home, folder, reason", [
    ("<root>/home", "<root>/data", "<root>/data/marvesto", ""),
    ("<root>/home", None, "<root>/home/.local/share/marvesto", ""),
    ("<root>/home", "relative/data", "<root>/home/.local/share/marvesto", ""),
    (None, None, DATABASE_HOME + "/.local/share/marvesto", ""),
    ("", None, DATABASE_HOME + "/.local/share/marvesto", ""),
    ("", "<root>/data", "<root>/data/marvesto", ""),
    ("<root>/home", "<root>/file/data", "<root>/file/data/marvesto", "Not a directory"),
], ids=["XDG_DATA_HOME", "default", "relative XDG_DATA_HOME is ignored", "HOME unset",
        "HOME empty", "HOME empty, XDG_DATA_HOME set", "below a regular file"])
def test_starts_in_the_players_folder(tmp_path, home, data_home, folder, reason):
    """"<root>" is the test's own folder; an empty reason means the game starts."""
    (tmp_path / "home").mkdir()
    (tmp_path / "file").write_text("not a folder")

    def place(path):
        return None if path is None else path.replace("<root>", str(tmp_path))

    folder = Path(place(folder))
    missing = [p for p in [folder, *folder.parents] if not p.exists()]
    # Without cues to bring, a run in the real home leaves no file there, and
    # the folders that were missing before it go again.
    try:
        run = launch(tmp_path, tmp_path / "no-cues", HOME=place(home),
                     XDG_DATA_HOME=place(data_home))
    finally:
        for created in filter(Path.exists, missing):
            created.rmdir()
    if not reason:
        assert run.returncode == 0, run.stderr
        # The game and its libraries are given the home the launcher found.
        assert run.stdout.splitlines() == [str(folder), place(home) or DATABASE_HOME]
        return
    assert run.returncode != 0
    assert run.stdout == "", "the game was started"
    [line] = run.stderr.splitlines()
    assert line.startswith("marvesto: ") and str(folder) in line and line.endswith(": " + reason)


@pytest.mark.parametrize("player_has_dial", [False, True], ids=["new folder", "player's own dial cue"])
def test_brings_the_cues_without_replacing_the_players_own(tmp_path, player_has_dial):
    cues = tmp_path / "cues"
    cues.mkdir()
    for cue in ("INTRO", "DIAL", "DEAL"):
        (cues / f"{cue}.wav").write_text(f"new {cue.lower()}")
    folder = tmp_path / "data/marvesto"
    if player_has_dial:
        folder.mkdir(parents=True)
        (folder / "DIAL.wav").write_text("player's dial")

    run = launch(tmp_path, cues, HOME=str(tmp_path), XDG_DATA_HOME=str(tmp_path / "data"))

    assert run.returncode == 0, run.stderr
    assert run.stdout.splitlines()[0] == str(folder)
    assert (folder / "INTRO.wav").read_text() == "new intro"
    assert (folder / "DEAL.wav").read_text() == "new deal"
    assert (folder / "DIAL.wav").read_text() == ("player's dial" if player_has_dial else "new dial")
    assert sorted(p.name for p in folder.iterdir()) == ["DEAL.wav", "DIAL.wav", "INTRO.wav"]


@pytest.fixture
def small_disk(tmp_path):
    """A file system of 64 KiB of its own for the player's folder, to be
    filled or made read-only; mounting one takes root."""
    if os.geteuid() != 0:
        pytest.skip("only root may mount a file system")
    disk = tmp_path / "disk"
    disk.mkdir()
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", disk], check=True)
    yield disk
    subprocess.run(["umount", disk], check=True)


def remount(disk: Path, options: str):
    subprocess.run(["mount", "-o", "remount," + options, disk], check=True)


def cues_with_a_large_intro(root: Path) -> Path:
    cues = root / "cues"
    cues.mkdir()
    (cues / "INTRO.wav").write_bytes(bytes(range(256)) * 400)
    for cue in ("DIAL", "DEAL", "END"):
        (cues / f"{cue}.wav").write_text(f"new {cue.lower()}")
    return cues


def test_a_cue_that_does_not_fit_is_left_out_until_it_does(tmp_path, small_disk):
    """A copy cut short by a full disk would count as the cue, and the intro
    would stay silent for ever; the game starts without it."""
    cues = cues_with_a_large_intro(tmp_path)
    folder = small_disk / "marvesto"

    full = launch(tmp_path, cues, HOME=str(tmp_path), XDG_DATA_HOME=str(small_disk))
    assert full.returncode == 0 and full.stdout.splitlines()[0] == str(folder), full.stderr
    assert sorted(p.name for p in folder.iterdir()) == ["DEAL.wav", "DIAL.wav", "END.wav"]
    [line] = full.stderr.splitlines()
    assert line.startswith("marvesto: ") and "INTRO.wav" in line
    assert line.endswith(": No space left on device")

    remount(small_disk, "size=1m")
    freed = launch(tmp_path, cues, HOME=str(tmp_path), XDG_DATA_HOME=str(small_disk))
    assert freed.returncode == 0 and freed.stderr == ""
    assert (folder / "INTRO.wav").read_bytes() == (cues / "INTRO.wav").read_bytes()


def test_a_read_only_folder_lacking_a_cue_still_starts_the_game(tmp_path, small_disk):
    cues = cues_with_a_large_intro(tmp_path)
    folder = small_disk / "marvesto"
    folder.mkdir()
    for cue in ("DIAL", "DEAL", "END"):
        (folder / f"{cue}.wav").write_text(f"player's {cue.lower()}")
    remount(small_disk, "ro")

    run = launch(tmp_path, cues, HOME=str(tmp_path), XDG_DATA_HOME=str(small_disk))

    assert run.returncode == 0 and run.stdout.splitlines()[0] == str(folder), run.stderr
    [line] = run.stderr.splitlines()
    assert line.startswith("marvesto: ") and "INTRO.wav" in line
    assert line.endswith(": Read-only file system")
    assert not (folder / "INTRO.wav").exists()
