#!/usr/bin/env python3
"""Reads what a screenshot shows inside one rectangle, for the screen test.

usage: screen_pixels.py thumbs IMAGE LEFT TOP RIGHT BOTTOM
         prints how many slider thumbs the rectangle shows
       screen_pixels.py frame IMAGE LEFT TOP RIGHT BOTTOM
         prints 1 when the push button in the rectangle wears the default
         button's heavy frame, else 0

Rectangles are in the image's pixels, right and bottom exclusive. The pixels
come through ImageMagick's convert, so no imaging module is needed.
"""
import subprocess
import sys


def crop(image, left, top, right, bottom):
    """The rectangle as rows of (r, g, b) tuples."""
    width, height = right - left, bottom - top
    raw = subprocess.run(
        ["convert", image, "-crop", "%dx%d+%d+%d" % (width, height, left, top), "+repage",
         "-depth", "8", "rgb:-"],
        check=True, stdout=subprocess.PIPE).stdout
    if len(raw) != width * height * 3:
        sys.exit("screen_pixels: the rectangle lies outside %s" % image)
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def runs(row, background):
    """Stretches of pixels that differ from the background: (start, length)."""
    found, start = [], None
    for x, pixel in enumerate(row + [background]):
        if pixel != background and start is None:
            start = x
        elif pixel == background and start is not None:
            found.append((start, x - start))
            start = None
    return found


def thumbs(rows):
    # The channel is a line across nearly the whole width; a thumb stands
    # above and below it. Rows that the channel does not fill show one
    # stretch per thumb, so the most stretches on such a row is the count.
    pixels = [p for row in rows for p in row]
    background = max(set(pixels), key=pixels.count)
    width = len(rows[0])
    best = 0
    for row in rows:
        found = runs(row, background)
        if sum(length for _, length in found) < width // 2:
            best = max(best, len(found))
    return best


def brightness(pixel):
    return sum(pixel)


def frame(rows):
    # The default button draws a dark line around its raised edge: its top
    # edge is darker than the row under it, where an ordinary button shows
    # its light highlight on top of a darker face.
    middle = len(rows[0]) // 2
    return 1 if brightness(rows[0][middle]) < brightness(rows[1][middle]) else 0


def main():
    if len(sys.argv) != 7 or sys.argv[1] not in ("thumbs", "frame"):
        sys.exit(__doc__)
    rows = crop(sys.argv[2], *(int(v) for v in sys.argv[3:]))
    print(thumbs(rows) if sys.argv[1] == "thumbs" else frame(rows))


if __name__ == "__main__":
    main()
