#!/usr/bin/env python3
"""Whether a screenshot of the editor shows the preview exactly as the CLI
renders it: both screens of SCREENS.png (256 x 384, top above bottom, as
`skinstudio-cli render --screens` writes them) must each appear somewhere in
SHOT.png pixel for pixel, at a zoom of 1 to 4.

usage: preview_in_screenshot.py SHOT.png SCREENS.png
Prints where each screen was found; exits 1 when one was not."""
import subprocess
import sys


def rgb_of(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    data = subprocess.run(["convert", path, "-alpha", "off", "-depth", "8", "rgb:-"],
                          check=True, capture_output=True).stdout
    width, height = int(size[0]), int(size[1])
    return width, height, [data[y * width * 3:(y + 1) * width * 3] for y in range(height)]


def zoomed(row, zoom):
    return b"".join(row[x:x + 3] * zoom for x in range(0, len(row), 3))


def find(shot, screen):
    _, shot_height, shot_rows = shot
    for zoom in range(1, 5):
        rows = [zoomed(row, zoom) for row in screen]
        for top in range(0, shot_height - len(rows) * zoom + 1):
            at = shot_rows[top].find(rows[0])
            while at >= 0:
                if at % 3 == 0 and all(
                        shot_rows[top + y * zoom + r][at:at + len(rows[y])] == rows[y]
                        for y in range(len(rows)) for r in range(zoom)):
                    return at // 3, top, zoom
                at = shot_rows[top].find(rows[0], at + 1)
    return None


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    shot = rgb_of(sys.argv[1])
    _, height, screens = rgb_of(sys.argv[2])
    half = height // 2
    found_all = True
    for name, rows in (("top screen", screens[:half]), ("bottom screen", screens[half:])):
        where = find(shot, rows)
        if where:
            print(f"{name}: at {where[0]},{where[1]}, zoom {where[2]}")
        else:
            print(f"{name}: not in the screenshot")
            found_all = False
    return 0 if found_all else 1


if __name__ == "__main__":
    sys.exit(main())
