#!/usr/bin/python3
"""Generates the game's picture resources into src/resources/art/.

    /usr/bin/python3 tools/assets/make_assets.py [--out DIR] [--preview DIR]

Every run writes the same bytes: the drawing uses no randomness and no clock,
the JPEG is written with fixed settings and no metadata, and the BMP, CUR and
ICO files are written by the small writers below.  --preview also writes PNG
pictures for looking at the result (the strip at twice its size and a board
with some cards turned up); keep those out of the repository.
"""

import argparse
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from PIL import Image, ImageChops, ImageDraw, ImageFilter  # noqa: E402

from drawing import BOARD_GREEN, CREAM, Layer, darken, hex_rgb, mix  # noqa: E402
from faces import FACES  # noqa: E402

CARD_W, CARD_H = 71, 96
SS = 4  # supersampling factor of the card pictures
JPEG_QUALITY = 92

# The 12 pixels outside the card's rounded corners (white in the mask).
CORNER_PIXELS = [(0, 0), (1, 0), (0, 1), (69, 0), (70, 0), (70, 1),
                 (0, 94), (0, 95), (1, 95), (70, 94), (69, 95), (70, 95)]


def outline_pixels():
    """The card's one-pixel outline (black in the border picture)."""
    pts = set()
    for x in range(2, 69):
        pts.add((x, 0))
        pts.add((x, 95))
    for y in range(2, 94):
        pts.add((0, y))
        pts.add((70, y))
    pts.update([(1, 1), (69, 1), (1, 94), (69, 94)])
    return pts


# ---------------------------------------------------------------- writers

def bmp24_bytes(img):
    """A 24-bit uncompressed bottom-up BMP with BITMAPINFOHEADER."""
    img = img.convert("RGB")
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    raw = img.tobytes()
    rows = []
    for y in range(h - 1, -1, -1):
        line = bytearray(raw[y * w * 3:(y + 1) * w * 3])
        line[0::3], line[2::3] = line[2::3], line[0::3]
        rows.append(bytes(line) + b"\0" * (stride - w * 3))
    pixels = b"".join(rows)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return file_header + info + pixels


