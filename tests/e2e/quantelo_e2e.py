"""Drives the real Quantelo-Power from outside, as a user and a screen reader.

Keystrokes and clicks go through xdotool to the X server; what the program
shows is read back through the accessibility bus (pyatspi) and, for colours,
from screenshots (ImageMagick). run-session.sh provides the desktop session.
Every wait has a timeout; every program started here is ended here.
"""

import os
import signal
import subprocess
import tempfile
import time
import unittest
import warnings

import pyatspi

# pyatspi calls libatspi functions that newer versions mark as deprecated.
warnings.filterwarnings("ignore", category=DeprecationWarning)

TIMEOUT = 10.0  # seconds for anything the program should do at once
POLL = 0.05

MAIN_TITLE = ("Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph "
              "and 3 Ph  Installations")
BUTTON_1PH = "Real and Apparent Power 1 Phase"
BUTTON_LL = "Real and Apparent Power 3 Ph - Line to Line Voltage"
BUTTON_LN = "Real and Apparent Power 3 Ph - Line to Neutral Voltage"
PICTURE = "Title picture"
MESSAGE_TITLE = "Quantelo1"


class Calculator:
    """What the tests need to know of one calculator window."""

    def __init__(self, key, title, button, access_key, volts_box,
                 result_limit, tab_results):
        self.key = key
        self.title = title
        self.button = button
        self.access_key = access_key
        self.volts_box = volts_box
        self.result_limit = result_limit
        self.tab_results = tab_results

    def __repr__(self):
        return self.key


AMPS_BOX = "Current, Amps"
PF_BOX = "Power Factor"
REAL_BOX = "Real Power (P), kW"
APPARENT_BOX = "Apparent Power (S), kVA"

LINE_TO_LINE = Calculator(
    "line-to-line",
    "Kestrova's Quantelo -3Ph- Real-Apparent Power - "
    "( Star-Delta Balanced Connections)",
    BUTTON_LL, "alt+e", "Voltage L-L, Volts", 7, (REAL_BOX, APPARENT_BOX))
LINE_TO_NEUTRAL = Calculator(
    "line-to-neutral",
    "Kestrova's Quantelo -3Ph- Real-Apparent Power - L - N",
    BUTTON_LN, "alt+a", "Voltage L-N, Volts", 8, (APPARENT_BOX, REAL_BOX))
SINGLE_PHASE = Calculator(
    "single-phase",
    "Kestrova's Quantelo - Real-Apparent Power - 1 Phase -  L- N  Voltage",
    BUTTON_1PH, "alt+r", "Voltage L-N, Volts", 7, (APPARENT_BOX, REAL_BOX))
CALCULATORS = (LINE_TO_LINE, LINE_TO_NEUTRAL, SINGLE_PHASE)

# A typical run in each window: inputs and the texts Solve shows.
TYPICAL_RUNS = (
    (LINE_TO_NEUTRAL, ("230", "10", "0.8"), ("5.5", "6.9", "0.80")),
    (LINE_TO_LINE, ("400", "10", "0.85"), ("5.9", "6.9", "0.85")),
    (SINGLE_PHASE, ("230", "10", "0.8"), ("1.8", "2.3", "0.80")),
)


def wait_until(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns a true value and returns that value."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except Exception as error:  # the tree changes under our feet
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise AssertionError(
                f"timed out after {timeout} s waiting for {what}{detail}")
        time.sleep(POLL)


def run(*command, timeout=TIMEOUT):
    return subprocess.run(command, check=True, capture_output=True,
                          text=True, timeout=timeout).stdout


# --- Real input through the X server -------------------------------------

def key(*keys):
    run("xdotool", "key", "--delay", "40", *keys)


def type_text(text):
    run("xdotool", "type", "--delay", "40", "--", text)


def active_window_id():
    return int(run("xdotool", "getactivewindow").strip())


def click_at(x, y):
    """A real mouse click at a screen point, in device pixels. (Without
    --sync: xdotool would wait for ever for a move to where the pointer is.)"""
    run("xdotool", "mousemove", str(x), str(y), "click", "1")


def window_ids(title):
    """X ids of the visible windows with exactly this title."""
    pattern = "".join("\\" + c if c in ".[]{}()\\*+?^$|" else c for c in title)
    result = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", f"^{pattern}$"],
        capture_output=True, text=True, timeout=TIMEOUT)
    return [int(line) for line in result.stdout.split()]


