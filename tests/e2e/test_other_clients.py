"""What other clients do to the program on X11: another X client that
destroys or unmaps its windows, and a screen reader that presses buttons
over the accessibility bus behind the modal message box, where keys and
clicks cannot reach."""

import time
import unittest

import pyatspi

from quantelo_e2e import (
    BUTTON_1PH, BUTTON_LL, MAIN_TITLE, MESSAGE_TITLE, PF_BOX, SINGLE_PHASE,
    ProgramTestCase, has_state, names, press, run, set_text, wait_until,
    window_ids)

# How long a press that must do nothing is given to do something: the bus
# presses a button from a timer in the program.
SETTLE = 1.0


class BehindTheBox(ProgramTestCase):

    def test_presses_behind_the_box_change_nothing(self):
        # what is pressed behind the box: a button of the calculator, or
        # one of the main window; with new inputs typed over the bus first
        rows = (
            ("Solve", SINGLE_PHASE.title, None),
            ("Solve", SINGLE_PHASE.title, ("230", "10", "1.5")),
            ("Clear", SINGLE_PHASE.title, None),
            ("Back to Main Page", SINGLE_PHASE.title, None),
            (BUTTON_LL, MAIN_TITLE, None),
            (BUTTON_1PH, MAIN_TITLE, None),
        )
        unpressed = {}
        for button, in_window, retyped in ((None, None, None),
                                           (None, None, ("230", "10", "1.5")),
                                           *rows):
            with self.subTest(button=button, retyped=retyped):
                self.restart()
                window, box = self.open_rejected_power_factor(SINGLE_PHASE)
                if retyped:
                    for name, text in zip(names(SINGLE_PHASE), retyped):
                        set_text(window.box(name), text)
                seen = self.seen(window)
                if button is not None:
                    press(self.program.window(in_window).button(button))
                    time.sleep(SETTLE)
                    self.assertEqual(self.seen(window), seen)
                    self.assertEqual(self.dialogs(), [MESSAGE_TITLE])
                # Solve goes on only after OK, and ends as it does unpressed.
                self.program.click(box.button("OK"))
                wait_until("the message box closed",
                           lambda: not self.dialogs())
                after = self.settled(window)
                if button is None:
                    unpressed[retyped] = after
                else:
                    self.assertEqual(after, unpressed[retyped])

    def dialogs(self):
        return [w.name for w in self.program.windows()
                if w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)]

    def seen(self, window):
        """What the windows show: the calculator's texts and status
        captions, the windows on screen and which of them is active."""
        return (window.texts(*names(SINGLE_PHASE)),
                window.status("Input Values"), window.status("Result"),
                self.program.window_titles(),
                [w.name for w in self.program.windows()
                 if has_state(w, pyatspi.STATE_ACTIVE)])

    def settled(self, window):
        """What the windows show once Solve has gone on after OK."""
        wait_until("Solve to go on",
                   lambda: window.status("Input Values") != "Invalid PF value"
                   or window.text(PF_BOX) != "")
        time.sleep(SETTLE)
        return self.seen(window)


class UnmappedWindows(ProgramTestCase):

    def test_a_window_unmapped_by_another_program(self):
        # Unmapped (xdotool windowunmap) with or without the message box of
        # its Solve open; then shown again from the main window, or the
        # main window closed as the last window on the screen.
        rows = ((False, "show again"), (False, "close the main window"),
                (True, "show again"))
        for with_box, then in rows:
            with self.subTest(with_box=with_box, then=then):
                self.restart()
                if with_box:
                    window, box = self.open_rejected_power_factor(SINGLE_PHASE)
                else:
                    window = self.open_calculator_filled(SINGLE_PHASE, "230",
                                                         "10", "0.8")
                (window_id,) = window_ids(SINGLE_PHASE.title)
                run("xdotool", "windowunmap", "--sync", str(window_id))
                self.program.wait_gone(SINGLE_PHASE.title)
                if with_box:
                    self.program.click(box.button("OK"))
                    wait_until("the message box closed",
                               lambda: MESSAGE_TITLE
                               not in self.program.window_titles())
                if then == "show again":
                    window = self.program.open_calculator(SINGLE_PHASE)
                    self.assertEqual(window_ids(SINGLE_PHASE.title),
                                     [window_id])
                    expected = (("", "", "", "", "") if with_box
                                else ("230", "10", "0.8", "", ""))
                    self.assertEqual(window.texts(*names(SINGLE_PHASE)),
                                     expected)
                    if with_box:
                        self.assertEqual(window.status("Input Values"),
                                         "Enter Power Factor")
                    self.program.close(SINGLE_PHASE.title)
                self.assertEqual(self.program.close_last(MAIN_TITLE), 0,
                                 self.program.output())
                self.program.stop()


if __name__ == "__main__":
    unittest.main()
