"""The real program on a player's desktop: a dark theme, a window manager, the
identity a dock reads off the window."""
from PIL import Image

from conftest import DEAL, SOURCE, showing, stop, wait_for

DARK = {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"}
# WCAG's level AA for text.
READABLE = 4.5


def luminance(colour):
    """WCAG's relative luminance of an sRGB colour."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = colour
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)


def contrast(first, second):
    darker, lighter = sorted((luminance(first), luminance(second)))
    return (lighter + 0.05) / (darker + 0.05)


def contrasts(program):
    """For each label shown with a caption: how its text stands out from its
    ground, the commonest colour in its box, taking the text's colour from the
    pixel that stands out most (the core of a glyph, clear of smoothing)."""
    shot = program.screenshot()
    figures = {}
    for place, label in enumerate(program.controls()[26:]):
        if showing(label) and label.name.strip():
            area = shot.crop(program.box(label, relative=True))
            colours = [colour for _, colour in area.getcolors(area.width * area.height)]
            ground = max(area.getcolors(area.width * area.height))[1]
            figures[place] = (label.name, max(contrast(ground, colour) for colour in colours))
    return figures


def every_label(play):
    """The contrast of every label that follows the theme, and of those next
    to them: the ladder and the own case after the first pick, the offer and
    DEAL at the first offer. The first case button's text colour too."""
    program = play()
    button = program.screenshot().crop(program.box(program.control("CASE 1"), relative=True))
    # A label not yet painted shows its ground alone.
    def painted():
        figures = contrasts(program)
        return figures if all(figure > 1 for _, figure in figures.values()) else None
    program.open_cases(1)
    figures = wait_for(painted, lambda: f"the labels painted: {contrasts(program)}")
    program.open_cases(2, 3, 4, 5, 6)
    wait_for(lambda: program.showing(DEAL), "the offer")
    figures.update(wait_for(painted, lambda: f"the labels painted: {contrasts(program)}"))
    # Out of the way of the next window.
    stop(program.process)
    return figures, max(button.getcolors(button.width * button.height))[1]


def test_labels_read_on_their_ground_in_a_dark_theme(play):
    """A dark palette's light button text on the fixed yellow and green is
    replaced by black, and no label reads worse than in the default scheme,
    while the case buttons keep the theme."""
    default, default_button = every_label(play)
    dark, dark_button = every_label(lambda: play(**DARK))
    assert luminance(dark_button) < luminance(default_button) / 2, "the theme was not applied"
    assert dark.keys() == default.keys()
    for place, (name, figure) in dark.items():
        assert figure >= min(READABLE, default[place][1]) * 0.95, \
            f"{name!r} reads at {figure:.2f}:1 on a dark theme, at {default[place][1]:.2f}:1 without"


def window_property(program, *name):
    return program.desktop.run("xprop", "-notype", "-id", program.id, *name, check=True).stdout


def test_window_names_its_menu_entry_carries_its_icon_and_cannot_be_maximised(
        play, request):
    """A dock matches the window to the desktop entry by its class and shows
    the game's icon; openbox offers to maximise only a window that allows it."""
    program = play()
    assert window_property(program, "WM_CLASS").split(" = ")[1].strip() == \
        '"marvesto", "org.marvesto.Marvesto"'
    entry = (SOURCE / "assets/org.marvesto.Marvesto.desktop.in").read_text()
    assert "StartupWMClass=org.marvesto.Marvesto\n" in entry
    # Read before openbox starts: it gives an icon of its own to a window
    # that has none. The program hands it over once its first frame is on
    # screen. Each icon is its width, height and ARGB pixels.
    icons = [int(n, 0) for n in wait_for(
        lambda: window_property(program, "32c", "_NET_WM_ICON").partition(" = ")[2],
        "the window's icon").split(",")]
    carried = {}
    while icons:
        width, height, *icons = icons
        carried[width, height], icons = icons[:width * height], icons[width * height:]
    # Qt keeps the colours premultiplied by their opacity, which rounds them.
    ours = Image.open(SOURCE / "assets/icons/marvesto-32.png").convert("RGBA")
    assert (32, 32) in carried, carried.keys()
    for pixel, (r, g, b, a) in zip(carried[32, 32], ours.getdata()):
        opacity = pixel >> 24
        assert abs(opacity - a) <= 2
        assert all(abs((pixel >> shift & 255) * opacity - channel * a) <= 3 * 255
                   for shift, channel in ((16, r), (8, g), (0, b))), (hex(pixel), r, g, b, a)

    request.getfixturevalue("window_manager")
    actions = wait_for(lambda: window_property(program, "_NET_WM_ALLOWED_ACTIONS")
                       .partition(" = ")[2], "openbox to manage the window")
    assert "_NET_WM_ACTION_CLOSE" in actions and "_NET_WM_ACTION_MINIMIZE" in actions
    assert "MAXIMIZE" not in actions, actions
    # The Motif hints' functions and decorations leave out the maximise bits.
    flags, functions, decorations = (int(n, 0) for n in window_property(
        program, "_MOTIF_WM_HINTS").split(" = ")[1].split(",")[:3])
    assert flags & 3 == 3 and not functions & 0x11 and not decorations & 0x41
