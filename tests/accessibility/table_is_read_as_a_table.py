#!/usr/bin/python3
"""What a screen reader reads of the loaded window, through AT-SPI: a table
whose column headers carry the headings and whose cells carry the values the
table shows, "Data:" labelling the table and "Results:" the report box.

Usage: table_is_read_as_a_table.py LOADED_WINDOW FILE
Run inside a D-Bus session (dbus-run-session) with the accessibility bridge on.
"""
import subprocess
import sys
import time

import pyatspi

ROWS = 3


def find(node, predicate):
    if predicate(node):
        return node
    for child in node:
        if child is not None:
            found = find(child, predicate)
            if found is not None:
                return found
    return None


def targets(node, relation_type):
    return [relation.getTarget(i) for relation in node.getRelationSet()
            if relation.getRelationType() == relation_type
            for i in range(relation.getNTargets())]


def main():
    window = subprocess.Popen([sys.argv[1], sys.argv[2], str(ROWS)],
                              stdout=subprocess.PIPE, text=True)
    try:
        shown = []
        for line in window.stdout:
            shown.append(line.rstrip("\n").split("\t"))
            if shown[-1] == ["ready"]:
                break
        assert shown and shown[-1] == ["ready"], f"the window did not load the file: {shown}"
        headings, rows = shown[0], shown[1:-1]
        assert len(headings) == 3 and len(rows) == ROWS and all(all(row) for row in rows), shown

        app = None
        for _ in range(100):
            desktop = pyatspi.Registry.getDesktop(0)
            app = find(desktop, lambda n: n.getRole() == pyatspi.ROLE_APPLICATION
                       and n.get_process_id() == window.pid)
            if app is not None:
                break
            time.sleep(0.1)
        assert app is not None, "the window's process is not on the accessibility bus"

        table = find(app, lambda n: n.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE))
        assert table is not None, "no table: " + ", ".join(
            child.getRoleName() for child in app[0])
        cells = table.queryTable()
        read_headings = [cells.getColumnHeader(c).name for c in range(cells.nColumns)]
        read_rows = [[cells.getAccessibleAt(r, c).name for c in range(cells.nColumns)]
                     for r in range(ROWS)]
        print("table:", cells.nRows, "rows;", "headers:", read_headings)
        for row in read_rows:
            print("  ", row)
        assert read_headings == headings, f"headers {read_headings}, shown {headings}"
        assert read_rows == rows, f"cells {read_rows}, shown {rows}"

        for label_text, role in (("Data:", (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE)),
                                 ("Results:", (pyatspi.ROLE_TEXT,))):
            label = find(app, lambda n: n.getRole() == pyatspi.ROLE_LABEL
                         and n.name == label_text)
            assert label is not None, f"no label {label_text}"
            labelled = targets(label, pyatspi.RELATION_LABEL_FOR)
            print(label_text, "labels", [target.getRoleName() for target in labelled])
            assert [t.getRole() for t in labelled if t.getRole() in role], \
                f"{label_text} labels {[t.getRoleName() for t in labelled]}"
        print("PASS")
    finally:
        window.kill()
        window.wait()


if __name__ == "__main__":
    main()
