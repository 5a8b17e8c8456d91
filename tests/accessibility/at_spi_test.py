# The window through AT-SPI, for what the Orca test does not show (started by
# at_spi_test.sh): accessibility turned on after the program has started, the
# program's words in each language (Qt's role names as its own catalogue has
# them), the events each kind of press sends, hit-testing, actions in a burst,
# and the tooltip.
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


# The window's children: lower slots (column k, item i at 5k+i), the upper
# slots away from the beam (50+k), the top rail (70), the beam (72), the
# markers (73+k), the heading (83), the display line (84), the four buttons,
# the announcer, and while they show the hint labels (90+k).
LOWER, AWAY, TOP, BEAM, MARKER, HEADING, DISPLAY, HINT = 0, 50, 70, 72, 73, 83, 84, 90
BUTTON = {"x": 85, "/": 86, "=": 87, "C": 88}
ANNOUNCER = 89

WORDS = {  # the program's words in each language the test runs it in
    "": ("Beam: the frame reads {}", "Result: {}", "Refused. Everything is cleared.", "Multiply"),
    "ja": ("梁: そろばんの数は {}", "答え: {}", "できません。すべてクリアしました。", "掛け算"),
    "zh_TW": ("梁：算盤上的數是 {}", "結果：{}", "無法計算，已全部清除。", "乘"),
    "zh_CN": ("梁：算盘上的数是 {}", "结果：{}", "无法计算，已全部清除。", "乘"),
    "de": ("Balken: das Rechenbrett zeigt {}", "Ergebnis: {}", "Abgelehnt. Alles ist gelöscht.",
           "Multiplizieren"),
}[language]
BEAM_SAYS, RESULT, REFUSED, MULTIPLY = WORDS

said, sent = [], [0]


def listen(e):
    sent[0] += 1  # every event the program sends, as Orca would queue it
    try:  # an object gone before its event is read is lost on a screen reader
        role, name = e.source.getRoleName(), e.source.name
    except GLib.Error:
        check(False, f"{e.type} came from an object already gone")
        return
    if e.type == "object:announcement" or (e.type.endswith("showing") and role == "notification"
                                           and e.detail1):
        said.append(e.any_data if e.type == "object:announcement" else name)


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
session = Gio.bus_get_sync(Gio.BusType.SESSION)
session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled" if language else "IsEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)
if not check(pump(10, program), "the program never appeared on the accessibility bus"):
    sys.exit(1)
window = program()[0]
# Read afresh at every use: a press gives the controls it changed new objects.
control = window.getChildAtIndex
names = [control(i).name for i in range(ANNOUNCER)]
check(window.getRoleName() == "frame" and window.childCount == 90 and len(set(names)) == 89 and
      [control(i).getRoleName() for i in (HEADING, ANNOUNCER)] == ["heading", "notification"],
      f"{window.childCount} children, {len(set(names))} distinct names, or other roles")

