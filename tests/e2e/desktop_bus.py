#!/usr/bin/env python3
"""Stand-ins for the desktop's session-bus services, for the tests of velmaro
on a private bus (dbus-run-session), and the calls a tray host makes.

  desktop_bus.py tray-host LOG        a StatusNotifierWatcher with a host
                                      registered; each item that registers is
                                      written to LOG as "item SENDER PATH"
  desktop_bus.py notifications LOG    a notification server; each Notify is
                                      written to LOG as one JSON object
  desktop_bus.py activate LOG         the host's click on the item in LOG
  desktop_bus.py context-menu LOG     the host's right click (ContextMenu)
  desktop_bus.py menu-click LOG TEXT  a click on the exported menu's entry TEXT
  desktop_bus.py menu-labels LOG      prints the exported menu's entries

The services print "ready" on stdout once their name is owned.
"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
PROPS = "org.freedesktop.DBus.Properties"
NOTIFICATIONS = "org.freedesktop.Notifications"

WATCHER_XML = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg type="s" direction="out"/></method>
 </interface>
</node>
"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.log = log
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        path = service if service.startswith("/") else "/StatusNotifierItem"
        name = sender if service.startswith("/") else service
        self.items.append(f"{name}{path}")
        with open(self.log, "a") as f:
            f.write(f"item {name} {path}\n")
        self.StatusNotifierItemRegistered(f"{name}{path}")

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    def _props(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self._props()[name]

    # Qt reads the watcher's properties through an introspected proxy, so
    # they must be in the introspection data (dbus-python leaves them out).
    @dbus.service.method("org.freedesktop.DBus.Introspectable", in_signature="",
                         out_signature="s")
    def Introspect(self):
        return WATCHER_XML

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self._props()


class Notifications(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.next_id = 0

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        nid = replaces
        if nid == 0:
            self.next_id += 1
            nid = self.next_id
        record = {
            "app": str(app), "replaces": int(replaces), "summary": str(summary),
            "body": str(body), "timeout": int(timeout),
            "transient": bool(hints.get("transient", False)), "id": int(nid),
        }
        with open(self.log, "a") as f:
            f.write(json.dumps(record) + "\n")
        return dbus.UInt32(nid)

    @dbus.service.method(NOTIFICATIONS, in_signature="u", out_signature="")
    def CloseNotification(self, nid):
        with open(self.log, "a") as f:
            f.write(json.dumps({"closed": int(nid)}) + "\n")

    @dbus.service.method(NOTIFICATIONS, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NOTIFICATIONS, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("stub", "velmaro-tests", "1", "1.2")


def serve(kind, log):
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    if kind == "tray-host":
        obj = Watcher(bus, log)
        name = dbus.service.BusName(WATCHER, bus)
        host = dbus.service.BusName(f"org.kde.StatusNotifierHost-{id(obj)}", bus)
        obj.StatusNotifierHostRegistered()
    else:
        obj = Notifications(bus, log)
        name = dbus.service.BusName(NOTIFICATIONS, bus)
        host = None
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, host


def item(log):
    with open(log) as f:
        lines = [line.split() for line in f if line.startswith("item ")]
    if not lines:
        sys.exit("no item registered")
    _, name, path = lines[-1]
    bus = dbus.SessionBus()
    return bus, name, path


def menu_entries(bus, name, path):
    props = dbus.Interface(bus.get_object(name, path), PROPS)
    menu_path = props.Get(ITEM, "Menu")
    menu = dbus.Interface(bus.get_object(name, menu_path), "com.canonical.dbusmenu")
    _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"))
    entries = []
    for child in layout[2]:
        cid, cprops = child[0], child[1]
        entries.append((int(cid), str(cprops.get("label", "")).replace("&", ""), cprops))
    return menu, entries


def main(argv):
    command = argv[1]
    if command in ("tray-host", "notifications"):
        serve(command, argv[2])
        return
    bus, name, path = item(argv[2])
    sni = dbus.Interface(bus.get_object(name, path), ITEM)
    if command == "activate":
        sni.Activate(0, 0)
    elif command == "context-menu":
        sni.ContextMenu(0, 0)
    elif command == "menu-labels":
        _, entries = menu_entries(bus, name, path)
        for _, label, _ in entries:
            print(label)
    elif command == "menu-click":
        menu, entries = menu_entries(bus, name, path)
        ids = [cid for cid, label, _ in entries if label == argv[3]]
        if not ids:
            sys.exit(f"no entry {argv[3]!r} in {[e[1] for e in entries]}")
        menu.AboutToShow(0)
        menu.Event(ids[0], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0))
    else:
        sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main(sys.argv)
