#!/usr/bin/env python3
"""Draws the program's pictures as 24-bit BMP files: the toolbar strip "TOOLBAR" (38 images of
16 x 16 on an olive background, which the toolbar takes as transparent) and the about box's logo
and banner.

usage: make_art.py OUTPUT-FOLDER
"""
import os
import struct
import sys

OLIVE = (128, 128, 0)


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(header + info + data)
    os.replace(tmp, path)


# Each glyph: rows of 16 characters; "." transparent, letters pick colours.
COLOURS = {"k": (0, 0, 0), "w": (255, 255, 255), "g": (128, 128, 128), "s": (192, 192, 192),
           "b": (0, 0, 192), "r": (192, 0, 0), "e": (0, 128, 0), "y": (255, 224, 0)}


def glyph(*rows):
    rows = list(rows) + ["." * 16] * (16 - len(rows))
    return [r.ljust(16, ".")[:16] for r in rows]


SCAN = glyph("................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwggggwk....",
             "....kwwwwwwk....", "....kwggggwk....", "....kwwwwwwk....", "..kkkkkkkkkkkk..",
             "..kssssssssssk..", "..ksbbbbbbbbsk..", "..kssssssssssk..", "..kkkkkkkkkkkk..")
FIRST = glyph("", "", "...kk.....kk....", "...kk....kkk....", "...kk...kkkk....", "...kk..kkkkk....",
              "...kk.kkkkkk....", "...kkkkkkkkk....", "...kk.kkkkkk....", "...kk..kkkkk....",
              "...kk...kkkk....", "...kk....kkk....", "...kk.....kk....")
PRIOR = [r[::-1] for r in glyph("", "", "......k.........", "......kk........", "......kkk.......",
                                 "......kkkk......", "......kkkkk.....", "......kkkkkk....",
                                 "......kkkkk.....", "......kkkk......", "......kkk.......",
                                 "......kk........", "......k.........")]
NEXT = [r[::-1] for r in PRIOR]
LAST = [r[::-1] for r in FIRST]
DELETE = glyph("", "..rr........rr..", "...rr......rr...", "....rr....rr....", ".....rr..rr.....",
               "......rrrr......", ".......rr.......", "......rrrr......", ".....rr..rr.....",
               "....rr....rr....", "...rr......rr...", "..rr........rr..")
HAND = glyph("", "......kk.kk.....", ".....kwwkwwk....", ".....kwwkwwkk...", ".....kwwkwwkwk..",
             "..kk.kwwkwwkwk..", ".kwwkkwwwwwwwk..", ".kwwwkwwwwwwwk..", "..kwwwwwwwwwwk..",
             "...kwwwwwwwwk...", "....kwwwwwwwk...", ".....kwwwwwk....", ".....kkkkkkk....")
LENS = ["....kkkkk.......", "...kwwwwwk......", "..kwwwwwwwk.....", ".kwwwwwwwwwk....",
        ".kwwwwwwwwwk....", ".kwwwwwwwwwk....", ".kwwwwwwwwwk....", ".kwwwwwwwwwk....",
        "..kwwwwwwwk.....", "...kwwwwwkk.....", "....kkkkk.kk....", "..........kkk...",
        "...........kkk..", "............kk..", "................", "................"]


def with_sign(base, plus):
    g = [list(r) for r in base]
    for x in range(3, 10):
        g[6][x] = "b"
    if plus:
        for y in range(3, 10):
            g[y][6] = "b"
    return ["".join(r) for r in g]


ZOOM_IN, ZOOM_OUT = with_sign(LENS, True), with_sign(LENS, False)
INVERT = glyph("", ".kkkkkkkkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.",
               ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.",
               ".kwwwwwwkkkkkkk.", ".kwwwwwwkkkkkkk.", ".kkkkkkkkkkkkkk.")
ROT90 = glyph("", ".....kkkkk......", "...kk.....kk....", "..k.........k...", ".k...........k..",
              ".k...........k..", ".k.........kkkkk", ".k..........kkk.", "..k..........k..",
              "...kk...........", ".....kkkk.......")
ROT180 = glyph("", ".....kkkkk......", "...kk.....kk....", "..k.........k...", ".k...........k..",
               ".k...........k..", ".k...........k..", ".k...........k..", "..k.........k...",
               "...kk.....kk....", ".....kkkk.k.....", "........kkk.....", ".........k......")
BESTFIT = glyph("", ".kkkk......kkkk.", ".kk..........kk.", ".k.k........k.k.", ".k..k......k..k.",
                "......ssssss....", "......swwwws....", "......swwwws....", "......ssssss....",
                ".k..k......k..k.", ".k.k........k.k.", ".kk..........kk.", ".kkkk......kkkk.")
ONE_TO_ONE = glyph("", "", "...k.......k....", "..kk......kk....", ".k.k.....k.k....", "...k..k....k....",
                   "...k.......k....", "...k.......k....", "...k..k....k....", "...k.......k....",
                   "..kkk.....kkk...")
OTHER = glyph("", "", "", "....gggggggg....", "....gsssssssg...", "....gsssssssg...", "....gsssssssg...",
              "....gsssssssg...", "....gsssssssg...", "....gsssssssg...", "....gggggggg....")

IMAGES = {0: SCAN, 5: ROT180, 6: ROT90, 7: BESTFIT, 8: ONE_TO_ONE, 9: HAND, 12: ZOOM_IN,
          13: ZOOM_OUT, 24: FIRST, 25: PRIOR, 26: NEXT, 27: LAST, 28: INVERT, 37: DELETE}


def toolbar_pixel(x, y):
    g = IMAGES.get(x // 16, OTHER)
    c = g[y][x % 16]
    return OLIVE if c == "." else COLOURS[c]


def logo_pixel(x, y):
    # A blue tile with a white sheet whose lines fade into the scanner's light bar.
    if 20 <= x < 76 and 12 <= y < 84:
        if y in (30, 40, 50, 60) and 28 <= x < 68:
            return (40, 40, 120)
        return (255, 255, 255)
    if 8 <= x < 88 and 86 <= y < 92:
        return (120, 200, 255)
    t = y / 96
    return (int(20 + 40 * t), int(60 + 60 * t), int(160 + 60 * t))


def banner_pixel(x, y):
    t = x / 502
    if y >= 56:
        return (30, 30, 80)
    return (int(30 + 200 * t), int(60 + 120 * t), int(160 + 80 * (1 - t)))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "toolbar.bmp"), 38 * 16, 16, toolbar_pixel)
    write_bmp(os.path.join(out, "about_logo.bmp"), 96, 96, logo_pixel)
    write_bmp(os.path.join(out, "about_banner.bmp"), 502, 60, banner_pixel)


if __name__ == "__main__":
    main()
