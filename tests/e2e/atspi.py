#!/usr/bin/python3
"""What a screen reader sees of a running program, over the accessibility bus (AT-SPI), which the
session bus starts on demand. `atspi.py names <app> <window>` prints the name of everything in the
window titled <window>; `atspi.py do <app> <window> <name> <action>` does the action of the first
object there whose name starts with <name>. Exits 1 with the reason on failure."""
import sys

import dbus

ACCESSIBLE, ACTION = "org.a11y.atspi.Accessible", "org.a11y.atspi.Action"
REGISTRY = ("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")


def call(bus, node, interface, method, signature="", args=()):
    return bus.call_blocking(*node, interface, method, signature, args, timeout=10)


def name(node):
    return str(call(bus, node, "org.freedesktop.DBus.Properties", "Get", "ss", (ACCESSIBLE, "Name")))


def walk(node):
    yield node
    for child in call(bus, node, ACCESSIBLE, "GetChildren"):
        yield from walk(child)


def window(app, title):
    for application in call(bus, REGISTRY, ACCESSIBLE, "GetChildren"):
        try:
            if name(application) == app:
                return next(top for top in call(bus, application, ACCESSIBLE, "GetChildren") if name(top) == title)
        except (dbus.DBusException, StopIteration):
            pass  # an application that went away meanwhile, or the window not yet there
    sys.exit(f'no window "{title}" of "{app}" on the accessibility bus')


address = call(dbus.SessionBus(), ("org.a11y.Bus", "/org/a11y/bus"), "org.a11y.Bus", "GetAddress")
bus = dbus.bus.BusConnection(str(address))
if len(sys.argv) == 4 and sys.argv[1] == "names":
    for node in walk(window(*sys.argv[2:])):
        print(name(node))
elif len(sys.argv) == 6 and sys.argv[1] == "do":
    wanted, action = sys.argv[4:]
    node = next((n for n in walk(window(*sys.argv[2:4])) if name(n).startswith(wanted)), None)
    actions = [str(a[0]) for a in call(bus, node, ACTION, "GetActions")] if node else []
    if action not in actions or not call(bus, node, ACTION, "DoAction", "i", (actions.index(action),)):
        sys.exit(f'no "{wanted}..." doing {action} in "{sys.argv[3]}": found {node}, offering {actions}')
else:
    sys.exit(__doc__)