def client_geometry(window_id):
    """Screen position and size of a window's client area (xwininfo)."""
    fields = {}
    for line in run("xwininfo", "-id", str(window_id)).splitlines():
        name, _, value = line.strip().partition(":")
        fields[name] = value.strip()
    return (int(fields["Absolute upper-left X"]),
            int(fields["Absolute upper-left Y"]),
            int(fields["Width"]), int(fields["Height"]))


def frame_geometry(window_id):
    """Screen position and size of a window with its frame and title bar: the
    client area grown by the frame extents the window manager reports
    (_NET_FRAME_EXTENTS: left, right, top, bottom)."""
    x, y, width, height = client_geometry(window_id)
    value = run("xprop", "-id", str(window_id), "_NET_FRAME_EXTENTS")
    left, right, top, bottom = (int(n) for n in value.split("=")[1].split(","))
    return x - left, y - top, width + left + right, height + top + bottom


def assert_frame_centred(test, window_id, screen):
    """The window's frame lies in the middle of the screen, within a pixel,
    and the window manager gave it a title bar."""
    x, y, width, height = frame_geometry(window_id)
    client = client_geometry(window_id)
    test.assertGreater(height - client[3], 0, "no frame reported")
    test.assertLessEqual(abs(x - (screen[0] - width) / 2), 1, (x, width))
    test.assertLessEqual(abs(y - (screen[1] - height) / 2), 1, (y, height))


# --- Reading the screen -----------------------------------------------------

