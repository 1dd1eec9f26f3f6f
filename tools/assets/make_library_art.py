#!/usr/bin/python3
"""Generates the component library's pictures into src/iupdate/win/art/.

    /usr/bin/python3 tools/assets/make_library_art.py [--out DIR] [--preview DIR]

logo.bmp and logo_mask.bmp: the maker's emblem, 64 x 64, 24 bits.  The About
box draws the mask with AND and then the logo with OR, so the mask is white
where the background shows and black under the emblem, and the logo is black
wherever the mask is white.  The edge is decided by a threshold of the
supersampled coverage: a mask has no half-transparent pixels, so the logo's
edge pixels take the emblem's own colour rather than a blend with black,
which would leave a dark fringe on a light background.

component_icons.bmp: the four 16 x 16 icons of the components list side by
side, in the order of the library's ICONS values (EXE, OCX, DLL, MCD), on
magenta (255, 0, 255), which the list's image list makes transparent.

Every run writes the same bytes.  --preview writes enlarged PNG pictures of
the logo over a light and a dark background and of the icons.
"""

import argparse
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from PIL import Image, ImageChops, ImageDraw, ImageFilter  # noqa: E402

from drawing import darken, hex_rgb, lighten, mix  # noqa: E402
from make_assets import bmp24_bytes  # noqa: E402

LOGO = 64
ICON = 16
SS = 8  # supersampling factor
TRANSPARENT = (255, 0, 255)
# What the icons' soft edges are blended with: the list's white background.
LIST_BACKGROUND = (255, 255, 255)
ICON_ORDER = ("EXE", "OCX", "DLL", "MCD")

NAVY = hex_rgb("#14305E")
TEAL = hex_rgb("#1B8C9A")
ICE = hex_rgb("#BFF0F2")
GOLD = hex_rgb("#F2B632")


def canvas(px):
    return Image.new("RGBA", (px * SS, px * SS), (0, 0, 0, 0))


def coverage(px):
    img = Image.new("L", (px * SS, px * SS), 0)
    return img, ImageDraw.Draw(img)


def fill(img, mask, colour):
    layer = Image.new("RGBA", img.size, colour + (255,))
    layer.putalpha(mask)
    img.alpha_composite(layer)


def gradient_fill(img, mask, top, bottom):
    ramp = Image.linear_gradient("L").resize(img.size)
    layer = Image.composite(Image.new("RGBA", img.size, bottom + (255,)),
                            Image.new("RGBA", img.size, top + (255,)), ramp)
    layer.putalpha(mask)
    img.alpha_composite(layer)


def poly(draw, pts, scale=SS):
    draw.polygon([(x * scale, y * scale) for x, y in pts], fill=255)


# ---------------------------------------------------------------- logo

def emblem():
    """The Veltrane emblem, supersampled RGBA: a disc fading from navy to teal,
    a spark breaking out of its rim at the top right, and a V of two tapered
    blades, the left one pale ice, the right one white over it, in a gold ring."""
    img = canvas(LOGO)
    disc, d = coverage(LOGO)
    d.ellipse([3 * SS, 5 * SS, 59 * SS, 61 * SS], fill=255)
    gradient_fill(img, disc, lighten(NAVY, 0.12), TEAL)

    ring, d = coverage(LOGO)
    d.ellipse([3 * SS, 5 * SS, 59 * SS, 61 * SS], outline=255, width=int(2.2 * SS))
    fill(img, ring, GOLD)

    spark, d = coverage(LOGO)
    cx, cy = 53.0, 10.0
    pts = []
    for i in range(8):
        r = 9.5 if i % 2 == 0 else 3.0
        a = math.radians(-90 + 45 * i)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    poly(d, pts)
    fill(img, spark, GOLD)

    left, d = coverage(LOGO)
    poly(d, [(13, 17), (23, 17), (33.5, 50), (29.5, 53)])
    fill(img, left, ICE)
    right, d = coverage(LOGO)
    poly(d, [(49, 17), (39, 17), (28.5, 50), (32.5, 53)])
    fill(img, right, (255, 255, 255))
    return img