def cursor_bytes(grid, hotspot):
    """A 32 x 32 monochrome cursor (.cur) from 32 strings of 32 characters:
    '#' black, 'o' white, '.' transparent."""
    assert len(grid) == 32 and all(len(r) == 32 for r in grid)
    xor_rows, and_rows = [], []
    for row in reversed(grid):  # bottom-up
        xor_bits = and_bits = 0
        for x, ch in enumerate(row):
            bit = 1 << (31 - x)
            if ch == "o":
                xor_bits |= bit
            elif ch == ".":
                and_bits |= bit
            elif ch != "#":
                raise ValueError("bad cursor pixel %r" % ch)
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    xor_mask, and_mask = b"".join(xor_rows), b"".join(and_rows)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = info + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def icon_bytes(images):
    """An .ico of 32-bit BGRA bitmaps (with alpha and an AND mask)."""
    blobs = []
    for img in images:
        img = img.convert("RGBA")
        w, h = img.size
        raw = img.tobytes()
        xor_rows, and_rows = [], []
        and_stride = ((w + 31) // 32) * 4
        for y in range(h - 1, -1, -1):
            line = bytearray()
            bits = bytearray(and_stride)
            for x in range(w):
                r, g, b, a = raw[(y * w + x) * 4:(y * w + x) * 4 + 4]
                if a == 0:
                    r = g = b = 0
                    bits[x // 8] |= 0x80 >> (x % 8)
                line += bytes([b, g, r, a])
            xor_rows.append(bytes(line))
            and_rows.append(bytes(bits))
        pixels = b"".join(xor_rows) + b"".join(and_rows)
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(pixels), 0, 0, 0, 0)
        blobs.append((w, h, info + pixels))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for w, h, blob in blobs:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


def jpeg_bytes(img):
    import io
    buf = io.BytesIO()
    img.convert("RGB").save(buf, "JPEG", quality=JPEG_QUALITY, subsampling=0,
                            optimize=False, progressive=False)
    return buf.getvalue()


# ---------------------------------------------------------------- card faces

def vertical_gradient(size, top, bottom):
    ramp = Image.linear_gradient("L").resize(size)
    return Image.composite(Image.new("RGB", size, bottom), Image.new("RGB", size, top), ramp)


def render_symbol(draw, colour, box_px, outline_px):
    layer = Layer(int(round(box_px * SS)), outline_px * SS)
    draw(layer, colour)
    return layer.im


def card_face(draw, colour):
    W, H = CARD_W * SS, CARD_H * SS
    img = vertical_gradient((W, H), mix(CREAM, colour, 0.04), mix(CREAM, colour, 0.17)).convert("RGBA")
    d = ImageDraw.Draw(img)
    inset = 2.5 * SS
    d.rounded_rectangle([inset, inset, W - 1 - inset, H - 1 - inset], radius=5 * SS,
                        outline=mix(colour, CREAM, 0.35) + (255,), width=int(0.9 * SS))

    big_box = 56
    big = render_symbol(draw, colour, big_box, 1.25)
    pos = (int((CARD_W / 2 - big_box / 2) * SS), int((CARD_H / 2 - big_box / 2) * SS))
    shadow = Image.new("RGBA", big.size, darken(mix(CREAM, colour, 0.2), 0.45) + (0,))
    shadow.putalpha(big.getchannel("A").point(lambda v: v * 0.30).filter(ImageFilter.GaussianBlur(1.2 * SS)))
    img.alpha_composite(shadow, (pos[0] + int(1.0 * SS), pos[1] + int(1.5 * SS)))
    img.alpha_composite(big, pos)

    mini_box = 13
    mini = render_symbol(draw, colour, mini_box, 0.8)
    img.alpha_composite(mini, (int(4.5 * SS), int(4.5 * SS)))
    img.alpha_composite(mini, (int((CARD_W - 4.5 - mini_box) * SS), int((CARD_H - 4.5 - mini_box) * SS)))
    return img.convert("RGB").resize((CARD_W, CARD_H), Image.LANCZOS)


def card_set():
    strip = Image.new("RGB", (CARD_W * len(FACES), CARD_H), CREAM)
    for n, (_, draw, colour) in enumerate(FACES):
        strip.paste(card_face(draw, hex_rgb(colour)), (CARD_W * n, 0))
    return strip


# ---------------------------------------------------------------- back

def card_back():
    W, H = CARD_W * SS, CARD_H * SS
    deep = hex_rgb("#1B2A6B")
    img = Image.new("RGB", (W, H), deep)
    # soft glow in the middle
    glow = Image.new("L", (W, H), 0)
    ImageDraw.Draw(glow).ellipse([W * 0.1, H * 0.15, W * 0.9, H * 0.85], fill=110)
    glow = glow.filter(ImageFilter.GaussianBlur(18 * SS))
    img = Image.composite(Image.new("RGB", (W, H), hex_rgb("#2E47A8")), img, glow)
    d = ImageDraw.Draw(img)

    gold = hex_rgb("#E8C872")
    line = hex_rgb("#5C78D0")
    x0, y0, x1, y1 = 6 * SS, 6 * SS, W - 1 - 6 * SS, H - 1 - 6 * SS
    lattice = Image.new("RGB", (W, H), (0, 0, 0))
    ld = ImageDraw.Draw(lattice)
    step = 9 * SS
    cx, cy = W / 2, H / 2
    for k in range(-12, 13):
        off = k * step
        for s in (1, -1):
            ld.line([(cx + off - s * H, cy - H), (cx + off + s * H, cy + H)], fill=line, width=int(0.8 * SS))
    for i in range(-12, 13):
        for j in range(-12, 13):
            px, py = cx + (i + j) * step / 2, cy + (j - i) * step / 2
            if (i + j) % 2 == 0:
                r = 1.0 * SS
                ld.ellipse([px - r, py - r, px + r, py + r], fill=gold)
    inner = Image.new("L", (W, H), 0)
    ImageDraw.Draw(inner).rounded_rectangle([x0, y0, x1, y1], radius=4 * SS, fill=255)
    lattice_mask = Image.composite(lattice.convert("L").point(lambda v: 255 if v else 0),
                                   Image.new("L", (W, H), 0), inner)
    img = Image.composite(lattice, img, lattice_mask)
    d = ImageDraw.Draw(img)

    cream = hex_rgb("#F4EBD0")
    d.rounded_rectangle([3.5 * SS, 3.5 * SS, W - 1 - 3.5 * SS, H - 1 - 3.5 * SS], radius=5 * SS,
                        outline=cream, width=int(1.1 * SS))
    d.rounded_rectangle([x0, y0, x1, y1], radius=4 * SS, outline=gold, width=int(0.6 * SS))

    # central medallion: an oval with a four-pointed star
    rx, ry = 15 * SS, 20 * SS
    d.ellipse([cx - rx - 2 * SS, cy - ry - 2 * SS, cx + rx + 2 * SS, cy + ry + 2 * SS], fill=deep)
    d.ellipse([cx - rx, cy - ry, cx + rx, cy + ry], fill=hex_rgb("#24388A"), outline=gold, width=int(1.0 * SS))
    d.ellipse([cx - rx + 2.5 * SS, cy - ry + 2.5 * SS, cx + rx - 2.5 * SS, cy + ry - 2.5 * SS],
              outline=cream, width=int(0.5 * SS))
    pts = []
    for i in range(8):
        a = math.radians(-90 + 45 * i)
        r = (13 if i % 4 == 0 else 9.5 if i % 2 == 0 else 3.2) * SS
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d.polygon(pts, fill=gold)
    d.ellipse([cx - 2 * SS, cy - 2 * SS, cx + 2 * SS, cy + 2 * SS], fill=cream)

    back = img.resize((CARD_W, CARD_H), Image.LANCZOS)
    return frame_card(back)


def frame_card(img):
    """Paints the card outline black and the outside corners board green, as
    the board shows them, so that the file itself looks like a card."""
    img = img.copy()
    for p in outline_pixels():
        img.putpixel(p, (0, 0, 0))
    for p in CORNER_PIXELS:
        img.putpixel(p, BOARD_GREEN)
    return img


# ---------------------------------------------------------------- mask and border

def card_mask():
    img = Image.new("RGB", (CARD_W, CARD_H), (0, 0, 0))
    for p in CORNER_PIXELS:
        img.putpixel(p, (255, 255, 255))
    return img


def card_border():
    img = Image.new("RGB", (CARD_W, CARD_H), (255, 255, 255))
    for p in outline_pixels():
        img.putpixel(p, (0, 0, 0))
    return img


# ---------------------------------------------------------------- cursors

HOTSPOT = (15, 15)


# A hand pointing up, the tip of its index finger at the hot spot (15, 15).
# '#' black, 'o' white, '.' transparent; rows 0 to 13 are empty.
HAND_ROWS = [
    "..............###...............",  # 14
    ".............#ooo#..............",  # 15: hot spot at x = 15
    ".............#ooo#..............",
    ".............#ooo#..............",
    ".............#ooo#..............",
    ".............#ooo####...........",
    ".............#ooo#ooo####.......",  # 20
    ".............#ooo#ooo#ooo###....",
    "..........####ooo#ooo#ooo#oo#...",
    ".........#ooo#ooo#ooo#ooo#oo#...",
    ".........#ooo#oooooooooooooo#...",
    "..........#oo#oooooooooooooo#...",  # 25
    "..........#ooooooooooooooooo#...",
    "...........#oooooooooooooooo#...",
    "............#oooooooooooooo#....",
    ".............#oooooooooooo#.....",
    "..............#oooooooooo#......",  # 30
    "..............############......",
]


def hand_grid():
    return ["." * 32] * (32 - len(HAND_ROWS)) + HAND_ROWS


def transparent_grid():
    return ["." * 32] * 32


# ---------------------------------------------------------------- icon

def icon_image(size):
    S = 8
    N = size * S
    canvas = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    k = N / 100.0
    line_units = max(2.4, 110.0 / size)  # at least about one pixel of outline
    cw, ch = 54, 74

    def card(draw_inside):
        im = Image.new("RGBA", (int(cw * k), int(ch * k)), (0, 0, 0, 0))
        d = ImageDraw.Draw(im)
        d.rounded_rectangle([0, 0, im.width - 1, im.height - 1], radius=7 * k, fill=(16, 16, 20, 255))
        lw = line_units * k
        draw_inside(im, d, lw)
        return im

    def back_inside(im, d, lw):
        w, h = im.size
        d.rounded_rectangle([lw, lw, w - 1 - lw, h - 1 - lw], radius=6 * k, fill=hex_rgb("#22358A"))
        if size >= 32:
            step = 9 * k
            for i in range(-8, 9):
                for s in (1, -1):
                    d.line([(w / 2 + i * step - s * h, 0), (w / 2 + i * step + s * h, h)],
                           fill=hex_rgb("#4F6BC8"), width=int(1.2 * k * 48 / size))
            d.rounded_rectangle([lw, lw, w - 1 - lw, h - 1 - lw], radius=6 * k, outline=hex_rgb("#22358A"),
                                width=int(4 * k))
        m = lw + 4.5 * k
        d.rounded_rectangle([m, m, w - 1 - m, h - 1 - m], radius=4 * k, outline=hex_rgb("#F4EBD0"),
                            width=int(max(2.2 * k, lw * 0.8)))
        cx, cy, r = w / 2, h / 2, 10 * k
        d.polygon([(cx, cy - r * 1.3), (cx + r, cy), (cx, cy + r * 1.3), (cx - r, cy)], fill=hex_rgb("#E8C872"))

    def face_inside(im, d, lw):
        w, h = im.size
        d.rounded_rectangle([lw, lw, w - 1 - lw, h - 1 - lw], radius=6 * k, fill=(253, 250, 242))
        pts = []
        for i in range(120):
            t = 2 * math.pi * i / 120
            x = 16 * math.sin(t) ** 3
            y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
            pts.append((w / 2 + x * 1.45 * k, h / 2 + 1.5 * k - y * 1.45 * k))
        d.polygon(pts, fill=hex_rgb("#E3263B"))
        if size >= 32:
            r = 3.2 * k
            for cx, cy in ((lw + 6 * k, lw + 7 * k), (w - 1 - lw - 6 * k, h - 1 - lw - 7 * k)):
                d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=hex_rgb("#E3263B"))

    def place(im, cx, cy):
        if size >= 32:
            shadow = Image.new("RGBA", im.size, (0, 0, 0, 0))
            shadow.putalpha(im.getchannel("A").point(lambda v: v * 0.35).filter(ImageFilter.GaussianBlur(1.5 * k)))
            canvas.alpha_composite(shadow, (int(cx * k - im.width / 2 + 1.5 * k), int(cy * k - im.height / 2 + 2 * k)))
        canvas.alpha_composite(im, (int(cx * k - im.width / 2), int(cy * k - im.height / 2)))

    if size >= 32:
        place(card(back_inside).rotate(14, resample=Image.BICUBIC, expand=True), 36, 43)
        place(card(face_inside).rotate(-9, resample=Image.BICUBIC, expand=True), 63, 57)
    else:
        # upright cards whose edges fall on whole pixels stay crisp when this small
        cw, ch = 62.5, 81.25
        place(card(back_inside), 37.5, 40.625)
        place(card(face_inside), 62.5, 59.375)
    return canvas.resize((size, size), Image.LANCZOS)


