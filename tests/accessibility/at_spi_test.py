# The window as a screen reader sees it through AT-SPI (started by
# at_spi_test.sh). It turns accessibility on after the program has started,
# finds the program, reads the frame column by column from the slots and
# whole from the beam, calculates by actions alone and hears the results
# announced, counts the events each kind of press sends, hit-tests every
# showing control, and sends a burst of actions.
# Usage: at_spi_test.py PID [LANGUAGE]
import subprocess
import sys
import time
import xml.etree.ElementTree as ET

import pyatspi
from gi.repository import Gio, GLib

pid, language = int(sys.argv[1]), sys.argv[2] if len(sys.argv) > 2 else ""
failures = 0


def check(ok, what):
    global failures
    if not ok:
        print("FAIL:", what)
        failures += 1
    return ok


# The children of the window, in the layout's order: lower slots (column k,
# item i at 5k+i), the upper slots away from the beam (50+k) and next to it
# (60+k), the top and bottom rails, the beam, the markers (73+k), the heading,
# the display line, the four buttons, the announcer, and while they show the
# hint labels (90+k).
LOWER, AWAY, NEXT, TOP, BOTTOM, BEAM, MARKER, HEADING, DISPLAY, HINT = 0, 50, 60, 70, 71, 72, 73, 83, 84, 90
BUTTON = {"x": 85, "/": 86, "=": 87, "C": 88}
ANNOUNCER = 89

# Words of the program in each language the test runs it in.
WORDS = {
    "": {"beam": "Beam: the frame reads {}", "marker": "Column {}: {}", "result": "Result: {}",
         "gap": "Column {}, lower slot {}: gap", "multiply": "Multiply",
         "refused": "Refused. Everything is cleared."},
    "ja": {"beam": "梁: そろばんの数は {}", "marker": "第{}桁: {}", "result": "答え: {}",
           "gap": "第{}桁 下の{}番: すき間", "multiply": "掛け算",
           "refused": "できません。すべてクリアしました。"},
    "zh_TW": {"beam": "梁：算盤上的數是 {}", "marker": "第{}檔：{}", "result": "結果：{}",
              "gap": "第{}檔 下方第{}格：空位", "multiply": "乘",
              "refused": "無法計算，已全部清除。"},
    "zh_CN": {"beam": "梁：算盘上的数是 {}", "marker": "第{}档：{}", "result": "结果：{}",
              "gap": "第{}档 下方第{}格：空位", "multiply": "乘",
              "refused": "无法计算，已全部清除。"},
    "de": {"beam": "Balken: das Rechenbrett zeigt {}", "marker": "Stab {}: {}",
           "result": "Ergebnis: {}", "gap": "Stab {}, unteres Feld {}: Lücke",
           "multiply": "Multiplizieren", "refused": "Abgelehnt. Alles ist gelöscht."},
}[language]

events, sent = [], [0]


def listen(e):
    sent[0] += 1  # every event the program sends, as Orca would queue it
    try:  # an object gone before its event is read is lost on a screen reader
        role, name = e.source.getRoleName(), e.source.name
    except GLib.Error:
        check(False, f"{e.type} came from an object already gone")
        return
    if e.type == "object:announcement":
        events.append((e.type, "", e.any_data, 1))
    elif e.type.startswith(("object:state-changed:showing", "object:property-change:accessible-name",
                            "object:state-changed:checked")):
        events.append((e.type, role, name, e.detail1))


pyatspi.Registry.registerEventListener(listen, "object", "window", "focus")


def pump(seconds, done=lambda: False):
    end = time.monotonic() + seconds
    while not done() and time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.01)
    return done()


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


# Accessibility is turned on now, after the program started: by the switch a
# screen reader turns (Orca's ScreenReaderEnabled) in the translated runs, by
# the general one (IsEnabled) in English.
Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
    "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
    GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled" if language else "IsEnabled",
                           GLib.Variant("b", True))),
    None, Gio.DBusCallFlags.NONE, 5000, None)
if not check(pump(10, program), "the program never appeared on the accessibility bus"):
    sys.exit(1)
window = program()[0]
check(window.getRoleName() == "frame" and window.name == "cTallix", "the window is not a frame")


