#!/usr/bin/python3
"""What a screen reader sees of a running program, over the accessibility bus (AT-SPI).

  atspi.py bus                           starts the accessibility bus; prints its launcher's pid
  atspi.py names <app> <window>          prints the names of everything in the window, one a line
  atspi.py do <app> <window> <name> <action>
                                         does the action (e.g. Toggle) of the first object whose
                                         name starts with <name>

<window> is the exact title of a top-level window of the application named <app>. Exits 1 with
the reason when something is not there.
"""
import sys

import dbus

REGISTRY = "org.a11y.atspi.Registry"
ROOT = "/org/a11y/atspi/accessible/root"
ACCESSIBLE = "org.a11y.atspi.Accessible"


def session_bus_launcher():
    bus = dbus.SessionBus()
    address = bus.call_blocking("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", "", ())
    pid = bus.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                            "GetConnectionUnixProcessID", "s", ("org.a11y.Bus",))
    return str(address), int(pid)


class Node:
    def __init__(self, bus, name, path):
        self.bus, self.dest, self.path = bus, str(name), str(path)

    def call(self, interface, method, signature="", args=()):
        return self.bus.call_blocking(self.dest, self.path, interface, method, signature, args, timeout=10)

    @property
    def name(self):
        return str(self.call("org.freedesktop.DBus.Properties", "Get", "ss", (ACCESSIBLE, "Name")))

    def children(self):
        return [Node(self.bus, n, p) for n, p in self.call(ACCESSIBLE, "GetChildren")]

    def walk(self):
        yield self
        for child in self.children():
            yield from child.walk()


def window(bus, app, title):
    for application in Node(bus, REGISTRY, ROOT).children():
        try:
            if application.name != app:
                continue
            for top in application.children():
                if top.name == title:
                    return top
        except dbus.DBusException:
            continue  # an application that went away meanwhile
    sys.exit(f'no window "{title}" of "{app}" on the accessibility bus')


def main(argv):
    if argv[:1] == ["bus"]:
        print(session_bus_launcher()[1])
        return
    bus = dbus.bus.BusConnection(session_bus_launcher()[0])
    if len(argv) == 3 and argv[0] == "names":
        for node in window(bus, argv[1], argv[2]).walk():
            print(node.name)
    elif len(argv) == 5 and argv[0] == "do":
        for node in window(bus, argv[1], argv[2]).walk():
            if not node.name.startswith(argv[3]):
                continue
            actions = [str(node.call("org.a11y.atspi.Action", "GetName", "i", (i,)))
                       for i in range(int(node.call("org.a11y.atspi.Action", "GetNActions")))]
            if argv[4] not in actions:
                sys.exit(f'"{node.name}" offers {actions}, not {argv[4]}')
            if not node.call("org.a11y.atspi.Action", "DoAction", "i", (actions.index(argv[4]),)):
                sys.exit(f'"{node.name}" refused {argv[4]}')
            return
        sys.exit(f'nothing named "{argv[3]}..." in "{argv[2]}"')
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
