#!/usr/bin/env python3
"""The About box as shipped, read from the program's own resources: every
control of IDD_ABOUTBOX with its id, its text (the icon's resource number for
the icon) and its rectangle in dialog units, in order. The resource compiler
drops the size of an ICON statement, so the icon's 20 x 20 is checked here
rather than trusted to the template's source.

usage: check_about_box.py EXE VERSION_LINE
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_compact_binary import IDD_ABOUTBOX, RT_DIALOG, PeFile, parse_dialog  # noqa: E402

IDC_STATIC, IDOK, IDR_MAINFRAME = 0xFFFF, 1, 128


def about_box_failures(path, version_line):
    about = PeFile(open(path, "rb").read()).resources().get((RT_DIALOG, IDD_ABOUTBOX))
    if about is None:
        return ["no IDD_ABOUTBOX template"]
    _, controls = parse_dialog(about)
    # The attribution line's text is free; its place is not. Ids compare as
    # 16 bits: the classic template stores IDC_STATIC as 0xFFFF.
    got = [(cid & 0xFFFF, text if i != 2 else None, x, y, cx, cy)
           for i, (cid, text, x, y, cx, cy) in enumerate(controls)]
    expected = [
        (IDC_STATIC, IDR_MAINFRAME, 11, 11, 20, 20),
        (IDC_STATIC, version_line, 40, 10, 146, 8),
        (IDC_STATIC, None, 40, 25, 155, 8),
        (IDOK, "OK", 76, 42, 50, 14),
    ]
    failures = []
    if len(got) != len(expected):
        failures.append("%d controls, expected %d: %s" % (len(got), len(expected), got))
    for want, have in zip(expected, got):
        if want != have:
            failures.append("control expected as %s, found as %s" % (want, have))
    return failures


def main(path, version_line):
    name = os.path.basename(path)
    failures = about_box_failures(path, version_line)
    for failure in failures:
        print("FAIL: %s About box: %s" % (name, failure))
    if not failures:
        print("PASS: %s About box: icon 20 x 20 at 11, 11, both texts and OK at their places" % name)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
