"""A calculator window as a Linux screen reader reads it over AT-SPI, and its
worked example entered, run and heard through AT-SPI alone: no key, no click.

    accessibility_e2e.py twinoffset|solooffset WINDOW_TITLE X_WINDOW_ID
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM, TITLE, X_WINDOW = sys.argv[1:4]
UPPER, LOWER = "Berekening 1", "Berekening 2"

# Every box in the window's order: role, name, caption as shown, calculation.
ANGLE = [("combo box", "Hoek in graden", "Hoek in graden:", UPPER)]
DIAMETER = [("combo box", "Diameter in mm", "Diameter in mm: ", UPPER)]
UPPER_REST = [
    ("text", "Lengte horizontale- versleping in mm", "Lengte horizontale- versleping in mm:", UPPER),
    ("text", "A", "A:", UPPER),
    ("text", "B", "B:", UPPER),
    ("text", "Lengte tussen de bochten in mm", "Lengte tussen de bochten in mm:", UPPER),
    ("text", "Lengte van de verticale versleping in mm",
     "Lengte van de verticale versleping in mm:", UPPER),
    ("combo box", "Hoek in graden", "Hoek in graden:", LOWER),
]
LOWER_REST = [
    ("combo box", "1000mm sectie aantal", "1000mm sectie aantal:", LOWER),
    ("combo box", "500mm sectie aantal", "500mm sectie aantal:", LOWER),
    ("combo box", "250mm sectie aantal", "250mm sectie aantal:", LOWER),
    ("text", "Horizontale versleping in mm", "Horizontale versleping in mm:", LOWER),
    ("text", "Verticale versleping in mm", "Verticale    versleping in mm:", LOWER),
]
BOXES = {
    "twinoffset": ANGLE + UPPER_REST + LOWER_REST,
    "solooffset": ANGLE + DIAMETER + UPPER_REST
    + [("combo box", "Diameter in mm", "Diameter in mm:", LOWER)] + LOWER_REST,
}
# Picks, offset and results of the worked example.
EXAMPLE = {
    "twinoffset": ([30], {"A": "76", "B": "41", "Lengte tussen de bochten in mm": "883",
                          "Lengte van de verticale versleping in mm": "1013"}),
    "solooffset": ([45, 125], {"A": "146", "B": "96", "Lengte tussen de bochten in mm": "465",
                               "Lengte van de verticale versleping in mm": "792"}),
}


def fail(message):
    sys.exit(f"FAIL: {PROGRAM}: {message}")


def wait_until(condition, seconds=15):
    """Hands arriving events to their listeners until the condition holds."""
    deadline = time.monotonic() + seconds
    while not condition():
        while GLib.MainContext.default().iteration(False):
            pass
        if time.monotonic() >= deadline:
            return condition()
        time.sleep(0.02)
    return True


events = []
for kind in ("window:activate", "object:state-changed:showing",
             "object:property-change:accessible-description"):
    pyatspi.Registry.registerEventListener(events.append, kind)


def happened(kind, source):
    return any(e.type == kind and e.source == source and (e.detail1 or "showing" not in kind)
               for e in events)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    return next((a for a in apps if a is not None and a.name == PROGRAM and a.childCount), None)


def role(accessible):
    return accessible.getRoleName()


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def related(accessible, relation):
    return [r.getTarget(0) for r in accessible.getRelationSet() if r.getRelationType() == relation]


def text(accessible):
    return accessible.queryText().getText(0, -1)


if not wait_until(application, 30):
    fail("no application of that name on the accessibility bus")
window = application().getChildAtIndex(0)
children = [window.getChildAtIndex(i) for i in range(window.childCount)]

# The window is a window: a user switching to it hears its title. With no
# window manager here, the X focus is given to it directly.
subprocess.run(["xdotool", "windowfocus", "--sync", X_WINDOW], check=True)
if role(window) != "frame" or window.name != TITLE or not wait_until(
        lambda: any(e.type == "window:activate" and e.any_data == TITLE for e in events)):
    fail(f"the window is a {role(window)} '{window.name}', not announced by its title")
lines = [c for c in children if role(c) == "separator" and c.name]
images = [c for c in children if role(c) == "image" and c.name and "bochtmaten" in c.description]
if len(lines) != 1 or len(images) != 1:
    fail("no named separator, or no image with a name and a description")
notice = children[-1]
if role(notice) != "notification" or showing(notice):
    fail("the last child is not a notice of results, hidden until there are some")

# Every box: its name, the caption it is labelled by, its calculation.
boxes = [c for c in children if role(c) in ("combo box", "text")]
if [(role(b), b.name) for b in boxes] != [(r, n) for r, n, _, _ in BOXES[PROGRAM]]:
    fail(f"boxes: {[(role(b), b.name) for b in boxes]}")
for box, (_, name, caption, calculation) in zip(boxes, BOXES[PROGRAM]):
    labels = related(box, pyatspi.RELATION_LABELLED_BY)
    if [(role(l), l.name) for l in labels] != [("label", caption)] \
            or related(labels[0], pyatspi.RELATION_LABEL_FOR) != [box]:
        fail(f"'{name}' and its caption '{caption}' are not each other's label")
    if not box.description.startswith(calculation):
        fail(f"'{name}' says '{box.description}', not that it belongs to {calculation}")


def box(name):
    return next(b for b in boxes if b.name == name)


# The worked example through AT-SPI alone. A pick through a box's value
# counts as one with the keys (in solooffset it offers the diameters); the
# box keeps its caption as its name and shows the item in its line edit,
# where a screen reader reads it.
picks, results = EXAMPLE[PROGRAM]
for combo, item in zip([c for c in boxes if role(c) == "combo box"], picks):
    caption = combo.name
    combo.queryValue().currentValue = item
    entry = combo.getChildAtIndex(1)
    if not wait_until(lambda: text(entry) == str(item)) or combo.name != caption:
        fail(f"'{caption}' is named '{combo.name}' and shows '{text(entry)}' after a pick")
box("Lengte horizontale- versleping in mm").queryEditableText().setTextContents("500")

# Bereken pressed with the focus on it, as a keyboard user has it.
(button, _) = [c for c in children if role(c) == "push button" and c.name == "Bereken"]
button.queryComponent().grabFocus()
events.clear()
actions = button.queryAction()
actions.doAction(next(i for i in range(actions.nActions) if actions.getName(i) == "Press"))
if not wait_until(lambda: all(text(box(n)) == r for n, r in results.items())):
    fail(f"results: {[text(box(n)) for n in results]}")

# Heard at once, as a notification that shows with the results in its
# label (what a screen reader speaks, shows in braille and keeps), and told
# by the button whenever it has the focus.
if not wait_until(lambda: happened("object:state-changed:showing", notice)
                  and happened("object:property-change:accessible-description", button)):
    fail("the notice did not show, or the button's description did not change")
words = notice.getChildAtIndex(0)
told = "; ".join(f"{n}: {r}" for n, r in results.items()) + "."
if role(words) != "label" or not showing(words) or words.name != told \
        or not button.description.startswith(f"Uitkomst. {told} "):
    fail(f"heard '{words.name}', the button tells '{button.description}'")

print(f"{PROGRAM}: {len(boxes)} boxes named, labelled and placed in their calculation; "
      "the worked example entered, run and heard through AT-SPI")
