"""The game in GNOME's Wayland session: mutter, headless, with Qt's Wayland
plugin installed. mutter draws no frame for Wayland windows, and the frame Qt
6.4 draws itself there maximises the fixed window; the game runs through
Xwayland instead, in mutter's own frame. A platform the player names in
QT_QPA_PLATFORM still wins."""
import pytest

from conftest import wait_for


@pytest.fixture(scope="session")
def desktop(gnome_desktop):
    """The program's desktop in this module is GNOME's."""
    return gnome_desktop


def window_property(program, *name):
    return program.desktop.run("xprop", "-notype", "-id", program.id, *name,
                               check=True).stdout.partition(" = ")[2].strip()


def test_mutter_frames_the_window_refuses_to_maximise_it_and_closes_it(play):
    program = play()
    # mutter's frame: a title bar above the client area, none at its sides.
    left, right, top, bottom = map(int, window_property(program, "_NET_FRAME_EXTENTS").split(","))
    assert (left, right, bottom) == (0, 0, 0) and top > 0
    # The class by which GNOME finds the menu entry (desktop_test reads the
    # entry), and an icon.
    assert window_property(program, "WM_CLASS") == '"marvesto", "org.marvesto.Marvesto"'
    assert window_property(program, "32c", "_NET_WM_ICON")
    actions = window_property(program, "_NET_WM_ALLOWED_ACTIONS")
    assert "_NET_WM_ACTION_CLOSE" in actions and "MAXIMIZE" not in actions, actions

    place = program.box(program.window)
    program.desktop.run("wmctrl", "-i", "-r", program.id, "-b", "add,maximized_vert,maximized_horz",
                        check=True)
    # mutter takes requests in order: once the window is kept above the
    # others, the request to maximise it has been dealt with.
    program.desktop.run("wmctrl", "-i", "-r", program.id, "-b", "add,above", check=True)
    state = wait_for(lambda: "_NET_WM_STATE_ABOVE" in window_property(program, "_NET_WM_STATE")
                     and window_property(program, "_NET_WM_STATE"), "mutter to keep it above")
    assert "MAXIMIZED" not in state, state
    assert program.box(program.window) == place

    program.close()
    assert program.end() == 0


def test_the_platform_the_player_names_wins(play):
    """Qt on Wayland, drawing its own frame, as the player asked."""
    program = play(QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1")
    assert "xdg_wm_base@" in program.written() and ".get_toplevel(" in program.written()
