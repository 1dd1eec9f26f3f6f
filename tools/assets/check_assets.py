#!/usr/bin/python3
"""Checks the game's picture resources in src/resources/art/.

    /usr/bin/python3 tools/assets/check_assets.py [--dir DIR] [--regenerate]

Exits with status 0 when every check passes and 1 otherwise, printing one line
per failure.  The card-set strip is decoded with PIL (Debian's python3-pil,
which tools/bootstrap.sh installs) and its 25 faces compared with each other;
without PIL that check cannot run, and that is a failure, not a pass.
--regenerate also runs make_assets.py into a temporary folder and requires
byte-identical output.
"""

import argparse
import importlib
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_DIR = os.path.join(REPO, "src", "resources", "art")

CARD_W, CARD_H = 71, 96
FACES = 25
HOTSPOT = (15, 15)
FILES = ["cardset.jpg", "back.bmp", "card_mask.bmp", "card_border.bmp",
         "hand.cur", "transparent.cur", "quillon.ico"]

MASK_WHITE = {(0, 0), (1, 0), (0, 1), (69, 0), (70, 0), (70, 1),
              (0, 94), (0, 95), (1, 95), (70, 94), (69, 95), (70, 95)}


def border_black():
    pts = {(x, 0) for x in range(2, 69)} | {(x, 95) for x in range(2, 69)}
    pts |= {(0, y) for y in range(2, 94)} | {(70, y) for y in range(2, 94)}
    return pts | {(1, 1), (69, 1), (1, 94), (69, 94)}


class Failures(list):
    def check(self, cond, message):
        if not cond:
            self.append(message)
        return cond


# ---------------------------------------------------------------- BMP

def read_bmp24(data, name, fails, size=(CARD_W, CARD_H)):
    """Returns {(x, y): (r, g, b)} with y = 0 at the top, or None."""
    width, height = size
    if not fails.check(len(data) >= 54 and data[:2] == b"BM", "%s: not a BMP file" % name):
        return None
    file_size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    hsize, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    ok = fails.check(file_size == len(data), "%s: header says %d bytes, file has %d" % (name, file_size, len(data)))
    ok &= fails.check(hsize == 40, "%s: info header of %d bytes, expected BITMAPINFOHEADER (40)" % (name, hsize))
    ok &= fails.check((w, h) == size, "%s: %d x %d, expected %d x %d bottom-up" % (name, w, h, width, height))
    ok &= fails.check(planes == 1 and bpp == 24 and comp == 0,
                      "%s: %d bpp, compression %d; expected 24-bit uncompressed" % (name, bpp, comp))
    stride = (width * 3 + 3) & ~3
    ok &= fails.check(offset >= 54 and offset + stride * height <= len(data), "%s: pixel data out of the file" % name)
    if not ok:
        return None
    px = {}
    for row in range(height):
        base = offset + (height - 1 - row) * stride
        for x in range(width):
            b, g, r = data[base + 3 * x:base + 3 * x + 3]
            px[(x, row)] = (r, g, b)
    return px


def check_two_colour(px, name, expected_set, set_colour, other_colour, fails):
    bad = [p for p, c in px.items() if c not in (set_colour, other_colour)]
    fails.check(not bad, "%s: %d pixels neither black nor white, first %s" % (name, len(bad), sorted(bad)[:3]))
    got = {p for p, c in px.items() if c == set_colour}
    missing, extra = sorted(expected_set - got), sorted(got - expected_set)
    fails.check(not missing and not extra,
                "%s: pixel set differs: missing %s, extra %s" % (name, missing[:5], extra[:5]))


# ---------------------------------------------------------------- JPEG

def jpeg_info(data, name, fails):
    """Walks the JPEG markers; returns (width, height, components, sof marker)."""
    if not fails.check(data[:2] == b"\xff\xd8", "%s: not a JPEG file" % name):
        return None
    pos, sof = 2, None
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            fails.append("%s: broken marker structure at byte %d" % (name, pos))
            return None
        marker = data[pos + 1]
        if marker == 0xD9 or marker == 0xDA:
            break
        length = struct.unpack_from(">H", data, pos + 2)[0]
        if marker == 0xE1:
            fails.append("%s: carries an APP1 (Exif/XMP) segment" % name)
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            precision, h, w, comps = struct.unpack_from(">BHHB", data, pos + 4)
            sof = (w, h, comps, marker, precision)
        pos += 2 + length
    if not fails.check(sof is not None, "%s: no frame header" % name):
        return None
    fails.check(data.rstrip(b"\0")[-2:] == b"\xff\xd9", "%s: no end-of-image marker" % name)
    return sof


def check_cardset(data, name, fails):
    sof = jpeg_info(data, name, fails)
    if sof:
        w, h, comps, marker, precision = sof
        fails.check((w, h) == (CARD_W * FACES, CARD_H), "%s: %d x %d, expected 1775 x 96" % (name, w, h))
        fails.check(marker == 0xC0 and precision == 8,
                    "%s: not a baseline 8-bit JPEG (SOF 0x%02X); picture loaders may refuse it" % (name, marker))
        fails.check(comps == 3, "%s: %d colour components, expected 3" % (name, comps))


