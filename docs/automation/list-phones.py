#!/usr/bin/env python3
"""Lists every person in Mirabook who has a phone number: the title, a tab, the number.

It talks to Mirabook through the session bus ("MiRa.Application"); when Mirabook is not
running, the bus starts it in the tray. Needs the dbus module (Debian: python3-dbus).
"""
import sys

import dbus

PERSON = 3  # miraClass of a person


def number_of(cell):
    """The value of a cell as miraField gives it ("555-1234",), or empty."""
    if len(cell) < 3 or not cell.startswith('"') or not cell.endswith('",'):
        return ""
    return cell[1:-2].replace('""', '"')


def main():
    bus = dbus.SessionBus()
    # One connection is one cursor; it starts at "My Contacts".
    mira = dbus.Interface(bus.get_object("MiRa.Application", "/MiRa/Application"), "MiRa.Application")
    index = 0
    while index < mira.ItemCount():
        if mira.Items(index) and mira.miraClass() == PERSON:
            number = number_of(str(mira.miraField("Phone Number")))
            if number:
                print(f"{mira.miraTitle()}\t{number}")
        index += 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