class Controls:
    """The window's children as they are now: a press may give the controls
    it changed new accessible objects, which a client must read afresh."""
    def __getitem__(self, i):
        return window[i]

    def __len__(self):
        return window.childCount


controls = Controls()
names = [controls[i].name for i in range(ANNOUNCER)]
check(len(controls) == 90 and all(names) and len(set(names)) == 89,
      f"{len(controls)} children, {len(set(names))} distinct names")
check([controls[i].getRoleName() for i in (HEADING, ANNOUNCER)] == ["heading", "notification"],
      "the heading or the announcer has another role")


def qt_words(source, context="QSpiAccessibleBridge"):
    """`source` as Qt's own catalogue for the language has it (lconvert reads
    the .qm back as .ts); English without a language."""
    if not language:
        return source
    ts = subprocess.run(["/usr/lib/qt6/bin/lconvert", "-i", f"/usr/share/qt6/translations/qtbase_{language}.qm",
                         "-of", "ts", "-o", "-"], capture_output=True, text=True, timeout=30).stdout
    for message in ET.fromstring(ts).iterfind(f"context[name='{context}']/message"):
        if message.findtext("source") == source:
            return message.findtext("translation")
    return None


def program_says_role(accessible):
    """The localized role name as the program answers it over the
    accessibility bus (libatspi 2.49 and later name roles itself, in the
    client's language, from its own catalogue)."""
    address = Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, GLib.VariantType("(s)"),
        Gio.DBusCallFlags.NONE, 5000, None)[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
    return bus.call_sync(accessible.app.bus_name, accessible.path, "org.a11y.atspi.Accessible",
                         "GetLocalizedRoleName", None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE,
                         5000, None)[0]


# Qt's own words, the role names, are in the program's language.
said, qt = program_says_role(controls[LOWER]), qt_words("radio button")
check(said == qt and qt, f"a slot is a {said}, not a {qt}")


def act(*indices):
    for i in indices:
        controls[i].queryAction().doAction(0)


counts = {}


def press(kind, *indices):
    """Acts, waits until the events stop coming, and keeps the most events
    one press of `kind` sent: never more than 25, or Orca (which drops
    events beyond 50 waiting) would lose some when presses follow quickly."""
    for i in indices:
        pump(0.3)
        sent[0] = 0
        act(i)
        pump(0.3)
        counts[kind] = max(counts.get(kind, 0), sent[0])
        check(sent[0] <= 25, f"a press of {kind} sent {sent[0]} events")


def enter(digits):
    """Enters digits on a cleared frame, the last in column 0: a click on the
    upper slot away from the beam for a digit of 5 or more, then a press on
    the lower slot of its remainder."""
    for k, d in enumerate(reversed([int(c) for c in digits])):
        act(*([AWAY + k] if d >= 5 else []), LOWER + 5 * k + d % 5)


def checked(i):
    return controls[i].getState().contains(pyatspi.STATE_CHECKED)


def frame():
    """The frame's digits read off the slots' states, column 9 first, and the
    decimal column, checking that each half has exactly one gap."""
    digits = ""
    for k in range(9, -1, -1):
        gaps = [i for i in range(5) if checked(LOWER + 5 * k + i)]
        upper = [checked(AWAY + k), checked(NEXT + k)]
        check(len(gaps) == 1 and upper.count(True) == 1, f"column {k}: gaps {gaps}, {upper}")
        digits += str(gaps[0] + 5 * upper[0]) if gaps else "?"
    markers = [k for k in range(10) if checked(MARKER + k)]
    return digits, markers


def reads(number, digits, dot):
    """The frame shows `digits` with the point after column `dot`, and says
    `number` on the beam, each column's digit on its marker."""
    check(frame() == (digits, [dot]), f"the slots read {frame()}, not {digits} at {dot}")
    check(controls[BEAM].name == WORDS["beam"].format(number), f"the beam says {controls[BEAM].name}")
    for k in range(10):
        said = WORDS["marker"].format(k, digits[9 - k])
        check(controls[MARKER + k].name == said, f"marker {k} says {controls[MARKER + k].name}")


def announced(number):
    """The result, or the refusal, announced once since the last time: a
    notification shown (Qt 6.4) or an announcement (Qt 6.8)."""
    result = number if number == WORDS["refused"] else WORDS["result"].format(number)
    said = lambda: [e[2] for e in events if e[0] == "object:announcement" or
                    (e[0].endswith("showing") and e[1] == "notification" and e[3])]
    check(pump(5, lambda: result in said()) and said()[-1] == result,
          f"announced {said()}, not {result}")
    del events[:]


def heard(what, *names):
    """The names a change of `what` makes the window say: name-change events."""
    said = lambda: {e[2] for e in events if e[0].endswith("accessible-name")}
    check(pump(5, lambda: set(names) <= said()), f"{what}: heard {said()}, not all of {names}")


def hit_test(what):
    """Every showing control is what the point in its middle finds, on the
    screen and in the window."""
    box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for i, c in enumerate(controls[i] for i in range(len(controls))):
        if i == ANNOUNCER:
            continue
        if not c.getState().contains(pyatspi.STATE_SHOWING):
            continue
        s = c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        w = c.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        x, y = s.x + s.width // 2, s.y + s.height // 2
        on_screen = window.queryComponent().getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS)
        in_window = window.queryComponent().getAccessibleAtPoint(x - box.x, y - box.y,
                                                                 pyatspi.WINDOW_COORDS)
        check(on_screen is not None and on_screen.getIndexInParent() == i and
              in_window is not None and in_window.getIndexInParent() == i,
              f"{what}: the middle of {c.name} finds {on_screen and on_screen.name}")
        check((w.x, w.y) == (s.x - box.x, s.y - box.y), f"{c.name} is at {w.x},{w.y} in the window")