def face_shapes_distinct(path, fails, max_likeness=0.93):
    """Decodes the strip and compares the faces pairwise by the correlation of
    their brightness, each face normalised to zero mean and unit spread.  Two
    faces that differ only in colour, or not at all, come out near 1; faces
    with different symbols stay well below max_likeness.  A face with almost
    no contrast (nothing drawn) fails as well."""
    import math
    from PIL import Image
    strip = Image.open(path).convert("L")
    name = os.path.basename(path)
    norm = []
    for n in range(FACES):
        values = list(strip.crop((CARD_W * n + 4, 4, CARD_W * n + CARD_W - 4, CARD_H - 4)).getdata())
        mean = sum(values) / float(len(values))
        spread = math.sqrt(sum((v - mean) ** 2 for v in values) / len(values))
        if fails.check(spread >= 20, "%s: face %d is nearly blank (spread %.1f)" % (name, n, spread)):
            norm.append([(v - mean) / spread for v in values])
        else:
            norm.append(None)
    worst = (-1.0, None)
    for a in range(FACES):
        for b in range(a + 1, FACES):
            if norm[a] and norm[b]:
                likeness = sum(x * y for x, y in zip(norm[a], norm[b])) / len(norm[a])
                worst = max(worst, (likeness, (a, b)))
    fails.check(worst[0] < max_likeness, "%s: faces %s look alike without colour (likeness %.2f)"
                % (name, worst[1], worst[0]))
    return worst


# ---------------------------------------------------------------- CUR and ICO

def read_cursor(data, name, fails):
    """Returns (hotspot, and_bits, xor_bits) as 32 x 32 lists of 0/1, top row first."""
    if not fails.check(len(data) >= 22, "%s: too short" % name):
        return None
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if not fails.check(reserved == 0 and kind == 2 and count == 1,
                       "%s: directory reserved %d type %d count %d, expected 0, 2 (cursor), 1" % (name, reserved, kind, count)):
        return None
    w, h, _, _, hx, hy, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    ok = fails.check((w, h) == (32, 32), "%s: entry is %d x %d, expected 32 x 32" % (name, w, h))
    ok &= fails.check((hx, hy) == HOTSPOT, "%s: hot spot (%d, %d), expected %s" % (name, hx, hy, HOTSPOT))
    ok &= fails.check(offset + size <= len(data) and size >= 40, "%s: image data out of the file" % name)
    if not ok:
        return None
    hsize, bw, bh, planes, bpp = struct.unpack_from("<IiiHH", data, offset)
    if not fails.check(hsize == 40 and (bw, bh) == (32, 64) and planes == 1 and bpp == 1,
                       "%s: bitmap header %d, %d x %d, %d bpp; expected 40, 32 x 64 (doubled), 1 bpp" % (name, hsize, bw, bh, bpp)):
        return None
    colours = struct.unpack_from("<I", data, offset + 32)[0] or 2
    xor_at = offset + 40 + 4 * colours
    if not fails.check(xor_at + 256 <= offset + size, "%s: masks out of the image data" % name):
        return None

    def bits(at):
        rows = []
        for r in range(32):
            word = struct.unpack_from(">I", data, at + 4 * r)[0]
            rows.append([(word >> (31 - x)) & 1 for x in range(32)])
        return rows[::-1]

    return (hx, hy), bits(xor_at + 128), bits(xor_at)


def check_transparent_cursor(data, name, fails):
    cur = read_cursor(data, name, fails)
    if cur:
        _, and_bits, xor_bits = cur
        fails.check(all(all(r) for r in and_bits), "%s: AND mask is not all ones" % name)
        fails.check(not any(any(r) for r in xor_bits), "%s: XOR mask is not all zeros" % name)


def check_hand_cursor(data, name, fails):
    cur = read_cursor(data, name, fails)
    if not cur:
        return
    (hx, hy), and_bits, xor_bits = cur
    opaque = [(x, y) for y in range(32) for x in range(32) if not and_bits[y][x]]
    white = [p for p in opaque if xor_bits[p[1]][p[0]]]
    inverting = [(x, y) for y in range(32) for x in range(32) if and_bits[y][x] and xor_bits[y][x]]
    fails.check(len(opaque) >= 100, "%s: only %d visible pixels" % (name, len(opaque)))
    fails.check(white and len(white) < len(opaque), "%s: needs both a white fill and a black outline" % name)
    fails.check(not inverting, "%s: %d screen-inverting pixels" % (name, len(inverting)))
    fails.check(any(abs(x - hx) <= 1 and abs(y - hy) <= 1 for x, y in opaque),
                "%s: nothing drawn at the hot spot" % name)
    fails.check(not any(y < hy - 1 for x, y in opaque),
                "%s: drawing above the fingertip at the hot spot" % name)