# ---------------------------------------------------------------- previews

def on_board(board, picture, x, y, mask, border):
    """Draws a card the way the game does: outside the mask the board stays,
    the outline is black."""
    under = board.crop((x, y, x + CARD_W, y + CARD_H))
    card = Image.composite(under, picture, mask.convert("L"))
    card = Image.composite(card, Image.new("RGB", card.size, (0, 0, 0)), border.convert("L"))
    board.paste(card, (x, y))


def write_previews(outdir, strip, back, mask, border, icon_sizes):
    os.makedirs(outdir, exist_ok=True)
    strip.resize((strip.width * 2, strip.height * 2), Image.NEAREST).save(os.path.join(outdir, "strip_2x.png"))
    for part in range(3):
        lo, hi = part * 9, min(25, part * 9 + 9)
        piece = strip.crop((lo * CARD_W, 0, hi * CARD_W, CARD_H))
        piece.resize((piece.width * 3, piece.height * 3), Image.LANCZOS).save(
            os.path.join(outdir, "strip_part%d_3x.png" % part))
    board = Image.new("RGB", (710, 480), BOARD_GREEN)
    for col in range(10):
        for row in range(5):
            n = col * 5 + row
            if n < 25:
                face = strip.crop(((n % 25) * CARD_W, 0, (n % 25 + 1) * CARD_W, CARD_H))
                on_board(board, face, col * CARD_W, row * CARD_H, mask, border)
            else:
                on_board(board, back, col * CARD_W, row * CARD_H, mask, border)
    # the two ways the game marks the card under the pointer: the inverted back...
    inverted = ImageChops.invert(back)
    on_board(board, inverted, 9 * CARD_W, 4 * CARD_H, mask, border)
    # ...or a red frame, 3 pixels wide, over a plain back
    ImageDraw.Draw(board).rectangle([8 * CARD_W + 1, 4 * CARD_H + 1, 8 * CARD_W + 69, 4 * CARD_H + 94],
                                    outline=(255, 0, 0), width=3)
    board.save(os.path.join(outdir, "board.png"))
    board.resize((1420, 960), Image.NEAREST).crop((0, 0, 1420, 480)).save(os.path.join(outdir, "board_top_2x.png"))
    back.resize((CARD_W * 4, CARD_H * 4), Image.NEAREST).save(os.path.join(outdir, "back_4x.png"))
    hand = hand_grid()
    cur = Image.new("RGB", (32, 32), (0, 128, 0))
    for y, row in enumerate(hand):
        for x, ch in enumerate(row):
            if ch != ".":
                cur.putpixel((x, y), (0, 0, 0) if ch == "#" else (255, 255, 255))
    cur.putpixel(HOTSPOT, (255, 0, 0) if hand[HOTSPOT[1]][HOTSPOT[0]] == "." else (255, 128, 128))
    cur.resize((256, 256), Image.NEAREST).save(os.path.join(outdir, "hand_8x.png"))
    sheet = Image.new("RGBA", (16 * 8 + 32 * 4 + 48 * 4 + 40, 200), (0, 128, 0, 255))
    x = 10
    for s in icon_sizes:
        scale = 8 if s == 16 else 4
        img = icon_image(s).resize((s * scale, s * scale), Image.NEAREST)
        sheet.alpha_composite(img, (x, 4))
        x += s * scale + 10
    sheet.save(os.path.join(outdir, "icon_sheet.png"))


# ---------------------------------------------------------------- main

ICON_SIZES = (16, 32, 48)


def build(outdir):
    os.makedirs(outdir, exist_ok=True)
    strip = card_set()
    back = card_back()
    mask = card_mask()
    border = card_border()
    files = {
        "cardset.jpg": jpeg_bytes(strip),
        "back.bmp": bmp24_bytes(back),
        "card_mask.bmp": bmp24_bytes(mask),
        "card_border.bmp": bmp24_bytes(border),
        "hand.cur": cursor_bytes(hand_grid(), HOTSPOT),
        "transparent.cur": cursor_bytes(transparent_grid(), HOTSPOT),
        "quillon.ico": icon_bytes([icon_image(s) for s in ICON_SIZES]),
    }
    for name, data in files.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return strip, back, mask, border


def main(argv=None):
    repo = os.path.dirname(os.path.dirname(HERE))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(repo, "src", "resources", "art"))
    ap.add_argument("--preview", metavar="DIR", help="also write PNG previews into DIR")
    args = ap.parse_args(argv)
    strip, back, mask, border = build(args.out)
    if args.preview:
        write_previews(args.preview, strip, back, mask, border, ICON_SIZES)
    return 0


if __name__ == "__main__":
    sys.exit(main())