hit_test("hints hidden")
press("rail", TOP)
hit_test("hints shown")
check(controls[DISPLAY].queryText().getText(0, -1) == "0", "the display line has no text 0")

# 1.50 x 3 = with two decimals, step by step, read back at each step.
press("marker", MARKER + 2)
enter("150")
reads("1.50", "0000000150", 2)
press("multiply", BUTTON["x"])
check(controls[DISPLAY].queryText().getText(0, -1) == "1.5", "the display line does not read 1.5")
del events[:]
press("slot", LOWER + 5 * 2 + 3)
heard("a bead press", WORDS["gap"].format(2, 3), WORDS["marker"].format(2, 3), WORDS["beam"].format("3.00"))
press("equals", BUTTON["="])
announced("4.50")
reads("4.50", "0000000450", 2)
check(controls[DISPLAY].queryText().getText(0, -1) == "", "the display line is not empty")

# What changed away from the press is read afresh: after clearing, the reset,
# a ten-digit result laid over every column, and a refused division.
press("beam", BEAM)
reads("0.00", "0000000000", 2)
enter("7")
press("clear", BUTTON["C"])
reads("0", "0000000000", 0)
enter("99999"), press("multiply", BUTTON["x"]), enter("99999"), press("equals", BUTTON["="])
announced("9999800001")
reads("9999800001", "9999800001", 0)
enter("5"), press("divide", BUTTON["/"]), press("equals", BUTTON["="])
announced(WORDS["refused"])
reads("0", "0000000000", 0)
print("at_spi: most events a press sent:", ", ".join(f"{k} {n}" for k, n in counts.items()))

# 12 x 3 = in one burst of actions, none waiting for the window.
del events[:]
enter("12"), act(BUTTON["x"]), enter("3"), act(BUTTON["="])
announced("36")
reads("36", "0000000036", 0)
check(controls[HINT].name.endswith("6") and controls[HINT + 9].name != controls[HINT].name,
      f"the hint under column 0 says {controls[HINT].name}")
check(controls[BUTTON["x"]].name == WORDS["multiply"], f"the multiply button says {controls[BUTTON['x']].name}")

# The pointer resting on the multiply button shows its tooltip.
box = controls[BUTTON["x"]].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
for dx in (4, 6):
    pyatspi.Registry.generateMouseEvent(box.x + dx, box.y + dx, "abs")
tips = lambda: [c.name for c in program() if c.getRoleName() == "tool tip"]
check(pump(5, tips) and tips() == [WORDS["multiply"]], f"the multiply button's tooltip: {tips()}")

print(f"at_spi: {failures} failures")
sys.exit(1 if failures else 0)
