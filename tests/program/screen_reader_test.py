"""A blind player's game: Debian's screen reader, Orca, on the desktop, the
game played by keyboard alone. What the player hears is what Orca says, read
from its log: each piece of news once, as it happens, and nothing else."""
from conftest import showing, wait_for


def test_orca_tells_every_step_of_a_game_played_by_keyboard(play, screen_reader, tmp_path):
    (tmp_path / "Print.txt").write_bytes(b" 1234\r\n")
    program = play()
    heard = []

    def hears(*expected):
        """Orca says exactly these lines, in this order, and nothing before
        the last of them."""
        wait_for(lambda: heard.extend(screen_reader.said()) or expected[-1] in heard,
                 lambda: f"Orca to say {expected[-1]!r}; it said {heard}")
        assert heard == list(expected)
        heard.clear()

    def shown_prizes():
        return {" ".join(label.name.split()) for label in program.ladder() if showing(label)}

    def opens(k):
        """Space opens case k; the prize it held is the ladder label struck off."""
        before = shown_prizes()
        program.key("space")
        wait_for(lambda: not program.showing(f"CASE {k}"), f"case {k} to open")
        [prize] = before - shown_prizes()
        return f"notification {prize}."

    hears("Marvesto? frame.", "notification HISCORE: 1234.", "CASE 1 push button.")
    program.key("space")
    hears("space", "notification CASE 1.", "CASE 2 push button.")
    program.key("Tab")
    hears("tab", "CASE 3 push button.")
    for k in (3, 4, 5, 6):
        prize = opens(k)
        hears("space", prize, f"CASE {k + 1} push button.")
    # The sixth case brings the first offer.
    prize = opens(7)
    offer = program.label("offer").name
    hears("space", prize, f"notification {offer}.", "Press D to take the offer.",
          "CASE 8 push button.")
    amount = offer.removeprefix("OFFER: $ ")
    program.key("d")
    hears("d", f"notification YOU WIN!! $ {amount}.", "notification CLICK TO END YOUR SESSION!",
          "Press Return, Enter or Space to end the session.", "Marvesto? frame.")
    # The press alone ends the game (see the keyboard game in real_program_test).
    program.key("Return", "keydown")
    assert program.end() == 0
    program.desktop.run("xdotool", "keyup", "Return", check=True)
    hears("return")
    screen_reader.stop()
    assert screen_reader.said() == []
    assert (tmp_path / "Print.txt").read_bytes() == f" {amount}\r\n".encode()
