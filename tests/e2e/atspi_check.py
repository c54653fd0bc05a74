"""Reads the running program through AT-SPI, as a screen reader does, and checks what a user
of one would meet: every control with its visible text as its name, the saying, and a
"Next Tip" that works through the accessibility action, and the new saying announced as an
event that carries its text."""
import sys
import time

import pyatspi
from gi.repository import GLib


def find_app(name, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no application named {name!r} on the accessibility bus")


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def by_name_and_role(app):
    return {(n.name, n.getRoleName()): n for n in nodes(app)}


app = find_app("Dewmoth")
seen = by_name_and_role(app)
wanted = [
    ("OK", "push button"), ("Next Tip", "push button"), ("About", "push button"),
    ("Show Tips at Startup", "check box"), ("Show at Startup", "label"),
    ("Did you know...", "label"), ("https://www.orlanvesty.example", "link"),
]
missing = [w for w in wanted if w not in seen]
if missing:
    sys.exit(f"not reachable by name: {missing}; tree has {sorted(seen)}")
for name, role in wanted:
    if role != "label" and not seen[(name, role)].getState().contains(pyatspi.STATE_FOCUSABLE):
        sys.exit(f"{name!r} cannot take the keyboard focus")

panel = seen[("Did you know...", "frame")]
def saying():
    labels = [n.name for n in nodes(panel) if n.getRoleName() == "label"]
    return [t for t in labels if t != "Did you know..."][0]

first = saying()
if not first or "TIPOFDAY.TXT" in first:
    sys.exit(f"no saying to hear: {first!r}")
print(f"the saying heard: {first!r}")

# What a screen reader listens to: the panel's description changes to the new saying. (The
# toolkit's bridge sends the object with the event, not the text: a reader asks the object.)
announced = []
def heard(event):
    if event.source is not None and event.source.name == "Did you know...":
        announced.append(event.any_data if isinstance(event.any_data, str)
                         else event.source.description)
pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-description")

next_tip = seen[("Next Tip", "push button")].queryAction()
next_tip.doAction(0)  # the order never shows a saying twice before all were shown
deadline = time.time() + 5
while time.time() < deadline and not (announced and saying() != first):
    GLib.MainContext.default().iteration(False)
    time.sleep(0.02)
if saying() == first:
    sys.exit("Next Tip did not change the saying")
print(f"after Next Tip: {saying()!r}")
if saying() not in announced:
    sys.exit(f"the new saying was not announced: events carried {announced!r}")
print("announced to assistive technology with its text")
