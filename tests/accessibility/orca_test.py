#!/usr/bin/python3
"""Types the rows of TABLE into the active cTallix window with XTest, one key
at a time, and reads what Orca says from its debug log (orca_test.sh starts
everything). A row passes when, within WAIT seconds of its key, Orca's new
"SPEECH OUTPUT" lines hold the row's words, and the first line that completes
them is stamped at most LIMIT seconds after the key was sent (flat review's
keys: FLAT_REVIEW_LIMIT).
Usage: orca_test.py ORCA_LOG ORCA_OUTPUT"""
import datetime
import re
import subprocess
import sys
import time

# One row a key: the key as xdotool names it, then the words Orca must say
# after it. "{A..B}" in the words makes one row a number from A to B, the same
# key in each; keys "K1, K2" with words "W1 / W2" type K1 then K2 for each.
TABLE = """
# 12.5 x 3 = 37.5; at start no control has the focus. Flat review (the
# keypad) reads the focused control's line, every upper slot away from the
# beam, which Orca keeps until an event tells it of a change.
Tab          | Column 9, upper slot away from the beam
KP_Up        | not selected Column 0, upper slot away from the beam: bead
Right        | Column {8..2}, upper slot away from the beam
Down         | Column 2, upper slot next to the beam
Down         | Column 2, lower slot {0..1}
space        | Column 2, lower slot 1: gap; the column reads 1
Right        | Column 1, lower slot 1
Down         | Column 1, lower slot 2
Return       | Column 1, lower slot 2: gap; the column reads 2
Right        | Column 0, lower slot 2
Up           | Column 0, lower slot {1..0}
shift+space  | Column 0, lower slot 0: gap; the column reads 5
# Flat review reads the right press's upper slot changed, and checked ("selected"
# where a slot holds the gap): from lower slot 0's line up by the markers and
# the slots next to the beam.
KP_Up        | bead selected Column 0, lower slot 0: gap
KP_Home      | Column 0: 5
KP_Home      | not selected Column 0, upper slot next to the beam: bead
KP_Home      | bead selected Column 0, upper slot away from the beam: gap
Tab          | Column 9: 0
Right        | Column {8..3}: 0
Right        | Column 2: 1
Right        | Column 1: 2
space        | Decimal point after column 1; the frame reads 12.5
Tab          | Beam: the frame reads 12.5
Tab          | Multiply
space        | Running result: 12.5
shift+Tab    | Beam: the frame reads 0.0
shift+Tab    | Column 1: 0
shift+Tab    | Column 0, lower slot 0
Left         | Column 1, lower slot 0
Down         | Column 1, lower slot {1..3}
space        | Column 1, lower slot 3: gap; the column reads 3
Tab          | Column 1: 3
Tab          | Beam: the frame reads 3.0
Tab          | Multiply
Right        | Divide
Right        | Equals
Return       | Result: 37.5
# 99999 x 99999 = 9999800001; the clear puts the point after column 0.
Right        | Clear
space        | Everything is cleared
shift+Tab    | Beam: the frame reads 0
shift+Tab    | Column 1: 0
shift+Tab    | Column 1, lower slot 3
Down         | Column 1, lower slot 4
shift+space  | Column 1, lower slot 4: gap; the column reads 9
Right        | Column 0, lower slot 4
shift+Return | Column 0, lower slot 4: gap; the column reads 9
Left         | Column 1, lower slot 4
Left, shift+space | Column {2..4}, lower slot 4 / Column {2..4}, lower slot 4: gap; the column reads 9
Tab          | Column 1: 9
Tab          | Beam: the frame reads 99999
Tab          | Clear
Left         | Equals
Left         | Divide
Left         | Multiply
space        | Running result: 99999
shift+Tab    | Beam: the frame reads 0
shift+Tab    | Column 1: 0
shift+Tab    | Column 4, lower slot 4
shift+space  | Column 4, lower slot 4: gap; the column reads 9
Right, shift+space | Column {3..0}, lower slot 4 / Column {3..0}, lower slot 4: gap; the column reads 9
Tab          | Column 1: 9
Tab          | Beam: the frame reads 99999
Tab          | Multiply
Right        | Divide
Right        | Equals
space        | Result: 9999800001
# Flat review reads the result in the slots and markers it changed.
KP_Up        | Equals
KP_Page_Up   | Top rail
KP_Page_Up   | gap selected Column 5, upper slot away from the beam: gap
KP_Page_Up   | bead not selected Column 5, upper slot next to the beam: bead
KP_Page_Up   | Column 5: 8
# 5 / 0 = is refused; then the rails show the hints, a hint hides them, Tab
# wraps round past them to the frame, and the beam clears.
Right        | Clear
Return       | Everything is cleared
shift+Tab    | Beam: the frame reads 0
shift+Tab    | Column 1: 0
shift+Tab    | Column 0, lower slot 4
Up           | Column 0, lower slot {3..0}
shift+space  | Column 0, lower slot 0: gap; the column reads 5
Tab          | Column 1: 0
Tab          | Beam: the frame reads 5
Tab          | Clear
Left         | Equals
Left         | Divide
space        | Running result: 5
Right        | Equals
space        | Refused. Everything is cleared
Tab          | Top rail
Down         | Bottom rail
space        | Hints shown
Tab          | Hint under column 9: blank
space        | Hints hidden
shift+Tab    | Bottom rail
Tab          | Column 0, lower slot 0
Tab          | Column 1: 0
Tab          | Beam: the frame reads 0
space        | The frame reads 0
"""
WAIT, LIMIT, QUIET = 3.0, 0.5, 0.3  # seconds
# Entering flat review (a keypad key) Orca reads every control of the window
# first: 0.3 to 0.5 s for Orca 43, up to 1.5 s for Orca 48 after a result laid
# over every column renewed most of them. Those rows judge what is read.
FLAT_REVIEW_LIMIT = 2.5
STOP_AFTER = 3  # failed rows in a row: the rows after them start from a state not planned
SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*?)'(?: voice=\S+)? ?\[?\{'")
RANGE = re.compile(r"\{(\d+)\.\.(\d+)\}")
# Orca's lines that tell why an event went unspoken.
WHY = re.compile(r"due to flood|Pruning|other than the locusOfFocus|bad content|Could not process")