def shrink_opaque(img, px, background=None):
    """Downsamples a supersampled RGBA picture to px x px.  Returns the RGB
    picture and the coverage in 0..255.  Colours are averaged over the covered
    part of each pixel only (unless a background is given to blend with), so
    an edge pixel keeps the colour of what covers it."""
    rgba = img.resize((px, px), Image.BOX)
    alpha = rgba.getchannel("A")
    premultiplied = Image.new("RGB", img.size, (0, 0, 0))
    premultiplied.paste(img.convert("RGB"), mask=img.getchannel("A"))
    summed = premultiplied.resize((px, px), Image.BOX)
    out = Image.new("RGB", (px, px))
    for y in range(px):
        for x in range(px):
            a = alpha.getpixel((x, y))
            if a == 0:
                continue
            r, g, b = summed.getpixel((x, y))
            if background is None:
                colour = tuple(min(255, int(round(c * 255.0 / a))) for c in (r, g, b))
            else:
                colour = tuple(min(255, int(round(c + bg * (255 - a) / 255.0)))
                               for c, bg in zip((r, g, b), background))
            out.putpixel((x, y), colour)
    return out, alpha


def logo_pair():
    colour, alpha = shrink_opaque(emblem(), LOGO)
    inside = alpha.point(lambda a: 255 if a >= 128 else 0)
    logo = Image.composite(colour, Image.new("RGB", (LOGO, LOGO), (0, 0, 0)), inside)
    mask = Image.composite(Image.new("RGB", (LOGO, LOGO), (0, 0, 0)),
                           Image.new("RGB", (LOGO, LOGO), (255, 255, 255)), inside)
    return logo, mask


# ---------------------------------------------------------------- icons

def icon_exe():
    """A program window: grey frame, blue title bar, white client area."""
    img = canvas(ICON)
    m, d = coverage(ICON)
    d.rectangle([1 * SS, 2 * SS, 15 * SS - 1, 14 * SS - 1], fill=255)
    fill(img, m, hex_rgb("#5A6270"))
    m, d = coverage(ICON)
    d.rectangle([2 * SS, 3 * SS, 14 * SS - 1, 6 * SS - 1], fill=255)
    fill(img, m, hex_rgb("#2D6BD6"))
    m, d = coverage(ICON)
    d.rectangle([2 * SS, 6 * SS, 14 * SS - 1, 13 * SS - 1], fill=255)
    fill(img, m, (255, 255, 255))
    m, d = coverage(ICON)
    d.rectangle([11 * SS, 3.8 * SS, 13 * SS, 5.2 * SS], fill=255)
    fill(img, m, hex_rgb("#E04848"))
    return img


def icon_ocx():
    """A control: a green puzzle piece."""
    img = canvas(ICON)
    m, d = coverage(ICON)
    d.rounded_rectangle([2 * SS, 4 * SS, 12 * SS, 14 * SS], radius=1.5 * SS, fill=255)
    d.ellipse([5 * SS, 1 * SS, 9 * SS, 5 * SS], fill=255)      # knob on top
    d.ellipse([11 * SS, 7 * SS, 15 * SS, 11 * SS], fill=255)   # knob on the right
    d.ellipse([0 * SS, 7 * SS, 4 * SS, 11 * SS], fill=0)       # socket on the left
    fill(img, m, darken(hex_rgb("#2FA84F"), 0.45))
    inner = m.filter(ImageFilter.MinFilter(int(1.5 * SS) | 1))
    gradient_fill(img, inner, lighten(hex_rgb("#2FA84F"), 0.35), hex_rgb("#2FA84F"))
    return img