def check_icon(data, name, fails, sizes=(16, 32, 48)):
    if not fails.check(len(data) >= 6, "%s: too short" % name):
        return
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if not fails.check(reserved == 0 and kind == 1 and len(data) >= 6 + 16 * count,
                       "%s: not an icon directory" % name):
        return
    found = set()
    for i in range(count):
        w, h, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        if not fails.check(offset + size <= len(data) and size >= 40, "%s: entry %d out of the file" % (name, i)):
            continue
        if data[offset:offset + 8] == b"\x89PNG\r\n\x1a\n":
            pw, ph = struct.unpack_from(">II", data, offset + 16)
            fails.check((pw, ph) == (w, h), "%s: PNG entry %d is %d x %d, directory says %d x %d" % (name, i, pw, ph, w, h))
            found.add(w)
            continue
        hsize, bw, bh, planes, bpp = struct.unpack_from("<IiiHH", data, offset)
        if not fails.check(hsize == 40 and (bw, bh) == (w, 2 * h) and bpp == 32,
                           "%s: entry %d: header %d, %d x %d, %d bpp; expected 32-bit %d x %d" % (name, i, hsize, bw, bh, bpp, w, 2 * h)):
            continue
        need = 40 + w * h * 4 + ((w + 31) // 32) * 4 * h
        if not fails.check(size >= need, "%s: entry %d holds %d bytes, needs %d" % (name, i, size, need)):
            continue
        alphas = data[offset + 40 + 3:offset + 40 + w * h * 4:4]
        fails.check(0 in alphas and 255 in alphas, "%s: %d x %d has no real alpha channel" % (name, w, h))
        found.add(w)
    fails.check(set(sizes) <= found, "%s: sizes %s, expected %s" % (name, sorted(found), list(sizes)))


# ---------------------------------------------------------------- driver

def check_dir(directory, use_pil=True):
    fails = Failures()
    blobs = {}
    for f in FILES:
        path = os.path.join(directory, f)
        if fails.check(os.path.isfile(path), "%s: missing" % f):
            with open(path, "rb") as fh:
                blobs[f] = fh.read()
    if "cardset.jpg" in blobs:
        check_cardset(blobs["cardset.jpg"], "cardset.jpg", fails)
    if "back.bmp" in blobs:
        px = read_bmp24(blobs["back.bmp"], "back.bmp", fails)
        if px:
            fails.check(len(set(px.values())) >= 16, "back.bmp: hardly any pattern (%d colours)" % len(set(px.values())))
    if "card_mask.bmp" in blobs:
        px = read_bmp24(blobs["card_mask.bmp"], "card_mask.bmp", fails)
        if px:
            check_two_colour(px, "card_mask.bmp", MASK_WHITE, (255, 255, 255), (0, 0, 0), fails)
    if "card_border.bmp" in blobs:
        px = read_bmp24(blobs["card_border.bmp"], "card_border.bmp", fails)
        if px:
            check_two_colour(px, "card_border.bmp", border_black(), (0, 0, 0), (255, 255, 255), fails)
    if "hand.cur" in blobs:
        check_hand_cursor(blobs["hand.cur"], "hand.cur", fails)
    if "transparent.cur" in blobs:
        check_transparent_cursor(blobs["transparent.cur"], "transparent.cur", fails)
    if "quillon.ico" in blobs:
        check_icon(blobs["quillon.ico"], "quillon.ico", fails)
    if use_pil and fails.check(have_pil(), "PIL is missing, so the card faces were not compared: "
                               "install python3-pil (tools/bootstrap.sh) and run this with /usr/bin/python3"):
        if "cardset.jpg" in blobs and not fails:
            face_shapes_distinct(os.path.join(directory, "cardset.jpg"), fails)
    return fails


def have_pil():
    try:
        importlib.import_module("PIL.Image")
    except ImportError:
        return False
    return True


def check_regenerated(directory, generator, files):
    """The files of directory compared byte for byte with a fresh run of generator."""
    fails = Failures()
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, os.path.join(HERE, generator), "--out", tmp], check=True)
        for f in files:
            with open(os.path.join(tmp, f), "rb") as a, open(os.path.join(directory, f), "rb") as b:
                fails.check(a.read() == b.read(), "%s: differs from what %s generates" % (f, generator))
    return fails


def run_checks(argv, description, label, default_dir, files, check_dir, generator):
    """The command line every picture checker shares: --dir, --regenerate, one line a failure."""
    ap = argparse.ArgumentParser(description=description)
    ap.add_argument("--dir", default=default_dir)
    ap.add_argument("--regenerate", action="store_true",
                    help="also regenerate into a temporary folder and compare bytes")
    args = ap.parse_args(argv)
    fails = check_dir(args.dir)
    if args.regenerate and not fails:
        fails += check_regenerated(args.dir, generator, files)
    for f in fails:
        print("FAIL " + f)
    if not fails:
        print("%s ok: %s" % (label, ", ".join(files)))
    return 1 if fails else 0


def main(argv=None):
    return run_checks(argv, "Checks the game's picture resources.", "assets", DEFAULT_DIR, FILES,
                      check_dir, "make_assets.py")


if __name__ == "__main__":
    sys.exit(main())