class Log:
    """Orca's debug log as it grows, in whole lines."""

    def __init__(self, path):
        self.file = open(path, encoding="utf-8", errors="replace")
        self.partial = ""
        self.why = []  # the WHY lines speech() has passed over

    def lines(self):
        self.partial += self.file.read()
        *whole, self.partial = self.partial.split("\n")
        return whole

    def speech(self):
        """The new spoken lines: the time of day Orca stamped each with, and the text."""
        for line in self.lines():
            if m := SPEECH.match(line):
                yield int(m[1]) * 3600 + int(m[2]) * 60 + float(m[3]), m[4]
            elif WHY.search(line):
                self.why.append(line.strip())


def seconds_of_day():
    now = datetime.datetime.now()
    return now.hour * 3600 + now.minute * 60 + now.second + now.microsecond / 1e6


def ready(log, out_path):
    """Waits (up to 30 s) until Orca has presented the cTallix window and its
    event loop runs (Orca 43 logs when it starts it; Orca 48 does not, and is
    given a second), then until it has been silent for QUIET seconds."""
    seen, started, end = None, False, time.monotonic() + 30
    while time.monotonic() < end and not (seen and (started or time.monotonic() - seen > 1)):
        for line in log.lines():
            if seen is None and SPEECH.match(line) and "cTallix" in line:
                seen = time.monotonic()
            started |= "ORCA: Starting registry" in line
        time.sleep(0.05)
    if seen is None:
        print("FAIL: Orca did not present the cTallix window within 30 s")
        print(open(out_path, errors="replace").read(), end="")
        return False
    quiet(log)
    return True


def quiet(log):
    """Reads speech until none has come for QUIET seconds (at most WAIT)."""
    said, last, end = [], time.monotonic(), time.monotonic() + WAIT
    while time.monotonic() - last < QUIET and time.monotonic() < end:
        new = [text for _, text in log.speech()]
        if new:
            said += new
            last = time.monotonic()
        time.sleep(0.01)
    return said


def row(log, key, words):
    """Sends KEY; returns what Orca said and the delay to WORDS (None where
    they never came)."""
    log.why = []
    sent = seconds_of_day()
    subprocess.run(["xdotool", "key", key], check=True)
    said, delay, end = [], None, time.monotonic() + WAIT
    while delay is None and time.monotonic() < end:
        for stamp, text in log.speech():
            said.append(text)
            if delay is None and words in " ".join(said):
                delay = (stamp - sent) % 86400
        time.sleep(0.01)
    return said + quiet(log), delay


def rows():
    """TABLE's rows, each (key, words), a range written out."""
    for line in TABLE.splitlines():
        if line and not line.startswith("#"):
            keys, words = (part.strip() for part in line.split("|"))
            a, b = map(int, RANGE.search(words).groups()) if RANGE.search(words) else (0, 0)
            step = 1 if b >= a else -1
            for n in range(a, b + step, step):
                for key, said in zip(keys.split(", "), RANGE.sub(str(n), words).split(" / ")):
                    yield key, said


def main():
    log = Log(sys.argv[1])
    if not ready(log, sys.argv[2]):
        return 1
    table = list(rows())
    failures, in_a_row, slowest = [], 0, 0.0
    for number, (key, words) in enumerate(table, 1):
        said, delay = row(log, key, words)
        failure = None
        if delay is None:
            failure = "never said %r" % words
        elif delay > (limit := FLAT_REVIEW_LIMIT if key.startswith("KP_") else LIMIT):
            failure = "said %r after %d ms, over %d ms" % (words, delay * 1000, limit * 1000)
        else:
            slowest = max(slowest, delay)
        shown = "-" if delay is None else "%d ms" % (delay * 1000)
        print("%3d %-12s %6s  %s" % (number, key, shown, " / ".join(said) or "(nothing)"))
        if failure:
            print("    FAIL: " + failure)
            for line in log.why[:6]:
                print("      orca: " + line)
            failures.append("row %d (%s): %s" % (number, key, failure))
        sys.stdout.flush()
        in_a_row = in_a_row + 1 if failure else 0
        if in_a_row == STOP_AFTER:
            break
    print("%d of %d rows typed, %d failed; slowest passing row %d ms"
          % (number, len(table), len(failures), slowest * 1000))
    if in_a_row == STOP_AFTER:
        print("FAIL: stopped after %d failed rows in a row" % STOP_AFTER)
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


sys.exit(main())
