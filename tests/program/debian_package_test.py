"""The Debian package that cpack builds from this build tree: its name and
section, the libraries it depends on, the files it installs under /usr, what
lintian makes of it, and the same bytes from every build."""
import filecmp
import os
import subprocess
import time

import pytest

from installed_game_test import installed_files, installed_programs


def build_package(folder):
    """The package must date itself; a packager's SOURCE_DATE_EPOCH would hide
    a build that does not."""
    env = {k: v for k, v in os.environ.items() if k != "SOURCE_DATE_EPOCH"}
    subprocess.run([os.environ["CPACK_COMMAND"], "-G", "DEB", "--config",
                    f"{os.environ['MARVESTO_BUILD']}/CPackConfig.cmake", "-B", folder],
                   env=env, check=True, capture_output=True)
    # The name the README's `apt install ./marvesto_*.deb` expects.
    packages = list(folder.glob("marvesto_*.deb"))
    assert len(packages) == 1, packages
    return packages[0]


@pytest.fixture(scope="module")
def package(tmp_path_factory):
    return build_package(tmp_path_factory.mktemp("package"))


def field(package, name):
    return subprocess.check_output(["dpkg-deb", "--field", package, name], text=True).strip()


# Without the recommended plugin the game cannot run natively on Wayland.
@pytest.mark.parametrize("name, value", [("Package", "marvesto"), ("Section", "games"),
                                         ("Version", os.environ["MARVESTO_VERSION"]),
                                         ("Recommends", "qt6-wayland")])
def test_control_fields_name_a_game(package, name, value):
    assert field(package, name) == value


def test_depends_on_what_the_game_loads(package):
    """Without any of these the installed game cannot start, or draws with
    another typeface; the X platform plugin is loaded at run time, so no
    linker or dpkg-shlibdeps sees it."""
    depends = field(package, "Depends")
    names = {entry.split()[0] for entry in depends.split(",")}
    assert {"libqt6widgets6", "libqt6gui6", "libqt6core6", "qt6-qpa-plugins", "libsdl2-2.0-0",
            "libstdc++6", "libc6", "fonts-dejavu-core", "fonts-dejavu-extra"} <= names, depends


def test_installs_the_files_of_an_installation_under_usr(package, tmp_path):
    contents = subprocess.check_output(["dpkg-deb", "--contents", package], text=True)
    files = {}
    for line in contents.splitlines():
        mode, *_, path = line.split()
        if not mode.startswith("d"):
            files[path.removeprefix("./usr/")] = mode
    assert sorted(files) == installed_files("games", fonts=[])
    for program in installed_programs("games"):
        assert files[program] == "-rwxr-xr-x", program
    # The menu entry starts the command where the package puts it.
    subprocess.run(["dpkg-deb", "--extract", package, tmp_path], check=True)
    entry = (tmp_path / "usr/share/applications/org.marvesto.Marvesto.desktop").read_text()
    assert "\nExec=/usr/games/marvesto\n" in entry


def test_lintian_finds_no_error_or_warning(package):
    """What Debian holds a package to: a copyright and a changelog, a manual
    page for the command, a game in /usr/games, gzip files without dates."""
    run = subprocess.run(["lintian", "--fail-on", "error,warning", package],
                         capture_output=True, text=True)
    assert run.returncode == 0, run.stdout + run.stderr


def test_a_second_build_gives_the_same_bytes(package, tmp_path):
    # Dates in a package are whole seconds: a second build within the same
    # second would hide one taken from the clock.
    built = int(package.stat().st_mtime)
    while int(time.time()) <= built:
        time.sleep(0.1)
    second = build_package(tmp_path)
    assert filecmp.cmp(second, package, shallow=False)
