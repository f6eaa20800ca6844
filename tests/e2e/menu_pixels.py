#!/usr/bin/env python3
"""Whether the owner-drawn rows of a tray menu in a screenshot show names and icons.

    menu_pixels.py SCREENSHOT.png X Y WIDTH HEIGHT

The menu's rows above its last, plain item ("close the menu") are owner-drawn: each draws a 16-pixel icon
at its left and its name beside it. A row the program failed to draw is empty menu colour (at most a
submenu arrow at the right edge). Counts dark text pixels in the name area and coloured pixels in the
icon column, prints them, and exits 1 when either is missing."""
import subprocess
import sys

shot, x, y, width, height = sys.argv[1], *map(int, sys.argv[2:6])
pixels = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "txt:-"],
                        capture_output=True, text=True, check=True).stdout

last_row = height - 24  # the plain last item and the frame stay out
text = icon = 0
for line in pixels.splitlines()[1:]:
    where, _, colour = line.partition(":")
    px, py = map(int, where.split(","))
    r, g, b = (int(float(v)) for v in colour.split("(")[1].split(")")[0].split(",")[:3])
    if not 2 <= py < last_row:
        continue
    if 22 <= px < width - 22 and max(r, g, b) < 110:
        text += 1
    if 2 <= px < 20 and max(r, g, b) - min(r, g, b) > 60:
        icon += 1
print(f"name pixels {text}, icon pixels {icon}")
sys.exit(0 if text >= 20 and icon >= 20 else 1)
