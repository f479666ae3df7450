"""Fixtures shared by the tests of the real program, the launcher and the package."""
import os
from pathlib import Path

import pytest


@pytest.fixture(scope="session")
def game() -> Path:
    """The program under test: the one this build tree made."""
    return Path(os.environ["MARVESTO_GAME"])


@pytest.fixture(scope="session")
def source() -> Path:
    """The source tree, for the launcher, the cues and the packaging files."""
    return Path(os.environ["MARVESTO_SOURCE"])
