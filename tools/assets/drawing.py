"""Small drawing kit shared by the asset generators.

Shapes are described in "units": a square box is 100 units wide, whatever its
size in pixels, so the same description renders the large picture of a card and
its small corner mark.  Every shape is first rasterised into a binary mask at a
supersampled size; the caller downsamples the finished picture, which gives the
antialiasing.
"""

import math

from PIL import Image, ImageChops, ImageDraw

CREAM = (252, 249, 240)
BOARD_GREEN = (0, 128, 0)


def hex_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """Linear blend from colour a (t = 0) to colour b (t = 1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def rotate_points(pts, angle_deg, cx=50.0, cy=50.0):
    a = math.radians(angle_deg)
    ca, sa = math.cos(a), math.sin(a)
    out = []
    for x, y in pts:
        dx, dy = x - cx, y - cy
        out.append((cx + dx * ca - dy * sa, cy + dx * sa + dy * ca))
    return out


def ellipse_points(cx, cy, rx, ry, angle_deg=0.0, steps=72):
    pts = [(cx + rx * math.cos(2 * math.pi * i / steps),
            cy + ry * math.sin(2 * math.pi * i / steps)) for i in range(steps)]
    return rotate_points(pts, angle_deg, cx, cy) if angle_deg else pts


def arc_points(cx, cy, r, a0_deg, a1_deg, steps=48):
    """Points along a circle; angles in degrees, 0 = east, 90 = south."""
    return [(cx + r * math.cos(math.radians(a0_deg + (a1_deg - a0_deg) * i / steps)),
             cy + r * math.sin(math.radians(a0_deg + (a1_deg - a0_deg) * i / steps)))
            for i in range(steps + 1)]


def dilate(mask, radius):
    """Grow a binary mask by a disk of the given radius in pixels."""
    r = int(math.ceil(radius))
    if r <= 0:
        return mask
    out = mask.copy()
    blank = Image.new("L", mask.size, 0)
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if (dx or dy) and dx * dx + dy * dy <= radius * radius + 0.25:
                shifted = blank.copy()
                shifted.paste(mask, (dx, dy))
                out = ImageChops.lighter(out, shifted)
    return out


class Mask:
    """A binary mask over a square box of `px` pixels, drawn in units."""

    def __init__(self, px):
        self.px = px
        self.k = px / 100.0
        self.im = Image.new("L", (px, px), 0)
        self.d = ImageDraw.Draw(self.im)

    def _p(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def poly(self, pts, on=True):
        self.d.polygon(self._p(pts), fill=255 if on else 0)
        return self

    def ellipse(self, cx, cy, rx, ry, angle=0.0, on=True):
        if angle:
            return self.poly(ellipse_points(cx, cy, rx, ry, angle), on)
        k = self.k
        self.d.ellipse([(cx - rx) * k, (cy - ry) * k, (cx + rx) * k, (cy + ry) * k],
                       fill=255 if on else 0)
        return self

    def circle(self, cx, cy, r, on=True):
        return self.ellipse(cx, cy, r, r, on=on)

    def rect(self, x0, y0, x1, y1, radius=0.0, on=True):
        k = self.k
        box = [x0 * k, y0 * k, x1 * k, y1 * k]
        if radius:
            self.d.rounded_rectangle(box, radius=radius * k, fill=255 if on else 0)
        else:
            self.d.rectangle(box, fill=255 if on else 0)
        return self

    def line(self, pts, width, on=True, caps=True):
        self.d.line(self._p(pts), fill=255 if on else 0, width=max(1, int(round(width * self.k))),
                    joint="curve")
        if caps:
            for x, y in (pts[0], pts[-1]):
                self.circle(x, y, width / 2.0, on=on)
        return self

    def clip(self, other):
        """Keep only the part of this mask that lies inside the other mask."""
        self.im = ImageChops.darker(self.im, other.im)
        self.d = ImageDraw.Draw(self.im)
        return self

    def ring(self, cx, cy, r, width, on=True):
        self.circle(cx, cy, r + width / 2.0, on=on)
        self.circle(cx, cy, r - width / 2.0, on=not on)
        return self


class Layer:
    """An RGBA picture of a square box, painted mask by mask."""

    def __init__(self, px, outline_px):
        self.px = px
        self.outline_px = outline_px
        self.im = Image.new("RGBA", (px, px), (0, 0, 0, 0))
        self._ramp = Image.linear_gradient("L").resize((px, px))

    def mask(self):
        return Mask(self.px)

    def _solid(self, colour, alpha):
        layer = Image.new("RGBA", (self.px, self.px), colour + (255,))
        layer.putalpha(alpha)
        self.im.alpha_composite(layer)

    def paint(self, m, colour, outline=None, shade=0.22, outline_scale=1.0):
        """Fill mask m with colour, shaded from light at the top to the colour
        at the bottom, after a dark outline around it (unless outline is False)."""
        if outline is not False:
            oc = outline if outline else darken(colour, 0.55)
            self._solid(oc, dilate(m.im, self.outline_px * outline_scale))
        top = Image.new("RGBA", (self.px, self.px), lighten(colour, shade) + (255,))
        bottom = Image.new("RGBA", (self.px, self.px), darken(colour, shade * 0.35) + (255,))
        fill = Image.composite(bottom, top, self._ramp)
        fill.putalpha(m.im)
        self.im.alpha_composite(fill)
        return self

    def flat(self, m, colour):
        """Fill mask m with one colour, no outline and no shading."""
        self._solid(colour, m.im)
        return self
