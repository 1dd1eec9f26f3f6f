#!/usr/bin/python3
"""Generates the update wizard's list icons into src/iupdate/win/art/wizard_icons.bmp.

    /usr/bin/python3 tools/assets/make_wizard_icons.py [--out DIR] [--preview DIR]

Twelve 16 x 16 icons side by side, in the order of the icon keys an update
descriptor names (IMG OCX HLP CHM TTF DLL EXE PIC AVI BOOK FILE NEWS), on
magenta (255, 0, 255), which the list's image list makes transparent.  The
program, control and library icons are the About box's own.  Every run writes
the same bytes.  --preview writes an enlarged PNG of the strip.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from PIL import Image  # noqa: E402

from drawing import hex_rgb, lighten  # noqa: E402
from make_assets import bmp24_bytes  # noqa: E402
from make_library_art import (ICON, LIST_BACKGROUND, SS, TRANSPARENT, canvas,  # noqa: E402
                              coverage, fill, icon_dll, icon_exe, icon_ocx, poly,
                              shrink_opaque)

ICON_KEYS = ("IMG", "OCX", "HLP", "CHM", "TTF", "DLL", "EXE", "PIC", "AVI", "BOOK", "FILE",
             "NEWS")


def rect(d, x0, y0, x1, y1):
    d.rectangle([x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1], fill=255)


def shape(img, colour, draw):
    m, d = coverage(ICON)
    draw(d)
    fill(img, m, colour)


def page(img, paper=(255, 255, 255)):
    """A sheet with its top right corner folded."""
    shape(img, hex_rgb("#5A6270"), lambda d: poly(d, [(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)]))
    shape(img, paper, lambda d: poly(d, [(4, 2), (9.5, 2), (12, 4.5), (12, 14), (4, 14)]))
    shape(img, hex_rgb("#B8C0CC"), lambda d: poly(d, [(9.5, 2), (12, 4.5), (9.5, 4.5)]))


def book(img, cover, mark=None):
    """A closed book seen from the front, with a light page edge on the right."""
    shape(img, cover, lambda d: d.rounded_rectangle([2 * SS, 1 * SS, 13 * SS, 15 * SS],
                                                     radius=SS, fill=255))
    shape(img, (250, 246, 232), lambda d: rect(d, 12, 2, 14, 15))
    shape(img, lighten(cover, 0.35), lambda d: rect(d, 3, 2, 4, 14))
    if mark:
        mark(img)


def question(img):
    shape(img, (255, 255, 255), lambda d: d.arc([5.5 * SS, 3.5 * SS, 10.5 * SS, 8.5 * SS],
                                                  200, 90, fill=255, width=int(1.4 * SS)))
    shape(img, (255, 255, 255), lambda d: rect(d, 7.3, 8, 8.7, 10.5))
    shape(img, (255, 255, 255), lambda d: rect(d, 7.3, 11.5, 8.7, 13))


def icon_img():
    """A picture: sky, sun and a green hill in a frame."""
    img = canvas(ICON)
    shape(img, hex_rgb("#5A6270"), lambda d: rect(d, 1, 2, 15, 14))
    shape(img, hex_rgb("#8FD3F4"), lambda d: rect(d, 2, 3, 14, 13))
    shape(img, hex_rgb("#F2B632"), lambda d: d.ellipse([9 * SS, 4 * SS, 12 * SS, 7 * SS], fill=255))
    shape(img, hex_rgb("#2FA84F"), lambda d: poly(d, [(2, 13), (2, 10), (6, 6.5), (10, 10.5),
                                                      (14, 8.5), (14, 13)]))
    return img


def icon_hlp():
    img = canvas(ICON)
    book(img, hex_rgb("#2D6BD6"), question)
    return img


def icon_chm():
    img = canvas(ICON)
    book(img, hex_rgb("#8A3FB8"), question)
    shape(img, hex_rgb("#F2B632"), lambda d: rect(d, 2, 1, 13, 3))
    return img


def icon_ttf():
    """A font: two blue letter T's, a large one in front of a small one."""
    img = canvas(ICON)
    shape(img, hex_rgb("#9AA3B0"), lambda d: (rect(d, 1, 2, 8, 4), rect(d, 3.5, 2, 5.5, 10)))
    shape(img, hex_rgb("#1F4FA8"), lambda d: (rect(d, 5, 5, 15, 7.5), rect(d, 8.7, 5, 11.3, 15)))
    return img


