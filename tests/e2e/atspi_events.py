#!/usr/bin/python3
"""Listens on the accessibility bus as a screen reader would and writes one line per
event of the program: "focus<TAB>role<TAB>name" when an object gets the focus,
"name<TAB>role<TAB>name" and "value<TAB>role<TAB>text" when an object's name or value
changes, "alert<TAB>role<TAB>name" for alerts. Runs until ended."""
import sys

import pyatspi

out = open(sys.argv[1], "a", buffering=1, encoding="utf-8")


def line(kind, source, text=None):
    try:
        role = source.getRoleName()
        name = source.name if text is None else text
    except Exception:  # the object went away meanwhile
        return
    out.write("%s\t%s\t%s\n" % (kind, role, str(name).replace("\n", " ")))


def on_event(event):
    try:
        app = event.source.getApplication().name
    except Exception:
        return
    if app != "zelto":
        return
    if event.type.startswith("object:state-changed:focused"):
        if event.detail1:
            line("focus", event.source)
    elif event.type.startswith("object:property-change:accessible-name"):
        line("name", event.source)
    elif event.type.startswith("object:property-change:accessible-value"):
        try:
            value = event.source.queryValue().currentValue
        except Exception:
            value = event.any_data
        line("value", event.source, value)
    elif event.type.startswith("object:announcement"):
        line("alert", event.source)


# Qt's bridge sends only the kinds of events someone listens to, and knows them by their
# class: the whole of "object:" is asked for, as a screen reader does.
pyatspi.Registry.registerEventListener(on_event, "object:", "focus:")
out.write("ready\n")
pyatspi.Registry.start()
