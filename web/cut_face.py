#!/usr/bin/python3
"""Cuts a TrueType face to the characters given and writes it as WOFF2 in
a data URL, for the page's style sheet to hold, without its hinting
programs, which a browser's rasteriser does without.

A face with no hinting program at all is one FreeType hands to its
auto-hinter, which in WebKit on Linux moves glyphs' advances by up to a
pixel at the window's sizes: captions then lay out narrower than their
face (the letters of "Shal'ille" run together). So the cut keeps a
pre-program of one instruction, which tells the rasteriser to leave the
outlines as drawn; FreeType then lays the face out by its own advances.

usage: cut_face.py FACE.ttf OUT.url (--unicodes=... | --text-file=...)
"""

import base64
import io
import sys

from fontTools import subset
from fontTools.ttLib import newTable
from fontTools.ttLib.tables import ttProgram


def main():
    face, out, cut = sys.argv[1:4]
    options = subset.Options()
    options.hinting = False
    options.flavor = "woff2"
    options.drop_tables += ["FFTM"]  # FontForge's time stamps, dropped anyway: said, not asked
    font = subset.load_font(face, options)
    subsetter = subset.Subsetter(options)
    if cut.startswith("--unicodes="):
        subsetter.populate(unicodes=subset.parse_unicodes(cut.split("=", 1)[1]))
    elif cut.startswith("--text-file="):
        with open(cut.split("=", 1)[1], encoding="utf-8") as f:
            subsetter.populate(text=f.read())
    else:
        sys.exit(f"cut_face.py: no characters to cut to ({cut})")
    subsetter.subset(font)
    prep = newTable("prep")
    prep.program = ttProgram.Program()
    prep.program.fromAssembly(["PUSHB[ ]", "1 1", "INSTCTRL[ ]"])  # grid-fitting off
    font["prep"] = prep
    woff2 = io.BytesIO()
    subset.save_font(font, woff2, options)
    with open(out, "w", encoding="ascii") as f:
        f.write("data:font/woff2;base64," + base64.b64encode(woff2.getvalue()).decode("ascii"))


if __name__ == "__main__":
    main()
