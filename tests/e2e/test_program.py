"""The whole program seen from outside: start-up, the three calculators,
their commands and messages, moving between the windows, closing them."""

import os
import subprocess
import time
import unittest

import pyatspi

from quantelo_e2e import (
    assert_frame_centred,
    AMPS_BOX, APPARENT_BOX, BUTTON_1PH, BUTTON_LL, BUTTON_LN, CALCULATORS,
    LINE_TO_LINE, LINE_TO_NEUTRAL, MAIN_TITLE, MESSAGE_TITLE, PF_BOX,
    PICTURE, REAL_BOX, SINGLE_PHASE, TYPICAL_RUNS, ProgramTestCase,
    active_window_id, children, click_at, client_geometry, descendants, extents, key,
    luminance, names, run, screenshot, text_of, type_text, wait_until,
    window_ids)

SCREEN = (1920, 1200)  # run-session.sh
CLIENT = (714, 471)
OVER_LIMIT = "exceeded allocated value 9.99x10^5"
EMPTY = ("", "", "", "", "")


class StartUp(ProgramTestCase):

    def test_only_the_main_window_opens_centred_focus_on_first_button(self):
        main = self.program.active_window(MAIN_TITLE)
        self.assertEqual(self.program.window_titles(), [MAIN_TITLE])
        self.assertEqual(len(window_ids(MAIN_TITLE)), 1)
        x, y, width, height = client_geometry(window_ids(MAIN_TITLE)[0])
        self.assertEqual((width, height), CLIENT)
        assert_frame_centred(self, window_ids(MAIN_TITLE)[0], SCREEN)
        main.wait_focus(BUTTON_1PH)
        buttons = [a for a in children(main.accessible)
                   if a.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        top_to_bottom = sorted(buttons, key=lambda b: extents(b)[1])
        self.assertEqual([b.name for b in top_to_bottom],
                         [BUTTON_1PH, BUTTON_LL, BUTTON_LN])

    def test_tab_cycles_through_the_main_window(self):
        main = self.program.active_window(MAIN_TITLE)
        main.wait_focus(BUTTON_1PH)
        for expected in (BUTTON_LL, BUTTON_LN, PICTURE, BUTTON_1PH):
            key("Tab")
            main.wait_focus(expected)

    def test_each_calculator_opens_over_the_main_window(self):
        main_geometry = client_geometry(window_ids(MAIN_TITLE)[0])
        for how in ("key", "click"):
            for calculator in CALCULATORS:
                with self.subTest(calculator=calculator, how=how):
                    window = self.program.open_calculator(calculator, how)
                    window.wait_focus(calculator.volts_box)
                    self.assertEqual(self.program.window_titles(),
                                     sorted([MAIN_TITLE, calculator.title]))
                    (window_id,) = window_ids(calculator.title)
                    self.assertEqual(client_geometry(window_id), main_geometry)
                    self.assertEqual(window.texts(*names(calculator)), EMPTY)
                    self.assertEqual(window.status("Input Values"),
                                     "Input status")
                    self.assertEqual(window.status("Result"), "Result status")
                    self.program.close(calculator.title)


class Typing(ProgramTestCase):

    def test_typing_limits_and_keys_that_run_no_command(self):
        for calculator in CALCULATORS:
            with self.subTest(calculator=calculator):
                window = self.program.open_calculator(calculator)
                self.fill(window, calculator, "1234567", "7654321", "0.8555")
                # Enter and Esc in a box: no default or cancel button.
                key("Return", "Escape", "Tab")
                window.wait_focus("Solve")
                key("Tab", "Tab", "Tab")
                window.wait_focus(calculator.tab_results[0])
                type_text("123456789")
                key("Tab")
                window.wait_focus(calculator.tab_results[1])
                type_text("987654321")
                key("Tab")
                window.wait_focus(calculator.volts_box)
                typed = {calculator.tab_results[0]: "123456789",
                         calculator.tab_results[1]: "987654321"}
                limit = calculator.result_limit
                self.assertEqual(
                    window.texts(*names(calculator)),
                    ("123456", "765432", "0.85", typed[REAL_BOX][:limit],
                     typed[APPARENT_BOX][:limit]))
                self.assertEqual(window.status("Input Values"), "Input status")
                self.program.close(calculator.title)

    def test_tab_order(self):
        for calculator in CALCULATORS:
            with self.subTest(calculator=calculator):
                window = self.program.open_calculator(calculator)
                window.wait_focus(calculator.volts_box)
                for expected in (AMPS_BOX, PF_BOX, "Solve", "Clear",
                                 "Back to Main Page", *calculator.tab_results,
                                 calculator.volts_box):
                    key("Tab")
                    window.wait_focus(expected)
                key("shift+Tab")
                window.wait_focus(calculator.tab_results[1])
                self.program.close(calculator.title)


class TextSource:
    """The other program: a plain text editor holding `text`, on the top
    left of the screen (the calculators open in the middle)."""

    def __init__(self, text):
        self.process = subprocess.Popen(
            [os.environ["QUANTELO_TEXT_SOURCE"], text],
            env=dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                     QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        (self.window_id,) = wait_until("the text source window",
                                       lambda: window_ids("Text source"))
        self.editor = wait_until("the text source on the bus", self._find)

    def _find(self):
        for app in children(pyatspi.Registry.getDesktop(0)):
            if app is not None and app.get_process_id() == self.process.pid:
                for a in descendants(app):
                    if a.getRole() == pyatspi.ROLE_TEXT:
                        return a
        return None

    def text(self):
        return text_of(self.editor)

    def select_all(self):
        run("xdotool", "windowactivate", "--sync", str(self.window_id))
        x, y, width, height = extents(self.editor)
        click_at(x + width // 2, y + height // 2)
        key("ctrl+a")
        return x + 6, y + 12  # on the selected first line

    def stop(self):
        self.process.terminate()
        self.process.wait(5)


class OtherPrograms(ProgramTestCase):

    def test_drags_and_the_selection_from_another_program(self):
        # Into the single-phase voltage box (6 characters) holding `before`
        # by a real drag or a middle click (the X11 selection): what the box
        # shows, and the source keeps its text. A drop is a copy, so nothing
        # the box refused or trimmed is lost.
        rows = (
            ("drag into a full box", "drag", "123456", "55555", "123456"),
            ("drag trimmed", "drag", "1234", "5678", "123456"),
            ("middle click trimmed", "middle", "12345", "6789", "123456"),
            ("middle click of look-alikes", "middle", "",
             "\u0662\u034f\u0663\u00a0\u0660", "23 0"),
        )
        calculator = SINGLE_PHASE
        for case, route, before, dragged, after in rows:
            with self.subTest(case=case):
                window = self.program.open_calculator(calculator)
                window.wait_focus(calculator.volts_box)
                type_text(before)
                window.wait_text(calculator.volts_box, before)
                source = TextSource(dragged)
                self.addCleanup(source.stop)
                x, y = source.select_all()
                bx, by, bw, bh = extents(window.box(calculator.volts_box))
                target = (bx + bw - 4, by + bh // 2)
                if route == "drag":
                    run("xdotool", "mousemove", str(x), str(y), "mousedown", "1")
                    for step in range(1, 11):
                        time.sleep(0.05)
                        run("xdotool", "mousemove",
                            str(x + (target[0] - x) * step // 10),
                            str(y + (target[1] - y) * step // 10))
                    time.sleep(0.3)
                    run("xdotool", "mousemove", str(target[0] + 1),
                        str(target[1]))
                    time.sleep(0.3)
                    run("xdotool", "mouseup", "1")
                else:
                    run("xdotool", "mousemove", str(target[0]),
                        str(target[1]), "click", "2")
                window.wait_text(calculator.volts_box, after)
                time.sleep(0.3)
                self.assertEqual(source.text(), dragged)
                source.stop()
                self.program.close(calculator.title)

class Commands(ProgramTestCase):

    def test_typical_run_then_clear(self):
        # Each row solves and clears another way: access key, mouse click,
        # or Space and Enter on the focused button.
        ways = {
            LINE_TO_NEUTRAL: ("alt+s", "click"),
            LINE_TO_LINE: ("click", "alt+c"),
            SINGLE_PHASE: ("space", "Return"),
        }
        for calculator, inputs, (real, apparent, pf) in TYPICAL_RUNS:
            solve_way, clear_way = ways[calculator]
            with self.subTest(calculator=calculator, solve=solve_way,
                              clear=clear_way):
                window = self.program.open_calculator(calculator)
                self.fill(window, calculator, *inputs)
                if solve_way == "click":
                    self.program.click(window.button("Solve"))
                elif solve_way == "space":
                    key("Tab")
                    window.wait_focus("Solve")
                    key("space")
                else:
                    key(solve_way)
                self.assert_results(window, real, apparent, pf)
                window.wait_focus("Clear")
                self.assertEqual(window.texts(calculator.volts_box, AMPS_BOX),
                                 inputs[:2])
                self.assertEqual(window.status("Input Values"), "Input status")
                self.assertEqual(window.status("Result"), "Result status")

                if clear_way == "click":
                    self.program.click(window.button("Clear"))
                else:
                    key(clear_way)
                window.wait_text(calculator.volts_box, "")
                self.assertEqual(window.texts(*names(calculator)), EMPTY)
                window.wait_focus("Clear")
                key("alt+b")
                self.program.active_window(MAIN_TITLE)

    def test_access_keys_work_wherever_the_focus_is(self):
        # calculator, Tab presses from the voltage box, key, what shows it ran
        rows = (
            (SINGLE_PHASE, 6, "alt+s", "solve"),   # in a result box
            (LINE_TO_NEUTRAL, 0, "alt+c", "clear"),  # in the voltage box
            (LINE_TO_LINE, 3, "alt+b", "back"),    # on Solve
        )
        for calculator, tabs, access_key, effect in rows:
            with self.subTest(calculator=calculator, key=access_key):
                window = self.program.open_calculator(calculator)
                self.fill(window, calculator, "230", "10", "0.8")
                key("shift+Tab", "shift+Tab", *["Tab"] * tabs)
                order = (calculator.volts_box, AMPS_BOX, PF_BOX, "Solve",
                         "Clear", "Back to Main Page", *calculator.tab_results)
                window.wait_focus(order[tabs])
                key(access_key)
                if effect == "solve":
                    self.assert_results(window, "1.8", "2.3", "0.80")
                elif effect == "clear":
                    window.wait_text(calculator.volts_box, "")
                    self.assertEqual(window.texts(*names(calculator)), EMPTY)
                else:
                    self.program.active_window(MAIN_TITLE)
                self.program.close(calculator.title)

    def test_power_factor_out_of_range_shows_a_message_box(self):
        rows = (
            (LINE_TO_NEUTRAL, "-0.5", "Enter PF value between 0.00 and 1.00 ",
             "Return"),
            (SINGLE_PHASE, "1.5", "PF value should be between 0.00 and 1.00 ",
             "click"),
            (LINE_TO_LINE, "1.5", "PF value should be between 0.00 and 1.00 ",
             "space"),
        )
        for calculator, pf, message, answer in rows:
            with self.subTest(calculator=calculator, pf=pf, answer=answer):
                window = self.program.open_calculator(calculator)
                self.fill(window, calculator, "230", "10", pf)
                key("alt+s")
                box = self.program.dialog()
                self.assertEqual(box.title, MESSAGE_TITLE)
                parts = [(a.getRole(), a.name)
                         for a in descendants(box.accessible)]
                self.assertIn((pyatspi.ROLE_LABEL, message), parts)
                buttons = [name for role, name in parts
                           if role == pyatspi.ROLE_PUSH_BUTTON]
                self.assertEqual(buttons, ["OK"])
                # Behind the box Solve has already emptied the window.
                self.assertEqual(window.status("Input Values"),
                                 "Invalid PF value")
                self.assertEqual(window.texts(*names(calculator)), EMPTY)

                if answer == "click":
                    self.program.click(box.button("OK"))
                else:
                    key(answer)
                window.wait_status("Input Values", "Enter Power Factor")
                self.assertNotIn(MESSAGE_TITLE, self.program.window_titles())
                self.assertEqual(window.texts(*names(calculator)), EMPTY)
                self.assertEqual(window.status("Result"), "Result status")
                self.program.active_window(calculator.title)
                window.wait_focus("Clear")
                self.program.close(calculator.title)

    def test_results_over_the_limit_are_shown_whole_and_flagged(self):
        window = self.program.open_calculator(LINE_TO_NEUTRAL)
        self.fill(window, LINE_TO_NEUTRAL, "400000", "1000", "0.5")
        key("alt+s")
        self.assert_results(window, "600000.0", "1200000.0", "0.50")
        window.wait_status("Result", OVER_LIMIT)
        self.assertEqual(window.status("Input Values"), "Input status")
        self.assert_backgrounds(window, real_dark=False, apparent_dark=True)

        # A run within the limit keeps the message and the colour.
        for box, text in ((LINE_TO_NEUTRAL.volts_box, "230"),
                          (AMPS_BOX, "10"), (PF_BOX, "0.8")):
            self.program.click(window.box(box))
            window.wait_focus(box)
            key("ctrl+a")
            type_text(text)
            window.wait_text(box, text)
        key("alt+s")
        window.wait_text(REAL_BOX, "5.5")
        self.assertEqual(window.texts(APPARENT_BOX, PF_BOX), ("6.9", "0.80"))
        self.assertEqual(window.status("Result"), OVER_LIMIT)
        self.assert_backgrounds(window, real_dark=False, apparent_dark=True)

        key("alt+c")
        window.wait_status("Result", "Result status")
        self.assertEqual(window.texts(*names(LINE_TO_NEUTRAL)), EMPTY)
        self.assert_backgrounds(window, real_dark=False, apparent_dark=False)

    def assert_backgrounds(self, window, real_dark, apparent_dark):
        for box, dark in ((REAL_BOX, real_dark),
                          (APPARENT_BOX, apparent_dark)):
            x, y, width, height = extents(window.box(box))
            # Inside the border, below the text line: background only.
            pixels = screenshot(x + 4, y + height - 6, width - 8, 3)
            level = max(luminance(rgb) for row in pixels for rgb in row)
            if dark:
                self.assertLess(level, 0.1, f"{box} should be dark")
            else:
                self.assertGreater(level, 0.5, f"{box} should be light")

    def test_input_status_stays_after_a_corrected_run(self):
        window = self.program.open_calculator(LINE_TO_NEUTRAL)
        self.fill(window, LINE_TO_NEUTRAL, "", "10", "0.8")
        key("alt+s")
        window.wait_status("Input Values", "Enter Voltage")
        self.assertEqual(window.texts(*names(LINE_TO_NEUTRAL)),
                         ("", "10", "0.80", "", ""))
        self.program.click(window.box(LINE_TO_NEUTRAL.volts_box))
        window.wait_focus(LINE_TO_NEUTRAL.volts_box)
        type_text("230")
        window.wait_text(LINE_TO_NEUTRAL.volts_box, "230")
        key("alt+s")
        self.assert_results(window, "5.5", "6.9", "0.80")
        self.assertEqual(window.status("Input Values"), "Enter Voltage")
        self.assertEqual(window.status("Result"), "Result status")


class Navigation(ProgramTestCase):

    def test_back_and_forth_keeps_each_calculators_contents(self):
        entered = {}
        for calculator, inputs, outputs in TYPICAL_RUNS:
            window = self.program.open_calculator(calculator, how="click")
            self.fill(window, calculator, *inputs)
            key("alt+s")
            self.assert_results(window, *outputs)
            entered[calculator] = window.texts(*names(calculator))
            key("alt+b")
            self.program.active_window(MAIN_TITLE)
            (main_id,) = window_ids(MAIN_TITLE)
            wait_until("the main window in front in the window manager",
                       lambda: active_window_id() == main_id)
        self.assertEqual(self.program.window_titles(),
                         sorted([MAIN_TITLE] + [c.title for c in CALCULATORS]))

        for calculator in CALCULATORS:
            with self.subTest(calculator=calculator):
                window = self.program.open_calculator(calculator)
                self.assertEqual(window.texts(*names(calculator)),
                                 entered[calculator])
                window.wait_focus("Clear")  # where Solve left it
                self.assertEqual(len(window_ids(calculator.title)), 1)
                key("alt+b")
                self.program.active_window(MAIN_TITLE)
        self.assertEqual(len(self.program.window_titles()), 4)

    def test_a_closed_calculator_comes_back_empty(self):
        for calculator, inputs, outputs in TYPICAL_RUNS:
            with self.subTest(calculator=calculator):
                window = self.program.open_calculator(calculator)
                self.fill(window, calculator, *inputs)
                key("alt+s")
                self.assert_results(window, *outputs)
                self.program.close(calculator.title)
                self.assertEqual(self.program.window_titles(), [MAIN_TITLE])
                window = self.program.open_calculator(calculator)
                window.wait_focus(calculator.volts_box)
                self.assertEqual(window.texts(*names(calculator)), EMPTY)
                self.assertEqual(window.status("Input Values"), "Input status")
                self.program.close(calculator.title)

    def test_back_recreates_a_closed_main_window(self):
        window = self.program.open_calculator(LINE_TO_NEUTRAL)
        self.fill(window, LINE_TO_NEUTRAL, "230", "10", "0.8")
        self.program.close(MAIN_TITLE)
        self.assertEqual(self.program.window_titles(), [LINE_TO_NEUTRAL.title])
        self.assertIsNone(self.program.process.poll())
        self.program.activate(LINE_TO_NEUTRAL.title)
        key("alt+b")
        main = self.program.active_window(MAIN_TITLE)
        main.wait_focus(BUTTON_1PH)
        self.assertEqual(len(window_ids(MAIN_TITLE)), 1)
        self.assertEqual(window.texts(*names(LINE_TO_NEUTRAL)),
                         ("230", "10", "0.8", "", ""))

    def test_a_minimised_target_comes_back_in_front(self):
        # minimised, how it is shown again
        rows = ((MAIN_TITLE, "back"), (LINE_TO_NEUTRAL.title, "open"))
        for minimised, how in rows:
            with self.subTest(minimised=minimised, how=how):
                window = self.program.open_calculator(LINE_TO_NEUTRAL)
                window.wait_focus(LINE_TO_NEUTRAL.volts_box)
                if how == "open":
                    key("alt+b")
                    self.program.active_window(MAIN_TITLE)
                (window_id,) = window_ids(minimised)
                run("xdotool", "windowminimize", "--sync", str(window_id))
                wait_until("the window minimised",
                           lambda: not window_ids(minimised))
                if how == "back":
                    self.program.activate(LINE_TO_NEUTRAL.title)
                    key("alt+b")
                else:
                    self.program.activate(MAIN_TITLE)
                    key(LINE_TO_NEUTRAL.access_key)
                self.program.active_window(minimised)
                wait_until("the window on screen and in front",
                           lambda: window_ids(minimised) == [window_id]
                           and active_window_id() == window_id)
                self.program.close(LINE_TO_NEUTRAL.title)

    def test_a_window_destroyed_by_another_program(self):
        # Destroyed (XDestroyWindow from another X connection) with or
        # without the message box of its Solve open.
        for with_box in (False, True):
            with self.subTest(with_box=with_box):
                self.restart()
                if with_box:
                    window, _ = self.open_rejected_power_factor(SINGLE_PHASE)
                    calculator = SINGLE_PHASE
                else:
                    calculator = LINE_TO_NEUTRAL
                    window = self.program.open_calculator(calculator)
                    self.fill(window, calculator, "230", "10", "0.8")
                (window_id,) = window_ids(calculator.title)
                run("xdotool", "windowclose", str(window_id))
                self.program.wait_gone(calculator.title)
                wait_until("the message box gone with its window",
                           lambda: MESSAGE_TITLE
                           not in self.program.window_titles())
                self.assertIsNone(self.program.process.poll(),
                                  self.program.output())
                # The next open makes a new window, in its initial state ...
                window = self.program.open_calculator(calculator)
                window.wait_focus(calculator.volts_box)
                self.assertEqual(window.texts(*names(calculator)), EMPTY)
                self.assertEqual(window.status("Input Values"),
                                 "Input status")
                # ... and the program still ends with its last window.
                self.program.close(calculator.title)
                self.assertEqual(self.program.close_last(MAIN_TITLE), 0,
                                 self.program.output())
                self.program.stop()

    def test_the_program_ends_with_its_last_window(self):
        rows = (
            ("main window alone", (), (MAIN_TITLE,)),
            ("calculator last", (LINE_TO_LINE,),
             (MAIN_TITLE, LINE_TO_LINE.title)),
            ("main window last", (SINGLE_PHASE,),
             (SINGLE_PHASE.title, MAIN_TITLE)),
        )
        for case, opened, closing_order in rows:
            with self.subTest(case=case):
                if self.program.process is None:
                    self.program.start()
                for calculator in opened:
                    self.program.open_calculator(calculator)
                    key("alt+b")
                    self.program.active_window(MAIN_TITLE)
                for title in closing_order[:-1]:
                    self.program.close(title)
                    self.assertIsNone(self.program.process.poll())
                self.assertEqual(self.program.close_last(closing_order[-1]), 0,
                                 self.program.output())
                self.program.stop()


if __name__ == "__main__":
    unittest.main()
