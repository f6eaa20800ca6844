#!/usr/bin/env python3
"""Whether the owner-drawn rows of a tray menu in a screenshot show names and icons of the display scale.

    menu_pixels.py SCREENSHOT.png X Y WIDTH HEIGHT [DPI]

The menu's rows above its last, plain item ("close the menu") are owner-drawn: each draws an icon of the
small icon size of the scale (16 pixels at 96 DPI, 24 at 144) at its left and its name beside it. A row
the program failed to draw is empty menu colour (at most a submenu arrow at the right edge). Counts dark
text pixels in the name area and coloured pixels in the icon column, and measures the tallest and widest
icon: a row too short for its icon cuts it, a 16-pixel icon at 144 DPI is too small. Prints them, and exits 1
when names or icons are missing or the icons are not of the scale's size."""
import subprocess
import sys

shot, x, y, width, height = sys.argv[1], *map(int, sys.argv[2:6])
dpi = int(sys.argv[6]) if len(sys.argv) > 6 else 96
icon_size = (16 * dpi + 48) // 96 & ~1  # SM_CXSMICON at this scale
column = icon_size + 2
pixels = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "txt:-"],
                        capture_output=True, text=True, check=True).stdout

last_row = height - (24 * dpi) // 96  # the plain last item and the frame stay out
text = icon = 0
icon_rows = set()
row_extents = {}
for line in pixels.splitlines()[1:]:
    where, _, colour = line.partition(":")
    px, py = map(int, where.split(","))
    r, g, b = (int(float(v)) for v in colour.split("(")[1].split(")")[0].split(",")[:3])
    if not 2 <= py < last_row:
        continue
    if column + 4 <= px < width - column - 4 and max(r, g, b) < 110:
        text += 1
    if 2 <= px < column and max(r, g, b) - min(r, g, b) > 60:
        icon += 1
        icon_rows.add(py)
        low, high = row_extents.get(py, (px, px))
        row_extents[py] = (min(low, px), max(high, px))

# The tallest run of rows with icon colour: one icon, as tall as it is drawn.
tallest = run = 0
previous = None
for row in sorted(icon_rows):
    run = run + 1 if previous is not None and row == previous + 1 else 1
    tallest = max(tallest, run)
    previous = row
widest = max((high - low + 1 for low, high in row_extents.values()), default=0)
print(f"name pixels {text}, icon pixels {icon}, tallest icon {tallest}, widest {widest} "
      f"(icons of {icon_size} at {dpi} DPI)")
# The folder picture covers the whole width of its square and three quarters of its height.
sized = icon_size * 3 // 4 <= tallest <= icon_size and icon_size * 3 // 4 <= widest <= icon_size
sys.exit(0 if text >= 20 and icon >= 20 and sized else 1)
