"""The program under other desktop settings, given to it from outside only:
a comma-decimal locale, a scale factor of 2, and a dark colour scheme."""

import subprocess
import unittest

import pyatspi

from quantelo_e2e import (
    assert_frame_centred,
    AMPS_BOX, APPARENT_BOX, CALCULATORS, LINE_TO_NEUTRAL, MAIN_TITLE,
    PF_BOX, REAL_BOX, ProgramTestCase, background_and_ink, click_at,
    client_geometry, contrast, descendants, extents, key, luminance,
    screenshot, type_text, window_ids)

SCREEN = (1920, 1200)  # run-session.sh


class CommaDecimalLocale(ProgramTestCase):
    """Numbers are typed and shown with a point whatever the locale."""

    program_env = {"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8",
                   "LANGUAGE": "de"}

    def setUp(self):
        available = subprocess.run(["locale", "-a"], capture_output=True,
                                   text=True, check=True).stdout.split()
        if "de_DE.utf8" not in available:
            self.fail("the locale de_DE.UTF-8 is not generated "
                      "(scripts/test generates it)")
        super().setUp()

    def test_typical_runs(self):
        self.typical_runs()

    def test_over_the_limit(self):
        window = self.program.open_calculator(LINE_TO_NEUTRAL)
        self.fill(window, LINE_TO_NEUTRAL, "400000", "1000", "0.5")
        key("alt+s")
        self.assert_results(window, "600000.0", "1200000.0", "0.50")
        window.wait_status("Result", "exceeded allocated value 9.99x10^5")


class DoubleScale(ProgramTestCase):
    """QT_SCALE_FACTOR=2: every window twice the size, in proportion."""

    program_env = {"QT_SCALE_FACTOR": "2"}

    def test_windows_are_twice_the_size_and_centred(self):
        titles = [MAIN_TITLE]
        for calculator in CALCULATORS:
            self.program.open_calculator(calculator)
            key("alt+b")
            self.program.active_window(MAIN_TITLE)
            titles.append(calculator.title)
        for title in titles:
            with self.subTest(window=title):
                (window_id,) = window_ids(title)
                x, y, width, height = client_geometry(window_id)
                self.assertEqual((width, height), (1428, 942))
                assert_frame_centred(self, window_id, SCREEN)

    def test_every_box_lies_at_twice_its_place(self):
        # A click just inside two opposite corners of each box, in device
        # pixels at twice the place the accessibility bus gives, then a digit
        # typed: each box must end with the two digits typed after its clicks.
        for calculator in CALCULATORS:
            with self.subTest(calculator=calculator):
                window = self.program.open_calculator(calculator)
                boxes = [a for a in descendants(window.accessible)
                         if a.getRole() == pyatspi.ROLE_TEXT]
                self.assertEqual(len(boxes), 5)
                for box in boxes:
                    x, y, width, height = extents(box)
                    for digit, (cx, cy) in (("1", (x + 2, y + 2)),
                                            ("2", (x + width - 3,
                                                   y + height - 3))):
                        click_at(2 * cx, 2 * cy)
                        type_text(digit)
                        window.wait_text(box.name, "12"[:int(digit)])
                self.assertEqual([window.text(b.name) for b in boxes],
                                 ["12"] * 5)
                self.program.close(calculator.title)

    def test_typical_runs_with_the_mouse(self):
        self.typical_runs(
            solve=lambda window: self.program.click(window.button("Solve")))


class DarkPalette(ProgramTestCase):
    """A dark colour scheme from the desktop (GTK's Adwaita dark, through
    Qt's GTK platform theme): texts whose colours the program leaves to the
    desktop stay readable."""

    program_env = {"QT_QPA_PLATFORMTHEME": "gtk3",
                   "GTK_THEME": "Adwaita:dark"}

    def assert_readable_on_dark(self, accessible, what):
        x, y, width, height = extents(accessible)
        background, ink = background_and_ink(
            screenshot(x + 3, y + 3, width - 6, height - 6))
        self.assertLess(luminance(background), 0.1,
                        f"{what}: background {background} is not dark")
        self.assertGreater(luminance(ink), luminance(background),
                           f"{what}: text {ink} is not light")
        self.assertGreaterEqual(contrast(background, ink), 4.5,
                                f"{what}: {ink} on {background}")

    def test_texts_stay_readable(self):
        window = self.program.open_calculator(LINE_TO_NEUTRAL)
        self.fill(window, LINE_TO_NEUTRAL, "888888", "1", "0.8")
        key("alt+s")
        window.wait_text(REAL_BOX, "2133.3")
        for box in (LINE_TO_NEUTRAL.volts_box, AMPS_BOX, PF_BOX, REAL_BOX,
                    APPARENT_BOX):
            with self.subTest(control=box):
                self.assert_readable_on_dark(window.box(box), box)
        for role, name in ((pyatspi.ROLE_LABEL, "Current"),
                           (pyatspi.ROLE_LABEL, "Volts"),
                           (pyatspi.ROLE_PUSH_BUTTON, "Solve"),
                           (pyatspi.ROLE_PUSH_BUTTON, "Back to Main Page")):
            with self.subTest(control=name):
                self.assert_readable_on_dark(window.find(role, name), name)

    def test_typical_runs(self):
        self.typical_runs()


if __name__ == "__main__":
    unittest.main()
