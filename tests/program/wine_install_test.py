"""What a Windows player downloads, under Wine: the installer, run silently as
an administrator's tools run it, and the portable zip."""
import os
import pwd
import zipfile
from pathlib import Path

from conftest import GAME, wait_for
from wine_test import final_screen, first_offer

SETUP, ZIP = Path(os.environ["MARVESTO_SETUP"]), Path(os.environ["MARVESTO_ZIP"])
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Marvesto"
CUES = ["DEAL.wav", "DIAL.wav", "END.wav", "INTRO.wav"]
PROGRAM = ["DejaVuSans-Bold.ttf", "DejaVuSans-BoldOblique.ttf", "DejaVuSans-Oblique.ttf",
           "LICENSE-DejaVu.txt", "marvesto.exe"]


def deal_at_the_first_offer(program):
    """A first game, which saves its offer as the high score; gives the offer."""
    assert program.wait_for_start()["controls"]["Label44"]["text"] == "HISCORE: 0"
    offer = first_offer(program)
    program.click("Label28")
    final_screen(program)
    program.click("Label33")
    assert program.end() == 0
    return f" {offer}\r\n".encode()


def test_installer_for_one_player_keeps_the_players_folder(windows, tmp_path):
    """A silent install (/S) for the player alone, without administrator
    rights; the Start menu's shortcut starts the game in the player's own
    folder, which a reinstall and the uninstaller leave as they find it."""
    prefix = windows.prefix
    user = prefix.path / "drive_c/users" / pwd.getpwuid(os.getuid()).pw_name / "AppData"
    program_folder, player_folder = user / "Local/Programs/Marvesto", user / "Roaming/Marvesto"
    shortcut = user / "Roaming/Microsoft/Windows/Start Menu/Programs/Marvesto.lnk"
    assert prefix.run(SETUP, "/S").returncode == 0
    assert sorted(os.listdir(program_folder)) == PROGRAM + ["uninstall.exe"]
    assert sorted(os.listdir(player_folder)) == CUES + ["Print.txt"]
    assert (player_folder / "Print.txt").read_bytes() == b" 0\r\n"
    # Listed with the installed programs, with its icon and version.
    assert "|||Marvesto" in prefix.run("uninstaller", "--list").stdout
    listing = prefix.run("reg", "query", UNINSTALL_KEY).stdout
    assert f"DisplayVersion    REG_SZ    {os.environ['MARVESTO_VERSION']}" in listing, listing
    assert "DisplayIcon    REG_SZ    C:\\users\\" in listing, listing
    assert "\\AppData\\Local\\Programs\\Marvesto\\marvesto.exe,0" in listing, listing

    started_in = tmp_path / "elsewhere"
    started_in.mkdir()
    score = deal_at_the_first_offer(windows(started_in, "start", "/wait", "/unix", shortcut))
    assert (player_folder / "Print.txt").read_bytes() == score
    assert not os.listdir(started_in)

    # A reinstall renews the program and keeps the player's own files.
    own_cue = b"RIFF: the player's own intro"
    (player_folder / "INTRO.wav").write_bytes(own_cue)
    (program_folder / "marvesto.exe").write_bytes(b"an older program")
    assert prefix.run(SETUP, "/S").returncode == 0
    assert (program_folder / "marvesto.exe").read_bytes() == GAME.read_bytes()
    assert (player_folder / "INTRO.wav").read_bytes() == own_cue
    assert (player_folder / "Print.txt").read_bytes() == score

    # The uninstaller goes on from a copy of itself, which it can then delete.
    assert prefix.run(program_folder / "uninstall.exe", "/S").returncode == 0
    wait_for(lambda: not program_folder.exists(), "the program folder to go")
    assert not shortcut.exists()
    assert "Marvesto" not in prefix.run("uninstaller", "--list").stdout
    assert sorted(os.listdir(player_folder)) == CUES + ["Print.txt"]
    assert (player_folder / "Print.txt").read_bytes() == score
    assert (player_folder / "INTRO.wav").read_bytes() == own_cue


def test_zip_unpacked_anywhere_plays_and_saves_there(windows, tmp_path):
    with zipfile.ZipFile(ZIP) as archive:
        archive.extractall(tmp_path / "anywhere")
    folder = tmp_path / "anywhere/Marvesto"
    assert sorted(os.listdir(folder)) == sorted(PROGRAM + CUES + ["Print.txt"])
    assert (folder / "Print.txt").read_bytes() == b" 0\r\n"
    score = deal_at_the_first_offer(windows(folder, folder / "marvesto.exe"))
    assert (folder / "Print.txt").read_bytes() == score