def screenshot(x, y, width, height):
    """The pixels of a screen rectangle as rows of (r, g, b) tuples."""
    data = subprocess.run(
        ["import", "-silent", "-window", "root", "-crop",
         f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8", "ppm:-"],
        check=True, capture_output=True, timeout=TIMEOUT).stdout
    # Binary PPM: "P6", width, height, maximum, each followed by one blank.
    fields = data.split(maxsplit=4)
    if fields[0] != b"P6":
        raise AssertionError("import did not give a P6 picture")
    w, h, pixels = int(fields[1]), int(fields[2]), fields[4]
    return [[tuple(pixels[(row * w + col) * 3:(row * w + col) * 3 + 3])
             for col in range(w)] for row in range(h)]


def luminance(rgb):
    """Relative luminance (WCAG 2) of an 8-bit sRGB colour."""
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    light, dark = sorted((luminance(a), luminance(b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def background_and_ink(pixels):
    """The most common colour of a picture and the one that differs most."""
    counts = {}
    for row in pixels:
        for rgb in row:
            counts[rgb] = counts.get(rgb, 0) + 1
    background = max(counts, key=counts.get)
    ink = max(counts, key=lambda rgb: abs(luminance(rgb)
                                          - luminance(background)))
    return background, ink


# --- The accessibility tree -------------------------------------------------

def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def has_state(accessible, state):
    return accessible.getState().contains(state)


def children(accessible):
    return [accessible.getChildAtIndex(i)
            for i in range(accessible.childCount)]


def descendants(accessible):
    for child in children(accessible):
        if child is None:
            continue
        yield child
        yield from descendants(child)


def names(calculator):
    """The five boxes of a calculator, inputs first."""
    return (calculator.volts_box, AMPS_BOX, PF_BOX, REAL_BOX, APPARENT_BOX)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def press(accessible):
    """Runs a control's press action, as a screen reader's user does."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise AssertionError(f"{accessible.name!r} has no press action, "
                             f"only {names}")
    action.doAction(names.index("Press"))


def set_text(accessible, text):
    accessible.queryEditableText().setTextContents(text)
    wait_until(f"{accessible.name!r} to hold {text!r}",
               lambda: accessible.queryText().getText(0, -1) == text)


class Program:
    """One run of the program under test, with its own environment."""

    def __init__(self, env=None):
        self.path = os.environ["QUANTELO_PROGRAM"]
        self.env = dict(os.environ)
        self.env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            # Under the GTK platform theme GTK's own bridge would put a second,
            # empty application with the same process id on the bus.
            "NO_AT_BRIDGE": "1",
        })
        self.env.update(env or {})
        self.process = None
        self.log = None
        self.app = None
        # Qt reports positions and sizes on the accessibility bus in its
        # device-independent pixels; the X server counts device pixels.
        self.scale = float(self.env.get("QT_SCALE_FACTOR", "1"))

    def click(self, accessible):
        """A real mouse click in the middle of a control."""
        x, y, width, height = (round(v * self.scale)
                               for v in extents(accessible))
        click_at(x + width // 2, y + height // 2)

    def start(self):
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen([self.path], env=self.env,
                                        stdout=self.log,
                                        stderr=subprocess.STDOUT)
        self.app = wait_until("the program on the accessibility bus",
                              self._find_app)
        # Fresh values on every read, never libatspi's cached copies.
        self.app.set_cache_mask(0)
        return self

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            if (app is not None and app.get_process_id() == self.process.pid
                    and app.get_toolkit_name() == "Qt"):
                return app
        if self.process.poll() is not None:
            raise RuntimeError(
                f"the program ended with {self.process.returncode}")
        return None

    def output(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def stop(self):
        """Ends the program if it still runs; never waits without end."""
        if self.process is None:
            return
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(5)
        self.log.close()
        self.process = None

    def wait_exit(self, timeout=TIMEOUT):
        return self.process.wait(timeout)

    # Windows

    def windows(self):
        """The program's windows on screen, in the order the tree has them."""
        return [w for w in children(self.app)
                if w is not None and has_state(w, pyatspi.STATE_SHOWING)]

    def window_titles(self):
        return sorted(w.name for w in self.windows())

    def window(self, title, timeout=TIMEOUT):
        def find():
            found = [w for w in self.windows() if w.name == title]
            if len(found) > 1:
                raise AssertionError(f"{len(found)} windows named {title!r}")
            return Window(found[0]) if found else None
        return wait_until(f"window {title!r}", find, timeout)

    def wait_gone(self, title):
        wait_until(f"window {title!r} to close",
                   lambda: title not in self.window_titles())

    def active_window(self, title):
        """Waits until the window with this title is the active one."""
        window = self.window(title)
        wait_until(f"window {title!r} to become active",
                   lambda: has_state(window.accessible, pyatspi.STATE_ACTIVE))
        return window

    def dialog(self, timeout=TIMEOUT):
        def find():
            for w in self.windows():
                if w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT):
                    return Window(w)
            return None
        return wait_until("a message box", find, timeout)

    def close(self, title):
        """Closes a window as a user does: Alt+F4 to the window manager."""
        (window_id,) = window_ids(title)
        run("xdotool", "windowactivate", "--sync", str(window_id),
            "key", "alt+F4")
        self.wait_gone(title)

    def close_last(self, title):
        """Closes the program's last window as close() does, and returns the
        program's exit status once it has ended."""
        (window_id,) = window_ids(title)
        run("xdotool", "windowactivate", "--sync", str(window_id),
            "key", "alt+F4")
        return self.wait_exit()

    def activate(self, title):
        """Brings a window to the front the way a user clicking on its title
        bar does (the window manager does not when another one closes)."""
        window = self.window(title)
        if not has_state(window.accessible, pyatspi.STATE_ACTIVE):
            (window_id,) = window_ids(title)
            run("xdotool", "windowactivate", "--sync", str(window_id))
        return self.active_window(title)

    def open_calculator(self, calculator, how="key"):
        main = self.activate(MAIN_TITLE)
        if how == "key":
            key(calculator.access_key)
        else:
            self.click(main.button(calculator.button))
        return self.active_window(calculator.title)


class Window:
    """A top-level window in the accessibility tree."""

    def __init__(self, accessible):
        self.accessible = accessible

    @property
    def title(self):
        return self.accessible.name

    def find(self, role, name):
        found = [a for a in descendants(self.accessible)
                 if a.getRole() == role and a.name == name]
        if len(found) != 1:
            raise AssertionError(f"{len(found)} controls with role {role} "
                                 f"named {name!r} in {self.title!r}")
        return found[0]

    def box(self, name):
        return self.find(pyatspi.ROLE_TEXT, name)

    def button(self, name):
        return self.find(pyatspi.ROLE_PUSH_BUTTON, name)

    def text(self, name):
        return text_of(self.box(name))

    def texts(self, *names):
        return tuple(self.text(name) for name in names)

    def focused(self):
        """Accessible name of the control with the keyboard focus, or None."""
        for a in descendants(self.accessible):
            if has_state(a, pyatspi.STATE_FOCUSED):
                return a.name
        return None

    def wait_focus(self, name):
        try:
            wait_until(f"focus on {name!r}", lambda: self.focused() == name)
        except AssertionError as error:
            raise AssertionError(
                f"{error}; the focus is on {self.focused()!r} "
                f"in {self.title!r}") from None

    def status(self, frame):
        """The caption of a status label as a screen reader names it, or
        "Input status" / "Result status" while the caption is empty. The input
        status is the rightmost label on the row of the power-factor box, the
        result status the rightmost one on the row of the real-power box."""
        row_box = self.box(PF_BOX if frame == "Input Values" else REAL_BOX)
        _, top, _, height = extents(row_box)
        panel = self.find(pyatspi.ROLE_PANEL, frame)
        on_row = []
        for label in children(panel):
            if label.getRole() != pyatspi.ROLE_LABEL:
                continue
            x, y, _, h = extents(label)
            if y < top + height and top < y + h:
                on_row.append((x, label.name))
        return max(on_row)[1]

    def wait_status(self, frame, name):
        return wait_until(f"{frame} status {name!r}",
                          lambda: self.status(frame) == name)

    def wait_text(self, box, text):
        return wait_until(f"{box!r} showing {text!r}",
                          lambda: self.text(box) == text)


class ProgramTestCase(unittest.TestCase):
    """Starts a program for each test and ends it whatever happens."""

    program_env = {}

    def setUp(self):
        self.program = Program(self.program_env)
        self.addCleanup(self.program.stop)
        self.program.start()

    def fill(self, window, calculator, volts, amps, pf):
        """Types the three inputs the way a user does, Tab between them,
        starting in the voltage box."""
        window.wait_focus(calculator.volts_box)
        for text, box in ((volts, calculator.volts_box), (amps, AMPS_BOX),
                          (pf, PF_BOX)):
            if text:
                type_text(text)
            if box != PF_BOX:
                key("Tab")
        # The focus in the power-factor box after the last Tab means every
        # keystroke before it has been taken.
        window.wait_focus(PF_BOX)

    def restart(self):
        """A fresh run of the program, for the next row of a table."""
        self.program.stop()
        self.program.start()

    def open_rejected_power_factor(self, calculator):
        """A calculator with the message box of a power factor out of range
        open over it, Solve waiting behind it; returns both."""
        window = self.open_calculator_filled(calculator, "230", "10", "1.5")
        key("alt+s")
        box = self.program.dialog()
        window.wait_status("Input Values", "Invalid PF value")
        return window, box

    def open_calculator_filled(self, calculator, volts, amps, pf):
        window = self.program.open_calculator(calculator)
        self.fill(window, calculator, volts, amps, pf)
        return window

    def assert_boxes(self, window, calculator, expected):
        names = (calculator.volts_box, AMPS_BOX, PF_BOX, REAL_BOX,
                 APPARENT_BOX)
        self.assertEqual(dict(zip(names, window.texts(*names))),
                         dict(zip(names, expected)))

    def assert_results(self, window, real, apparent, pf):
        wait_until("the results", lambda: window.text(REAL_BOX) != "")
        self.assertEqual(window.texts(REAL_BOX, APPARENT_BOX, PF_BOX),
                         (real, apparent, pf))

    def typical_runs(self, solve=None):
        """The typical run in each calculator; solve(window) runs Solve."""
        for calculator, inputs, (real, apparent, pf) in TYPICAL_RUNS:
            with self.subTest(calculator=calculator):
                window = self.program.open_calculator(calculator)
                self.fill(window, calculator, *inputs)
                if solve is None:
                    key("alt+s")
                else:
                    solve(window)
                self.assert_results(window, real, apparent, pf)
                window.wait_focus("Clear")
                self.assertEqual(window.status("Input Values"), "Input status")
                self.assertEqual(window.status("Result"), "Result status")
                key("alt+b")
                self.program.active_window(MAIN_TITLE)