def icon_dll():
    """A library: an amber cog with a hole."""
    img = canvas(ICON)
    m, d = coverage(ICON)
    cx = cy = 8.0
    pts = []
    teeth = 8
    for i in range(teeth * 4):
        a = 2 * math.pi * (i - 0.5) / (teeth * 4)
        r = 7.6 if (i % 4) in (1, 2) else 5.6
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    poly(d, pts)
    d.ellipse([(cx - 2.3) * SS, (cy - 2.3) * SS, (cx + 2.3) * SS, (cy + 2.3) * SS], fill=0)
    fill(img, m, darken(hex_rgb("#E89A1C"), 0.4))
    inner = m.filter(ImageFilter.MinFilter(int(1.2 * SS) | 1))
    gradient_fill(img, inner, lighten(hex_rgb("#E89A1C"), 0.4), hex_rgb("#E89A1C"))
    return img


def icon_mcd():
    """A media driver: a silver disc with a rainbow sheen and a hole."""
    img = canvas(ICON)
    m, d = coverage(ICON)
    d.ellipse([0.8 * SS, 0.8 * SS, 15.2 * SS, 15.2 * SS], fill=255)
    d.ellipse([6.4 * SS, 6.4 * SS, 9.6 * SS, 9.6 * SS], fill=0)
    fill(img, m, hex_rgb("#6E7683"))
    inner = m.filter(ImageFilter.MinFilter(SS | 1))
    fill(img, inner, hex_rgb("#D9DEE6"))
    sheen, d = coverage(ICON)
    d.pieslice([1 * SS, 1 * SS, 15 * SS, 15 * SS], 200, 250, fill=255)
    fill(img, ImageChops.darker(sheen, inner), hex_rgb("#8FD3F4"))
    sheen, d = coverage(ICON)
    d.pieslice([1 * SS, 1 * SS, 15 * SS, 15 * SS], 20, 70, fill=255)
    fill(img, ImageChops.darker(sheen, inner), hex_rgb("#F4B8E4"))
    return img


ICON_MAKERS = {"EXE": icon_exe, "OCX": icon_ocx, "DLL": icon_dll, "MCD": icon_mcd}


def icon_strip():
    strip = Image.new("RGB", (ICON * len(ICON_ORDER), ICON), TRANSPARENT)
    for n, key in enumerate(ICON_ORDER):
        colour, alpha = shrink_opaque(ICON_MAKERS[key](), ICON, LIST_BACKGROUND)
        shown = alpha.point(lambda a: 255 if a >= 64 else 0)
        strip.paste(colour, (ICON * n, 0), shown)
    return strip


# ---------------------------------------------------------------- main

def build(outdir):
    os.makedirs(outdir, exist_ok=True)
    logo, mask = logo_pair()
    icons = icon_strip()
    files = {
        "logo.bmp": bmp24_bytes(logo),
        "logo_mask.bmp": bmp24_bytes(mask),
        "component_icons.bmp": bmp24_bytes(icons),
    }
    for name, data in files.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return logo, mask, icons


def write_previews(outdir, logo, mask, icons):
    os.makedirs(outdir, exist_ok=True)
    sheet = Image.new("RGB", (LOGO * 2 + 30, LOGO + 20), (236, 233, 216))
    sheet.paste((40, 40, 40), (LOGO + 20, 0, LOGO * 2 + 30, LOGO + 20))
    for x in (10, LOGO + 20):
        place = sheet.crop((x, 10, x + LOGO, 10 + LOGO))
        # AND with the mask, then OR with the logo: the two never overlap, so OR is a sum.
        drawn = ImageChops.add(ImageChops.multiply(place, mask), logo)
        sheet.paste(drawn, (x, 10))
    sheet.resize((sheet.width * 4, sheet.height * 4), Image.NEAREST).save(
        os.path.join(outdir, "logo_4x.png"))
    icons.resize((icons.width * 8, icons.height * 8), Image.NEAREST).save(
        os.path.join(outdir, "icons_8x.png"))


def main(argv=None):
    repo = os.path.dirname(os.path.dirname(HERE))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(repo, "src", "iupdate", "win", "art"))
    ap.add_argument("--preview", metavar="DIR", help="also write PNG previews into DIR")
    args = ap.parse_args(argv)
    logo, mask, icons = build(args.out)
    if args.preview:
        write_previews(args.preview, logo, mask, icons)
    return 0


if __name__ == "__main__":
    sys.exit(main())
