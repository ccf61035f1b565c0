#!/usr/bin/python3
"""Walks the accessibility tree of one window of the running program, as a
screen reader sees it over the accessibility bus, and fails on a control a
user can reach that has no name.

    walk.py TITLE [--cell TEXT] [--alert TEXT]

TITLE is the window's accessible name (its title). --cell asks that a grid
of the window exposes a cell holding TEXT through its table interface;
--alert that the window is an alert whose text holds TEXT. Prints every
control with its role, name and description; exits 1 on a failure and 2
when the window cannot be found within 20 seconds."""
import argparse
import sys
import time

import pyatspi

# Cells, headers and list items are contents, read through their grid or
# list, not controls a user names: an empty cell is an empty cell.
CONTENT_ROLES = {
    pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TABLE_COLUMN_HEADER, pyatspi.ROLE_TABLE_ROW_HEADER,
    pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_ROW,
}


def find_window(title, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None or app.name != "Tallyo":
                continue
            for window in app:
                if window is not None and window.name == title:
                    return window
        time.sleep(0.25)
    return None


def walk(accessible, depth, found):
    role = accessible.getRole()
    states = accessible.getState()
    reachable = states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_VISIBLE) \
        and states.contains(pyatspi.STATE_SHOWING)
    if role not in CONTENT_ROLES and (reachable or accessible.name):
        print("%s%s '%s'%s" % ("  " * depth, accessible.getRoleName(), accessible.name,
                               " -- " + accessible.description if accessible.description else ""))
    if reachable and role not in CONTENT_ROLES and not accessible.name.strip():
        found["unnamed"].append("%s at depth %d" % (accessible.getRoleName(), depth))
    if role == pyatspi.ROLE_TABLE:
        found["tables"].append(accessible)
        return  # its cells are read through the table interface
    for child in accessible:
        if child is not None:
            walk(child, depth + 1, found)


def table_cells(table):
    grid = table.queryTable()
    for row in range(min(grid.nRows, 50)):
        for column in range(grid.nColumns):
            cell = grid.getAccessibleAt(row, column)
            if cell is not None:
                yield cell.name


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("title")
    parser.add_argument("--cell")
    parser.add_argument("--alert")
    options = parser.parse_args()

    window = find_window(options.title)
    if window is None:
        print("no window named '%s' on the accessibility bus" % options.title)
        return 2
    print("window '%s' (%s)" % (window.name, window.getRoleName()))
    found = {"unnamed": [], "tables": []}
    walk(window, 1, found)
    problems = ["a reachable %s has no name" % where for where in found["unnamed"]]
    if options.cell is not None:
        cells = [name for table in found["tables"] for name in table_cells(table)]
        if not any(options.cell in name for name in cells):
            problems.append("no grid cell holds '%s' (cells: %s)" % (options.cell, cells[:20]))
    if options.alert is not None:
        if window.getRole() != pyatspi.ROLE_ALERT:
            problems.append("the window is a %s, not an alert" % window.getRoleName())
        if options.alert not in window.description:
            problems.append("the alert's description '%s' lacks '%s'" % (window.description, options.alert))
    for problem in problems:
        print("PROBLEM: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
