#!/usr/bin/env python3
"""Writes resources/quenvarde.bdf, the preview's pixel font.

The BDF file is the committed source the build embeds; this script is how it
was first drawn, kept so that the accented letters can be recomposed from
their base letters and accents after a base letter changes.

    python3 tools/fontgen/quenvarde_gen.py > resources/quenvarde.bdf

Glyph art: each block starts with a line naming its glyphs (a character or
U+XXXX), followed by rows in which the glyphs stand side by side, separated
by blanks. '#' is ink. A block has 10 rows: 8 above the baseline (capital
height) and 2 below. The text cell is 15 pixels: 5 rows of room for accents
above the capitals, then those 10.
"""

import sys

ASCENT = 13
DESCENT = 2
CAP_TOP = ASCENT - 8  # cell row of the first art row

BLOCKS = r"""
A     B     C     D     E    F    G     H     I   J    K     L    M       N
.###. ####. .###. ###.. #### #### .###. #...# ### ...# #...# #... #.....# #...#
#...# #...# #...# #..#. #... #... #...# #...# .#. ...# #..#. #... ##...## ##..#
#...# #...# #.... #...# #... #... #.... #...# .#. ...# #.#.. #... #.#.#.# ##..#
#...# ####. #.... #...# ###. ###. #.... ##### .#. ...# ##... #... #..#..# #.#.#
##### #...# #.... #...# #... #... #.### #...# .#. ...# ##... #... #.....# #.#.#
#...# #...# #.... #...# #... #... #...# #...# .#. ...# #.#.. #... #.....# #..##
#...# #...# #...# #..#. #... #... #...# #...# .#. #..# #..#. #... #.....# #..##
#...# ####. .###. ###.. #### #... .#### #...# ### .##. #...# #### #.....# #...#
..... ..... ..... ..... .... .... ..... ..... ... .... ..... .... ....... .....
..... ..... ..... ..... .... .... ..... ..... ... .... ..... .... ....... .....

O     P     Q     R     S     T     U     V     W       X     Y     Z
.###. ####. .###. ####. .###. ##### #...# #...# #.....# #...# #...# #####
#...# #...# #...# #...# #...# ..#.. #...# #...# #.....# #...# #...# ....#
#...# #...# #...# #...# #.... ..#.. #...# #...# #.....# .#.#. .#.#. ...#.
#...# #...# #...# #...# .###. ..#.. #...# #...# #..#..# ..#.. ..#.. ..#..
#...# ####. #...# ####. ....# ..#.. #...# #...# #..#..# ..#.. ..#.. ..#..
#...# #.... #.#.# #.#.. ....# ..#.. #...# .#.#. #.#.#.# .#.#. ..#.. .#...
#...# #.... #..#. #..#. #...# ..#.. #...# .#.#. ##...## #...# ..#.. #....
.###. #.... .##.# #...# .###. ..#.. .###. ..#.. #.....# #...# ..#.. #####
..... ..... ..... ..... ..... ..... ..... ..... ....... ..... ..... .....
..... ..... ..... ..... ..... ..... ..... ..... ....... ..... ..... .....

a    b    c    d    e    f   g    h    i j  k    l m     n    o    p    q
.... #... .... ...# .... .## .... #... . .. #... # ..... .... .... .... ....
.... #... .... ...# .... #.. .... #... # .# #... # ..... .... .... .... ....
.... #... .... ...# .... #.. .... #... . .. #... # ..... .... .... .... ....
.##. ###. .### .### .##. ### .### ###. # .# #..# # ####. ###. .##. ###. .###
...# #..# #... #..# #..# #.. #..# #..# # .# #.#. # #.#.# #..# #..# #..# #..#
.### #..# #... #..# #### #.. #..# #..# # .# ##.. # #.#.# #..# #..# #..# #..#
#..# #..# #... #..# #... #.. #..# #..# # .# #.#. # #.#.# #..# #..# #..# #..#
.### ###. .### .### .### #.. .### #..# # .# #..# # #.#.# #..# .##. ###. .###
.... .... .... .... .... ... ...# .... . .# .... . ..... .... .... #... ...#
.... .... .... .... .... ... .##. .... . #. .... . ..... .... .... #... ...#

r    s    t   u    v     w     x     y    z
.... .... ... .... ..... ..... ..... .... ....
.... .... #.. .... ..... ..... ..... .... ....
.... .... #.. .... ..... ..... ..... .... ....
#.## .### ### #..# #...# #...# #...# #..# ####
##.. #... #.. #..# #...# #...# .#.#. #..# ...#
#... .##. #.. #..# .#.#. #.#.# ..#.. #..# .##.
#... ...# #.. #..# .#.#. #.#.# .#.#. #..# #...
#... ###. .## .### ..#.. .#.#. #...# .### ####
.... .... ... .... ..... ..... ..... ...# ....
.... .... ... .... ..... ..... ..... .##. ....

0    1    2    3    4    5    6    7    8    9
.##. ..#. .##. .##. ...# #### .##. #### .##. .##.
#..# .##. #..# #..# ..## #... #..# ...# #..# #..#
#..# ..#. ...# ...# .#.# #... #... ...# #..# #..#
#..# ..#. ...# .##. #..# ###. ###. ..#. .##. #..#
#..# ..#. ..#. ...# #### ...# #..# ..#. #..# .###
#..# ..#. .#.. ...# ...# ...# #..# .#.. #..# ...#
#..# ..#. #... #..# ...# #..# #..# .#.. #..# #..#
.##. .### #### .##. ...# .##. .##. .#.. .##. .##.
.... .... .... .... .... .... .... .... .... ....
.... .... .... .... .... .... .... .... .... ....

!  "   #     $     %     &     '  (  )  *     +     ,  -   .  /
# #.# ..... ..#.. ##..# .##.. # .# #. ..... ..... .. ... . ...#
# #.# .#.#. .#### ##..# #..#. # #. .# ..#.. ..... .. ... . ...#
# ... .#.#. #.#.. ...#. #..#. . #. .# #.#.# ..#.. .. ... . ..#.
# ... ##### .###. ..#.. .##.. . #. .# .###. ..#.. .. ... . ..#.
# ... .#.#. ..#.# ..#.. #.#.# . #. .# #.#.# ##### .. ### . .#..
# ... ##### ..#.# .#... #..#. . #. .# ..#.. ..#.. .. ... . .#..
. ... .#.#. ####. #..## #..#. . #. .# ..... ..#.. .# ... . #...
# ... .#.#. ..#.. #..## .##.# . #. .# ..... ..... .# ... # #...
. ... ..... ..... ..... ..... . .# #. ..... ..... #. ... . ....
. ... ..... ..... ..... ..... . .. .. ..... ..... .. ... . ....

:  ;  <    =    >    ?    @       [  \    ]  ^     _     `  {   |  }   ~
. .. .... .... .... .##. .#####. ## #... ## ..#.. ..... #. .## # ##. .....
. .. ...# .... #... #..# #.....# #. #... .# .#.#. ..... .# .#. # .#. .....
. .. ..#. .... .#.. ...# #..##.# #. .#.. .# #...# ..... .. .#. # .#. .....
# .# .#.. #### ..#. ..#. #.#.#.# #. .#.. .# ..... ..... .. .#. # .#. .##.#
. .. #... .... ...# .#.. #.#.#.# #. ..#. .# ..... ..... .. #.. # ..# #.##.
. .. .#.. #### ..#. .#.. #..###. #. ..#. .# ..... ..... .. .#. # .#. .....
. .. ..#. .... .#.. .... #...... #. ...# .# ..... ..... .. .#. # .#. .....
# .# ...# .... #... .#.. .#####. #. ...# .# ..... ..... .. .#. # .#. .....
. #. .... .... .... .... ....... ## .... ## ..... ..... .. .## # ##. .....
. .. .... .... .... .... ....... .. .... .. ..... ##### .. ... . ... .....

U+00A1 U+00A2 U+00A3 U+00A4 U+00A5 U+00A6 U+00A7 U+00A8 U+00A9  U+00AA U+00AB U+00AC
.      ....   ..##.  .....  #...#  #      .###   #.#    .#####.  .##    .....  ....
.      ..#.   .#..#  #...#  #...#  #      #...   ...    #.....#  #.#    .....  ....
.      .###   .#...  .###.  .#.#.  #      .##.   ...    #..##.#  .##    .....  ....
#      #.#.   ###..  .#.#.  ..#..  #      #..#   ...    #.#...#  ...    ..#.#  ....
.      #.#.   .#...  .#.#.  #####  .      #..#   ...    #.#...#  ###    .#.#.  ####
#      #.#.   .#...  .###.  ..#..  #      .##.   ...    #..##.#  ...    #.#..  ...#
#      .###   .#...  #...#  #####  #      ...#   ...    #.....#  ...    .#.#.  ....
#      ..#.   #####  .....  ..#..  #      ###.   ...    .#####.  ...    ..#.#  ....
#      ....   .....  .....  .....  #      ....   ...    .......  ...    .....  ....
#      ....   .....  .....  .....  .      ....   ...    .......  ...    .....  ....

U+00AD U+00AE  U+00AF U+00B0 U+00B1 U+00B2 U+00B3 U+00B4 U+00B5 U+00B6 U+00B7 U+00B8
...    .#####. ####   .#.    .....  ##.    ##.    .#     ....   .####  .      ..
...    #.....# ....   #.#    ..#..  ..#    ..#    #.     ....   ###.#  .      ..
...    #.###.# ....   .#.    ..#..  .#.    .#.    ..     ....   ###.#  .      ..
...    #.#.#.# ....   ...    #####  #..    ..#    ..     #..#   .##.#  .      ..
###    #.##..# ....   ...    ..#..  ###    ##.    ..     #..#   ..#.#  #      ..
...    #.#.#.# ....   ...    ..#..  ...    ...    ..     #..#   ..#.#  .      ..
...    #.....# ....   ...    .....  ...    ...    ..     #..#   ..#.#  .      ..
...    .#####. ....   ...    #####  ...    ...    ..     ####   ..#.#  .      ..
...    ....... ....   ...    .....  ...    ...    ..     #...   .....  .      .#
...    ....... ....   ...    .....  ...    ...    ..     #...   .....  .      ##

U+00B9  U+00BA  U+00BB  U+00BF
.#.    .#.    .....    ....
##.    #.#    .....    ....
.#.    .#.    .....    ..#.
.#.    ...    #.#..    ....
###    ###    .#.#.    ..#.
...    ...    ..#.#    ..#.
...    ...    .#.#.    .#..
...    ...    #.#..    #...
...    ...    .....    #..#
...    ...    .....    .##.

U+00C6 U+00D0 U+00D7 U+00D8 U+00DE U+00DF U+00F0 U+00F7 U+00F8 U+00FE
.##### .###.. .....  .###.  #....  .##.   #.#.   .....  ....   #...
#..#.. .#..#. .....  #..##  ####.  #..#   .#..   .....  ....   #...
#..#.. .#...# #...#  #..##  #...#  #..#   #.#.   ..#..  ....   #...
#..### ####.# .#.#.  #.#.#  #...#  #.#.   .###   .....  .###   ###.
####.. .#...# ..#..  #.#.#  #...#  #..#   #..#   #####  #.##   #..#
#..#.. .#...# .#.#.  ##..#  ####.  #..#   #..#   .....  #.##   #..#
#..#.. .#..#. #...#  ##..#  #....  #..#   #..#   ..#..  ##.#   #..#
#..### .###.. .....  .###.  #....  #.#.   .##.   .....  ###.   ###.
...... ...... .....  .....  .....  ....   ....   .....  ....   #...
...... ...... .....  .....  .....  ....   ....   .....  ....   #...

U+02C9 U+2010
###    ...
...    ...
...    ...
...    ...
...    ###
...    ...
...    ...
...    ...
...    ...
...    ...
"""