# Qt's own words, the role names, are in the program's language: asked of the
# program over the bus (libatspi 2.49 and later name roles itself, in the
# client's language) and looked up in Qt's catalogue (lconvert reads it back).
address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                            GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None)[0]
a11y = Gio.DBusConnection.new_for_address_sync(
    address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
role = a11y.call_sync(control(LOWER).app.bus_name, control(LOWER).path, "org.a11y.atspi.Accessible",
                      "GetLocalizedRoleName", None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE,
                      5000, None)[0]
qt = "radio button"
if language:
    ts = subprocess.run(["/usr/lib/qt6/bin/lconvert", "-i", f"/usr/share/qt6/translations/qtbase_{language}.qm",
                         "-of", "ts", "-o", "-"], capture_output=True, text=True, timeout=30).stdout
    qt = next((m.findtext("translation") for m in
               ET.fromstring(ts).iterfind("context[name='QSpiAccessibleBridge']/message")
               if m.findtext("source") == qt), None)
check(role == qt and qt, f"a slot is a {role}, not a {qt}")


def act(*indices):
    for i in indices:
        control(i).queryAction().doAction(0)


counts = {}


def press(kind, *indices):
    """Acts, waits until the events stop coming, and keeps the most events
    one press of `kind` sent: never more than 25, or Orca (which drops
    events beyond 50 waiting) would lose some when presses follow quickly."""
    for i in indices:
        pump(0.1)
        sent[0] = 0
        act(i)
        pump(0.2)
        counts[kind] = max(counts.get(kind, 0), sent[0])
        check(sent[0] <= 25, f"a press of {kind} sent {sent[0]} events")


def enter(digits, kind="slot"):
    """Enters digits on a cleared frame, the last in column 0: a click on the
    upper slot away from the beam for a digit of 5 or more, then a press on
    the lower slot of its remainder."""
    for k, d in enumerate(reversed([int(c) for c in digits])):
        press(kind, *([AWAY + k] if d >= 5 else []), LOWER + 5 * k + d % 5)


def announced(words, number):
    """`number` (or the refusal) announced and read on the beam, afresh."""
    check(pump(5, lambda: said and said[-1] == words.format(number)), f"announced {said}, not {number}")
    check(number == "" or control(BEAM).name == BEAM_SAYS.format(number),
          f"the beam says {control(BEAM).name}")
    del said[:]


def hit_test(what):
    """Every showing control is what the point in its middle finds, on the
    screen and in the window."""
    box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for i in (i for i in range(window.childCount) if i != ANNOUNCER):
        c = control(i)
        if not c.getState().contains(pyatspi.STATE_SHOWING):
            continue
        s = c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        w = c.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        x, y = s.x + s.width // 2, s.y + s.height // 2
        found = [window.queryComponent().getAccessibleAtPoint(x, y, pyatspi.DESKTOP_COORDS),
                 window.queryComponent().getAccessibleAtPoint(x - box.x, y - box.y, pyatspi.WINDOW_COORDS)]
        check(all(f is not None and f.getIndexInParent() == i for f in found) and
              (w.x, w.y) == (s.x - box.x, s.y - box.y), f"{what}: the middle of {c.name} finds {found}")


hit_test("hints hidden")
press("rail", TOP)
hit_test("hints shown")

# Every kind of press, a ten-digit result laid over every column and a
# refused division among them.
press("marker", MARKER + 2)
enter("150")
press("multiply", BUTTON["x"])
check(control(DISPLAY).queryText().getText(0, -1) == "1.5", "the display line does not read 1.5")
enter("300")
press("equals", BUTTON["="])
announced(RESULT, "4.50")
press("beam", BEAM)
press("clear", BUTTON["C"])
enter("99999"), press("multiply", BUTTON["x"]), enter("99999"), press("equals", BUTTON["="])
announced(RESULT, "9999800001")
enter("5"), press("divide", BUTTON["/"]), press("equals", BUTTON["="])
announced(REFUSED, "")
print("at_spi: most events a press sent:", ", ".join(f"{k} {n}" for k, n in counts.items()))

# 12 x 3 = in one burst of actions, none waiting for the window.
act(LOWER + 5 + 1, LOWER + 2, BUTTON["x"], LOWER + 3, BUTTON["="])
announced(RESULT, "36")
check(control(HINT).name.endswith("6") and control(HINT + 9).name != control(HINT).name,
      f"the hint under column 0 says {control(HINT).name}")

# The pointer resting on the multiply button shows its tooltip.
box = control(BUTTON["x"]).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
for dx in (4, 6):
    pyatspi.Registry.generateMouseEvent(box.x + dx, box.y + dx, "abs")
tips = lambda: [c.name for c in program() if c.getRoleName() == "tool tip"]
check(pump(5, tips) and tips() == [MULTIPLY], f"the multiply button's tooltip: {tips()}")

print(f"at_spi: {failures} failures")
sys.exit(1 if failures else 0)