def icon_pic():
    """A painting: a palette with colour spots."""
    img = canvas(ICON)
    shape(img, hex_rgb("#8A5A2B"), lambda d: d.ellipse([1 * SS, 2 * SS, 15 * SS, 14 * SS],
                                                        fill=255))
    shape(img, hex_rgb("#D9A866"), lambda d: d.ellipse([2 * SS, 3 * SS, 14 * SS, 13 * SS],
                                                        fill=255))
    for colour, (x, y) in ((hex_rgb("#E04848"), (4, 5)), (hex_rgb("#2D6BD6"), (7.5, 4)),
                           (hex_rgb("#2FA84F"), (4, 8.5))):
        shape(img, colour, lambda d, x=x, y=y: d.ellipse([x * SS, y * SS, (x + 2.5) * SS,
                                                           (y + 2.5) * SS], fill=255))
    return img


def icon_avi():
    """A film strip with its perforations."""
    img = canvas(ICON)
    shape(img, hex_rgb("#2B2F36"), lambda d: rect(d, 2, 1, 14, 15))
    shape(img, hex_rgb("#8FD3F4"), lambda d: (rect(d, 5, 2.5, 11, 7), rect(d, 5, 9, 11, 13.5)))
    for y in (2, 5, 8, 11, 13.5):
        shape(img, (255, 255, 255), lambda d, y=y: (rect(d, 2.7, y, 4, y + 1.2),
                                                    rect(d, 12, y, 13.3, y + 1.2)))
    return img


def icon_book():
    img = canvas(ICON)
    book(img, hex_rgb("#B8322E"))
    shape(img, hex_rgb("#F2B632"), lambda d: (rect(d, 6, 4, 11, 5), rect(d, 6, 6.5, 10, 7.5)))
    return img


def icon_file():
    img = canvas(ICON)
    page(img)
    return img


def icon_news():
    """A newspaper: a page with a headline and columns of lines."""
    img = canvas(ICON)
    page(img)
    shape(img, hex_rgb("#2B2F36"), lambda d: rect(d, 5, 4, 9, 6))
    for y in (7.5, 9.5, 11.5):
        shape(img, hex_rgb("#7A828F"), lambda d, y=y: (rect(d, 5, y, 7.7, y + 1),
                                                       rect(d, 8.5, y, 11, y + 1)))
    return img


ICON_MAKERS = {"IMG": icon_img, "OCX": icon_ocx, "HLP": icon_hlp, "CHM": icon_chm,
               "TTF": icon_ttf, "DLL": icon_dll, "EXE": icon_exe, "PIC": icon_pic,
               "AVI": icon_avi, "BOOK": icon_book, "FILE": icon_file, "NEWS": icon_news}


def icon_strip():
    strip = Image.new("RGB", (ICON * len(ICON_KEYS), ICON), TRANSPARENT)
    for n, key in enumerate(ICON_KEYS):
        colour, alpha = shrink_opaque(ICON_MAKERS[key](), ICON, LIST_BACKGROUND)
        shown = alpha.point(lambda a: 255 if a >= 64 else 0)
        strip.paste(colour, (ICON * n, 0), shown)
    return strip


def main(argv=None):
    repo = os.path.dirname(os.path.dirname(HERE))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(repo, "src", "iupdate", "win", "art"))
    ap.add_argument("--preview", metavar="DIR", help="also write an enlarged PNG into DIR")
    args = ap.parse_args(argv)
    strip = icon_strip()
    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "wizard_icons.bmp"), "wb") as f:
        f.write(bmp24_bytes(strip))
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        strip.resize((strip.width * 8, strip.height * 8), Image.NEAREST).save(
            os.path.join(args.preview, "wizard_icons_8x.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
