#!/usr/bin/env python3
"""Writes the window's XPM icon as a Windows icon of the same pixels: one
image, 4 bits a pixel (16 colours), with the XPM's "None" as transparent.

usage: xpm_to_ico.py ICON.xpm ICON.ico
"""

import re
import struct
import sys

# The colour names the icons use, as X11 defines them.
NAMED = {"black": (0, 0, 0), "white": (255, 255, 255), "yellow": (255, 255, 0), "navy": (0, 0, 128)}


def read_xpm(path):
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', open(path).read())
    width, height, ncolors, cpp = (int(v) for v in strings[0].split()[:4])
    colours = {}
    for line in strings[1:1 + ncolors]:
        key, fields = line[:cpp], line[cpp:].split()
        value = fields[fields.index("c") + 1]
        if value.lower() == "none":
            colours[key] = None
        elif value.startswith("#") and len(value) == 7:
            colours[key] = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        else:
            colours[key] = NAMED[value.lower()]
    rows = strings[1 + ncolors:1 + ncolors + height]
    pixels = [[colours[row[x * cpp:(x + 1) * cpp]] for x in range(width)] for row in rows]
    return width, height, pixels


def ico(width, height, pixels):
    palette = sorted({p for row in pixels for p in row if p is not None})
    if len(palette) > 16:
        sys.exit(f"{len(palette)} colours: a 16-colour icon holds 16")
    palette += [(0, 0, 0)] * (16 - len(palette))
    index = {colour: i for i, colour in enumerate(palette)}
    colour_rows, mask_rows = [], []
    for row in reversed(pixels):  # bitmaps run bottom up
        nibbles = [index.get(p, 0) for p in row]
        colour_rows.append(bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, width, 2)))
        bits = "".join("1" if p is None else "0" for p in row)
        mask = int(bits, 2).to_bytes(width // 8, "big")
        mask_rows.append(mask + bytes(-len(mask) % 4))
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0, 0, 0, 0, 16, 0)
    image = header + b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image += b"".join(colour_rows) + b"".join(mask_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    directory += struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[2], "wb") as out:
        out.write(ico(*read_xpm(sys.argv[1])))
