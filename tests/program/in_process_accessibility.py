"""The window's accessibility tested inside the test process (QtTest), on this
suite's private desktop: Qt tells assistive technology of changes only while
a screen reader is on."""
import os


def test_accessibility_in_the_test_process(desktop):
    run = desktop.run(os.environ["MARVESTO_TESTS"], "AccessibilityTest", timeout=300)
    assert run.returncode == 0, run.stdout + run.stderr
