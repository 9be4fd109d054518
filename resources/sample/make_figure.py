#!/usr/bin/env python3
"""Writes the sample figure: figure.mqo (a box figure with a bone object, two materials, one of
them textured) and figure.png (its 64 x 64 texture). Both are committed; run this again only to
change them.  usage: make_figure.py [OUTDIR]"""
import os, struct, sys, zlib

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))

# Boxes: name, min corner, max corner, material (0 skin, textured; 1 cloth).
BOXES = [
    ("torso", (-20, 80, -10), (20, 135, 10), 1),
    ("head", (-12, 135, -12), (12, 165, 12), 0),
    ("armL", (20, 120, -6), (65, 132, 6), 0),
    ("armR", (-65, 120, -6), (-20, 132, 6), 0),
    ("legL", (3, 0, -7), (17, 80, 7), 1),
    ("legR", (-17, 0, -7), (-3, 80, 7), 1),
]
# Quads of a box by corner bits (x, y, z), wound clockwise seen from outside as the modeller does.
QUADS = [(0, 1, 3, 2), (4, 6, 7, 5), (0, 4, 5, 1), (2, 3, 7, 6), (0, 2, 6, 4), (1, 5, 7, 3)]
UVS = [(0, 0), (1, 0), (1, 1), (0, 1)]


def box_vertices(lo, hi):
    return [(hi[0] if i & 4 else lo[0], hi[1] if i & 2 else lo[1], hi[2] if i & 1 else lo[2]) for i in range(8)]


def body():
    verts, faces = [], []
    for n, (_, lo, hi, mat) in enumerate(BOXES):
        base = len(verts)
        verts += box_vertices(lo, hi)
        cell = (n % 4) * 0.25, (n // 4) * 0.25
        for q in QUADS:
            idx = " ".join(str(base + c) for c in q)
            uv = " ".join("%.5f %.5f" % (cell[0] + 0.25 * u, cell[1] + 0.25 * v) for u, v in UVS)
            faces.append("4 V(%s) M(%d) UV(%s)" % (idx, mat, uv))
    return verts, faces


# The skeleton: one triangle per bone; the corner opposite the short edge is the tail.
BONE_VERTICES = [(0, 80, 0), (0, 105, 0), (0, 130, 0), (0, 80, 2), (0, 105, 2), (62, 126, 0),
                 (-62, 126, 0), (10, 2, 0), (-10, 2, 0), (0, 165, 0), (0, 130, 2)]
BONE_FACES = [(0, 1, 3), (1, 2, 4), (2, 9, 10), (2, 5, 10), (2, 6, 10), (0, 7, 3), (0, 8, 3)]


def obj(name, verts, faces):
    lines = ['Object "%s" {' % name, "\tvisible 15", "\tlocking 0", "\tshading 1", "\tfacet 59.5",
             "\tcolor 0.898 0.498 0.698", "\tcolor_type 0", "\tvertex %d {" % len(verts)]
    lines += ["\t\t%.4f %.4f %.4f" % v for v in verts]
    lines += ["\t}", "\tface %d {" % len(faces)]
    lines += ["\t\t" + f for f in faces]
    lines += ["\t}", "}"]
    return lines


def mqo():
    verts, faces = body()
    lines = ["Metasequoia Document", "Format Text Ver 1.0", "", "Scene {", "\tpos 0.0000 0.0000 1500.0000",
             "\tlookat 0.0000 0.0000 0.0000", "\thead -0.5236", "\tpich 0.3491", "\tortho 0",
             "\tzoom2 2.0000", "\tamb 0.250 0.250 0.250", "}", "Material 2 {",
             '\t"skin" col(1.000 0.800 0.600 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00) tex("figure.png")',
             '\t"cloth" col(0.200 0.300 0.800 1.000) dif(0.800) amb(0.600) emi(0.000) spc(0.200) power(5.00)',
             "}"]
    lines += obj("body", verts, faces)
    lines += obj("bone", BONE_VERTICES, ["3 V(%d %d %d)" % f for f in BONE_FACES])
    lines.append("Eof")
    return "\r\n".join(lines) + "\r\n"


def png(width, height, pixel):
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def texel(x, y):
    checker = ((x // 8) + (y // 8)) % 2
    return (235, 200, 160) if checker else (200, 120, 90)


with open(os.path.join(out, "figure.mqo"), "w", newline="") as f:
    f.write(mqo())
with open(os.path.join(out, "figure.png"), "wb") as f:
    f.write(png(64, 64, texel))