# The handheld's buttons, in the order of U+00E0..U+00E6: A, B, X, Y, L, R
# and the direction pad. Each is a rounded 9 x 9 outline with the button's
# letter (or a cross) in a 5 x 5 field inside, standing on the baseline.
KEY_LETTERS = {
    0xE0: [".###.", "#...#", "#####", "#...#", "#...#"],  # A
    0xE1: ["####.", "#...#", "####.", "#...#", "####."],  # B
    0xE2: ["#...#", ".#.#.", "..#..", ".#.#.", "#...#"],  # X
    0xE3: ["#...#", ".#.#.", "..#..", "..#..", "..#.."],  # Y
    0xE4: ["#....", "#....", "#....", "#....", "#####"],  # L
    0xE5: ["####.", "#...#", "####.", "#..#.", "#...#"],  # R
    0xE6: ["..#..", "..#..", "#####", "..#..", "..#.."],  # direction pad
}

# Vulgar fractions: small digits on either side of a slash, 8 pixels wide.
SMALL_DIGITS = {
    "1": [".#.", "##.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "###"],
    "3": ["###", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#"],
}
FRACTIONS = {0xBC: ("1", "4"), 0xBD: ("1", "2"), 0xBE: ("3", "4")}
FRACTION_SLASH = [(5, 0), (5, 1), (4, 2), (4, 3), (3, 4), (3, 5), (2, 6), (2, 7)]

# Accents as rows of art, drawn above a letter with one blank row between.
ACCENTS = {
    "grave": ["#.", ".#"],
    "acute": [".#", "#."],
    "circumflex": [".#.", "#.#"],
    "tilde": [".#.#", "#.#."],
    "diaeresis": ["#.#"],
    "ring": [".#.", "#.#", ".#."],
}

# Latin-1 letters made of a base letter and an accent. For the lower-case
# i the dotless stem is the base.
COMPOSED = {
    0xC0: ("A", "grave"), 0xC1: ("A", "acute"), 0xC2: ("A", "circumflex"),
    0xC3: ("A", "tilde"), 0xC4: ("A", "diaeresis"), 0xC5: ("A", "ring"),
    0xC8: ("E", "grave"), 0xC9: ("E", "acute"), 0xCA: ("E", "circumflex"),
    0xCB: ("E", "diaeresis"),
    0xCC: ("I", "grave"), 0xCD: ("I", "acute"), 0xCE: ("I", "circumflex"),
    0xCF: ("I", "diaeresis"),
    0xD1: ("N", "tilde"),
    0xD2: ("O", "grave"), 0xD3: ("O", "acute"), 0xD4: ("O", "circumflex"),
    0xD5: ("O", "tilde"), 0xD6: ("O", "diaeresis"),
    0xD9: ("U", "grave"), 0xDA: ("U", "acute"), 0xDB: ("U", "circumflex"),
    0xDC: ("U", "diaeresis"),
    0xDD: ("Y", "acute"),
    0xE8: ("e", "grave"), 0xE9: ("e", "acute"), 0xEA: ("e", "circumflex"),
    0xEB: ("e", "diaeresis"),
    0xEC: ("dotless i", "grave"), 0xED: ("dotless i", "acute"),
    0xEE: ("dotless i", "circumflex"), 0xEF: ("dotless i", "diaeresis"),
    0xF1: ("n", "tilde"),
    0xF2: ("o", "grave"), 0xF3: ("o", "acute"), 0xF4: ("o", "circumflex"),
    0xF5: ("o", "tilde"), 0xF6: ("o", "diaeresis"),
    0xF9: ("u", "grave"), 0xFA: ("u", "acute"), 0xFB: ("u", "circumflex"),
    0xFC: ("u", "diaeresis"),
    0xFD: ("y", "acute"), 0xFF: ("y", "diaeresis"),
}


class Glyph:
    """Ink as a set of (x, y) cell coordinates plus the pen advance."""

    def __init__(self, ink, advance):
        self.ink = set(ink)
        self.advance = advance


def parse_blocks(text):
    glyphs = {}
    blocks = [b for b in text.strip("\n").split("\n\n") if b.strip()]
    for block in blocks:
        lines = block.split("\n")
        names = lines[0].split()
        rows = [line.split() for line in lines[1:]]
        if len(rows) != 10 or any(len(r) != len(names) for r in rows):
            sys.exit("bad block starting with %s" % names[0])
        for i, name in enumerate(names):
            cp = int(name[2:], 16) if name.startswith("U+") else ord(name)
            width = len(rows[0][i])
            ink = []
            for y, row in enumerate(rows):
                art = row[i]
                if len(art) != width:
                    sys.exit("ragged glyph %s" % name)
                ink += [(x, CAP_TOP + y) for x, c in enumerate(art) if c == "#"]
            glyphs[cp] = Glyph(ink, width + 1)
    return glyphs


def art_ink(rows, left, top):
    return [(left + x, top + y) for y, row in enumerate(rows) for x, c in enumerate(row) if c == "#"]


def compose(base, accent_rows, width):
    """The base letter with the accent centred over its top."""
    top_of_base = min(y for _, y in base.ink)
    accent_width = len(accent_rows[0])
    # Diaeresis dots sit over the outer strokes of even-width letters.
    if accent_rows == ACCENTS["diaeresis"] and width % 2 == 0 and width >= 4:
        accent_rows = ["#" + "." * (width - 2) + "#"]
        accent_width = width
    if accent_rows == ACCENTS["circumflex"] and width % 2 == 0 and width >= 4:
        accent_rows = ["." + "#" * (width - 2) + ".", "#" + "." * (width - 2) + "#"]
        accent_width = width
    span = max(width, accent_width)
    shift = (span - width) // 2  # a narrow base moves under a wide accent
    if accent_rows == ACCENTS["grave"] and width < accent_width:
        shift = span - width  # the stroke leans down onto the stem
    left = (span - accent_width + 1) // 2 if accent_rows == ACCENTS["acute"] else (span - accent_width) // 2
    top = top_of_base - 1 - len(accent_rows)
    ink = [(x + shift, y) for x, y in base.ink] + art_ink(accent_rows, left, top)
    return Glyph(ink, span + 1)


def key_symbol(letter_rows):
    outline = [".#######."] + ["#.......#"] * 7 + [".#######."]
    top = ASCENT - 9  # stands on the baseline
    return Glyph(art_ink(outline, 0, top) + art_ink(letter_rows, 2, top + 2), 10)


def build():
    glyphs = parse_blocks(BLOCKS)
    glyphs[0x20] = Glyph([], 3)
    glyphs[0xA0] = Glyph([], 3)
    base_width = lambda g: max(x for x, _ in g.ink) + 1
    dotless = Glyph([(x, y) for x, y in glyphs[ord("i")].ink if y >= CAP_TOP + 3], 2)
    for cp, (base_name, accent) in COMPOSED.items():
        base = dotless if base_name == "dotless i" else glyphs[ord(base_name)]
        glyphs[cp] = compose(base, ACCENTS[accent], base_width(base))
    # Cedilla letters: the base with the hook of U+00B8 under its middle.
    for cp, base_name in ((0xC7, "C"), (0xE7, "c")):
        base = glyphs[ord(base_name)]
        mid = base_width(base) // 2 - 1
        hook = [(x + mid, y) for x, y in glyphs[0xB8].ink]
        glyphs[cp] = Glyph(list(base.ink) + hook, base.advance)
    for cp, (top, bottom) in FRACTIONS.items():
        ink = art_ink(SMALL_DIGITS[top], 0, CAP_TOP) + art_ink(SMALL_DIGITS[bottom], 5, CAP_TOP + 4)
        ink += [(x, CAP_TOP + y) for x, y in FRACTION_SLASH]
        glyphs[cp] = Glyph(ink, 9)
    for cp, rows in KEY_LETTERS.items():
        glyphs[cp] = key_symbol(rows)
    return glyphs


def write_bdf(glyphs, out):
    cps = sorted(glyphs)
    out.write("STARTFONT 2.1\n")
    out.write("COMMENT Quenvarde: the skin studio's preview font, drawn pixel by pixel.\n")
    out.write("COMMENT 8-pixel em at 96 dpi; 15-pixel text cell, 13 above the baseline.\n")
    out.write("COMMENT U+00E0..U+00E6 are the handheld's buttons A B X Y L R and the pad.\n")
    out.write("FONT -SkinStudio-Quenvarde-Medium-R-Normal--8-60-96-96-P-50-ISO10646-1\n")
    out.write("SIZE 6 96 96\n")
    out.write("FONTBOUNDINGBOX 10 15 0 -%d\n" % DESCENT)
    out.write("STARTPROPERTIES 12\n")
    out.write('FOUNDRY "SkinStudio"\n')
    out.write('FAMILY_NAME "Quenvarde"\n')
    out.write('WEIGHT_NAME "Medium"\n')
    out.write('SLANT "R"\n')
    out.write('SETWIDTH_NAME "Normal"\n')
    out.write("PIXEL_SIZE 8\n")
    out.write("POINT_SIZE 60\n")
    out.write("RESOLUTION_X 96\n")
    out.write("RESOLUTION_Y 96\n")
    out.write('SPACING "P"\n')
    out.write("FONT_ASCENT %d\n" % ASCENT)
    out.write("FONT_DESCENT %d\n" % DESCENT)
    out.write("ENDPROPERTIES\n")
    out.write("CHARS %d\n" % len(cps))
    for cp in cps:
        g = glyphs[cp]
        out.write("STARTCHAR uni%04X\n" % cp)
        out.write("ENCODING %d\n" % cp)
        out.write("SWIDTH %d 0\n" % (g.advance * 125))
        out.write("DWIDTH %d 0\n" % g.advance)
        if not g.ink:
            out.write("BBX 0 0 0 0\nBITMAP\nENDCHAR\n")
            continue
        x0 = min(x for x, _ in g.ink)
        x1 = max(x for x, _ in g.ink)
        y0 = min(y for _, y in g.ink)
        y1 = max(y for _, y in g.ink)
        w, h = x1 - x0 + 1, y1 - y0 + 1
        out.write("BBX %d %d %d %d\n" % (w, h, x0, ASCENT - 1 - y1))
        out.write("BITMAP\n")
        nbytes = (w + 7) // 8
        for y in range(y0, y1 + 1):
            value = 0
            for x in range(x0, x1 + 1):
                if (x, y) in g.ink:
                    value |= 1 << (nbytes * 8 - 1 - (x - x0))
            out.write("%0*X\n" % (nbytes * 2, value))
        out.write("ENDCHAR\n")
    out.write("ENDFONT\n")


if __name__ == "__main__":
    write_bdf(build(), sys.stdout)
