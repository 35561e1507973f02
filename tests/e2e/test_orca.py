"""What a blind user hears: the real program with the Orca screen reader
Debian ships, speaking through speech-dispatcher and espeak-ng into a null
sound device. What Orca says is read from its debug log ("SPEECH OUTPUT"
lines); keys go through the X server as a user types them, and each step
waits for what Orca says of it before the next."""

import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from quantelo_e2e import (
    LINE_TO_NEUTRAL, MAIN_TITLE, SINGLE_PHASE, ProgramTestCase, key)

SPEECH_TIMEOUT = 20.0  # Orca speaks within a second; a loaded machine lags
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'\s*\{")


def descendants(pid):
    """The processes below `pid`, children before their own."""
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as children:
            below = [int(child) for child in children.read().split()]
    except (OSError, ValueError):
        return []
    return [p for child in below for p in [child] + descendants(child)]


class Orca:
    """One Orca for the whole module, in a home folder of its own."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="quantelo-orca-")
        self.log_path = os.path.join(self.home, "orca-debug.out")
        self.process = None

    def start(self):
        # No sound card here: speech-dispatcher plays into ALSA's null
        # device, and would otherwise block on the missing card, stalling
        # Orca in the middle of an utterance. Its own default output
        # (PulseAudio) is not running either.
        with open(os.path.join(self.home, ".asoundrc"), "w") as asoundrc:
            asoundrc.write("pcm.!default { type null }\n")
        config = os.path.join(self.home, "config")
        os.makedirs(os.path.join(config, "speech-dispatcher"))
        with open(os.path.join(config, "speech-dispatcher", "speechd.conf"),
                  "w") as speechd:
            speechd.write('AudioOutputMethod "alsa"\n'
                          'DefaultModule espeak-ng\n')
        env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=config,
                   XDG_DATA_HOME=os.path.join(self.home, "data"),
                   GSETTINGS_BACKEND="memory")
        # Orca writes its log to a terminal, line by line, and script
        # passes each line on to the file at once; written straight into a
        # file, the log would lag by whole blocks. Orca looks for other Orcas
        # of the same user by process name, to refuse to start or to end
        # them: started through the interpreter it is named after that, and
        # sessions side by side (ctest -j, another checkout) leave each
        # other's Orca alone.
        command = shlex.join([sys.executable, shutil.which("orca"),
                              "--debug-file=/dev/stdout"])
        self.process = subprocess.Popen(
            ["script", "-f", "-q", "-c", command, self.log_path],
            env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        self.wait_for("Screen reader on.", 0, timeout=60)

    def stop(self):
        if self.process is not None:
            # script runs Orca through a shell in a session of its own (the
            # terminal's), so neither script's process group nor its own
            # children need include Orca: every process below script is
            # ended, Orca first asked to.
            below = descendants(self.process.pid)
            for pid in below:
                try:
                    os.kill(pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                pass
            for pid in below:
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait(5)
        speechd_pid = os.path.join(os.environ["XDG_RUNTIME_DIR"],
                                   "speech-dispatcher", "pid",
                                   "speech-dispatcher.pid")
        if os.path.exists(speechd_pid):
            with open(speechd_pid) as pid_file:
                try:
                    os.kill(int(pid_file.read().strip()), signal.SIGKILL)
                except (ValueError, ProcessLookupError):
                    pass
        shutil.rmtree(self.home, ignore_errors=True)

    def spoken(self):
        """Everything Orca has said, one utterance a row."""
        try:
            with open(self.log_path, encoding="utf-8",
                      errors="replace") as log:
                return [m.group(1) for m in SPEECH.finditer(log.read())]
        except FileNotFoundError:
            return []

    def mark(self):
        return len(self.spoken())

    def wait_for(self, utterance, since, timeout=SPEECH_TIMEOUT):
        """Waits until Orca has said `utterance` (blanks runs counted as
        one) after the first `since` utterances; returns the utterances up
        to it."""
        wanted = " ".join(utterance.split())
        deadline = time.monotonic() + timeout
        while True:
            said = self.spoken()[since:]
            for i, text in enumerate(said):
                if " ".join(text.split()) == wanted:
                    return said[:i + 1]
            if time.monotonic() > deadline:
                if self.process.poll() is not None:
                    detail = "Orca has ended"
                else:
                    detail = f"it said {said!r}"
                raise AssertionError(
                    f"Orca did not say {utterance!r} within {timeout} s; "
                    f"{detail}")
            time.sleep(0.05)


orca = Orca()


def setUpModule():
    for tool in ("orca", "speech-dispatcher", "script"):
        if shutil.which(tool) is None:
            raise RuntimeError(f"{tool} is missing for the Orca tests "
                               "(scripts/test installs it)")
    try:
        orca.start()
    except BaseException:
        orca.stop()
        raise


def tearDownModule():
    orca.stop()


class WhatOrcaSays(ProgramTestCase):

    def setUp(self):
        self.started = orca.mark()  # what Orca says from the program's start
        super().setUp()

    def says(self, action, *utterances):
        """Presses the keys `action` lists (or calls it) and waits for each
        utterance in turn."""
        since = orca.mark()
        if callable(action):
            action()
        elif action:
            key(*action)
        for utterance in utterances:
            said = orca.wait_for(utterance, since)
            since += len(said)
        return since

    def open_typed(self, calculator, volts, amps, pf):
        self.program.active_window(MAIN_TITLE)
        opened = []
        self.says(lambda: opened.append(
                      self.program.open_calculator(calculator)),
                  f"{calculator.volts_box} text.")
        # The power-factor box is read with the range shown beside it.
        self.says(lambda: self.fill(opened[0], calculator, volts, amps, pf),
                  "Power Factor text.", "Valid PF Values 0.00 to 1.00.")
        return opened[0]

    def test_main_window_tab_stops(self):
        self.program.active_window(MAIN_TITLE)
        orca.wait_for("Real and Apparent Power 1 Phase push button.",
                      self.started)
        for name in ("Real and Apparent Power 3 Ph - Line to Line Voltage "
                     "push button.",
                     "Real and Apparent Power 3 Ph - Line to Neutral Voltage "
                     "push button.",
                     "Title picture image.",
                     "Real and Apparent Power 1 Phase push button."):
            self.says(["Tab"], name)

    def test_good_solve_then_tab_onto_a_result(self):
        window = self.open_typed(SINGLE_PHASE, "230", "10", "0.8")
        self.says(["alt+s"], "Clear push button.",
                  "notification Real power 1.8 kW, apparent power 2.3 kVA.")
        window.wait_focus("Clear")
        self.says(["Tab"], "Back to Main Page push button.")
        # The whole value, its last digit included.
        self.says(["Tab"], "Apparent Power (S), kVA text.", "2.3 selected.")

    def test_empty_current_box(self):
        self.open_typed(SINGLE_PHASE, "230", "", "0.8")
        self.says(["alt+s"], "Clear push button.",
                  "notification Enter Current.")

    def test_power_factor_out_of_range_then_ok(self):
        self.open_typed(SINGLE_PHASE, "230", "10", "1.5")
        self.says(["alt+s"], "alert Quantelo1.",
                  "PF value should be between 0.00 and 1.00",
                  "OK push button.")
        self.says(["Return"], "notification Enter Power Factor.")

    def test_result_over_the_limit(self):
        self.open_typed(LINE_TO_NEUTRAL, "400000", "1000", "0.5")
        self.says(["alt+s"], "Clear push button.",
                  "notification Real power 600000.0 kW, apparent power "
                  "1200000.0 kVA. exceeded allocated value 9.99x10^5.")
        self.says(["Tab"], "Back to Main Page push button.")
        # The flag is read with the flagged box.
        self.says(["Tab"], "Apparent Power (S), kVA text.",
                  "1200000.0 selected.",
                  "exceeded allocated value 9.99x10^5.")

    def test_title_bar_in_a_calculator(self):
        self.open_typed(SINGLE_PHASE, "", "", "")
        self.says(["Insert+KP_Enter"], SINGLE_PHASE.title)
