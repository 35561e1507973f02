"""The program on a Wayland compositor through Qt's native Wayland platform
plugin: open a calculator, solve a typical case, read the results back.

Input goes through the accessibility bus (the press action of a button, the
editable text of a box): under Wayland no client can send keystrokes to
another one, and a headless compositor has no keyboard focus to give. The
screenshot is the compositor's own (weston-screenshooter), trimmed to the
windows; QUANTELO_SCREENSHOT names where it is saved.
"""

import glob
import os
import subprocess
import tempfile
import time
import unittest

from quantelo_e2e import (
    AMPS_BOX, APPARENT_BOX, BUTTON_1PH, MAIN_TITLE, PF_BOX, REAL_BOX,
    SINGLE_PHASE, TIMEOUT, Program, press, set_text)


def compositor_screenshot(path):
    """Saves what the compositor shows, trimmed to the windows."""
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["weston-screenshooter"], cwd=folder, check=True,
                       timeout=TIMEOUT)
        (shot,) = glob.glob(os.path.join(folder, "*.png"))
        subprocess.run(["convert", shot, "-trim", "+repage", path],
                       check=True, timeout=TIMEOUT)


class NativeWayland(unittest.TestCase):

    def setUp(self):
        # No X display in this session: the wayland plugin or nothing.
        self.program = Program({"QT_QPA_PLATFORM": "wayland"})
        self.addCleanup(self.program.stop)
        self.program.start()

    def test_single_phase_typical_run(self):
        main = self.program.window(MAIN_TITLE)
        press(main.button(BUTTON_1PH))
        window = self.program.window(SINGLE_PHASE.title)
        for box, text in ((SINGLE_PHASE.volts_box, "230"), (AMPS_BOX, "10"),
                          (PF_BOX, "0.8")):
            set_text(window.box(box), text)
        press(window.button("Solve"))
        window.wait_text(REAL_BOX, "1.8")
        self.assertEqual(window.texts(REAL_BOX, APPARENT_BOX, PF_BOX),
                         ("1.8", "2.3", "0.80"))
        self.assertEqual(window.status("Input Values"), "Input status")
        self.assertEqual(window.status("Result"), "Result status")
        self.assertEqual(self.program.window_titles(),
                         sorted([MAIN_TITLE, SINGLE_PHASE.title]))
        self.assertIn(MAIN_TITLE, [w.name for w in self.program.windows()])
        path = os.environ.get("QUANTELO_SCREENSHOT")
        if path:
            time.sleep(0.5)  # the compositor repaints on its next frame
            compositor_screenshot(path)


if __name__ == "__main__":
    unittest.main()
