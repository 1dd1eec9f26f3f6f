#!/usr/bin/python3
"""Pictures for the card-set tests, made when the tests run instead of kept in the tree.

    make_pictures.py <folder>

Writes 25 pictures named NN_RRGGBB_WxH.ext: a plain colour in the part of the picture that the
centre crop keeps, black in what it cuts away, in several sizes and all four formats. The
colour is what the face's pixels must show; one transparent PNG must come out white. Also a
text file that is no picture.
"""
import os
import sys

from PIL import Image

CARD_W, CARD_H = 71, 96
# (width, height, format): cards, wide and tall photos, pictures too small to fill a card.
SIZES = [
    (71, 96, "png"), (640, 480, "jpg"), (300, 900, "bmp"), (32, 32, "gif"), (1000, 1000, "png"),
    (142, 192, "jpg"), (400, 96, "bmp"), (71, 400, "gif"), (2400, 1600, "jpg"), (50, 120, "png"),
    (97, 131, "bmp"), (1200, 300, "gif"), (355, 480, "png"), (81, 96, "jpg"), (120, 50, "bmp"),
    (720, 960, "gif"), (3000, 2000, "png"), (71, 95, "jpg"), (600, 800, "bmp"), (96, 71, "gif"),
    (213, 288, "png"), (1920, 1080, "jpg"), (10, 10, "bmp"), (500, 500, "gif"), (256, 256, "png"),
]


def colour(n):
    # Far apart from each other and from black and white, so that a face cannot be taken for
    # another or for the cut-away bands, even after JPEG.
    return ((37 * n + 60) % 200 + 28, (91 * n + 140) % 200 + 28, (53 * n + 20) % 200 + 28)


def centre_crop(w, h):
    if w * CARD_H >= h * CARD_W:
        cw = max(1, min(w, (h * CARD_W + CARD_H // 2) // CARD_H))
        return (w - cw) // 2, 0, cw, h
    ch = max(1, min(h, (w * CARD_H + CARD_W // 2) // CARD_W))
    return 0, (h - ch) // 2, w, ch


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for n, (w, h, fmt) in enumerate(SIZES):
        transparent = n == len(SIZES) - 1
        c = colour(n)
        image = Image.new("RGBA" if transparent else "RGB", (w, h), (0, 0, 0))
        x, y, cw, ch = centre_crop(w, h)
        image.paste((c + (0,)) if transparent else c, (x, y, x + cw, y + ch))
        shown = (255, 255, 255) if transparent else c
        name = "%02d_%02x%02x%02x_%dx%d.%s" % ((n,) + shown + (w, h, fmt))
        if fmt == "gif":
            image = image.convert("P", palette=Image.ADAPTIVE, colors=4)
        image.save(os.path.join(folder, name), quality=95)
    with open(os.path.join(folder, "notes.png"), "w") as f:
        f.write("not a picture\n")


if __name__ == "__main__":
    main(sys.argv[1])
