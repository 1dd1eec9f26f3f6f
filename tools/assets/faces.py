"""The 25 pictures of the default card set.

Every face has its own symbol, so the cards can be told apart by shape alone,
and its own colour.  A symbol is drawn in a 100 x 100 unit box (x to the right,
y downwards) by a function that paints masks onto a Layer.
"""

import math

from drawing import (arc_points, darken, ellipse_points, hex_rgb, lighten,
                     rotate_points)

WHITE = (255, 255, 255)
GOLDEN = hex_rgb("#FFD54A")
LEAF_GREEN = hex_rgb("#4CAF50")


def sun(L, c):
    m = L.mask()
    for i in range(12):
        a = math.radians(i * 30 - 90)
        tip = 47 if i % 2 == 0 else 39
        half = math.radians(9)
        m.poly([(50 + 25 * math.cos(a - half), 50 + 25 * math.sin(a - half)),
                (50 + tip * math.cos(a), 50 + tip * math.sin(a)),
                (50 + 25 * math.cos(a + half), 50 + 25 * math.sin(a + half))])
    L.paint(m, c)
    L.paint(L.mask().circle(50, 50, 24), lighten(GOLDEN, 0.1))


def moon(L, c):
    m = L.mask().circle(50, 50, 42)
    m.circle(68, 38, 35, on=False)
    L.paint(m, c)
    craters = L.mask().circle(24, 64, 4.5).circle(34, 80, 3).circle(19, 46, 2.5)
    L.flat(craters, darken(c, 0.25))


def star(L, c):
    pts = []
    for i in range(10):
        r = 48 if i % 2 == 0 else 20
        a = math.radians(-90 + 36 * i)
        pts.append((50 + r * math.cos(a), 54 + r * math.sin(a)))
    L.paint(L.mask().poly(pts), c)


def heart(L, c):
    pts = []
    for i in range(120):
        t = 2 * math.pi * i / 120
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((50 + x * 2.75, 46 - y * 2.75))
    L.paint(L.mask().poly(pts), c)
    L.flat(L.mask().ellipse(33, 30, 7, 4.5, angle=-35), lighten(c, 0.55))


def anchor(L, c):
    m = L.mask()
    m.ring(50, 14, 8, 6)
    m.rect(45.5, 21, 54.5, 86, radius=2)
    m.rect(28, 29, 72, 37, radius=4)
    m.line(arc_points(50, 52, 36, 25, 155, 40), 9)
    for sx in (-1, 1):
        tip_x = 50 + sx * 36 * math.cos(math.radians(25))
        tip_y = 52 + 36 * math.sin(math.radians(25))
        m.poly([(tip_x - sx * 4, tip_y - 17), (tip_x + sx * 11, tip_y + 2), (tip_x - sx * 10, tip_y + 3)])
    L.paint(m, c)


def key(L, c):
    m = L.mask()
    m.circle(26, 50, 21)
    m.rect(40, 44, 93, 56, radius=3)
    m.rect(70, 54, 78, 70, radius=1.5)
    m.rect(83, 54, 91, 75, radius=1.5)
    m.circle(24, 50, 9, on=False)
    L.paint(m, c)
    L.flat(L.mask().ring(26, 50, 15, 2.2), lighten(c, 0.35))


def leaf(L, c):
    pts = []
    for i in range(61):
        t = i / 60
        pts.append((8 + 84 * t, 50 - 26 * math.sin(math.pi * t) ** 0.85))
    for i in range(61):
        t = 1 - i / 60
        pts.append((8 + 84 * t, 50 + 26 * math.sin(math.pi * t) ** 0.85))
    ang = -40
    m = L.mask().poly(rotate_points(pts, ang))
    m.line(rotate_points([(2, 50), (12, 50)], ang), 4)
    L.paint(m, c)
    vein = L.mask().line(rotate_points([(10, 50), (88, 50)], ang), 2.6)
    for x in (26, 42, 58, 72):
        for s in (-1, 1):
            vein.line(rotate_points([(x, 50), (x + 11, 50 + s * 13)], ang), 1.8)
    L.flat(vein, darken(c, 0.35))


def drop(L, c):
    pts = []
    for i in range(100):
        t = 2 * math.pi * i / 100
        x = math.sin(t) * math.sin(t / 2) ** 1.3
        y = math.cos(t)
        pts.append((50 + 38 * x, 52 - 44 * y))
    L.paint(L.mask().poly(pts), c)
    L.flat(L.mask().ellipse(37, 66, 5, 10, angle=20), lighten(c, 0.7))


def bell(L, c):
    m = L.mask()
    m.circle(50, 12, 6)
    m.ellipse(50, 33, 22, 17)
    body = []
    for i in range(21):
        t = i / 20
        body.append((50 - (22 + 16 * t ** 2.2), 33 + 40 * t))
    for i in range(21):
        t = 1 - i / 20
        body.append((50 + (22 + 16 * t ** 2.2), 33 + 40 * t))
    m.poly(body)
    m.rect(8, 70, 92, 79, radius=4)
    L.paint(L.mask().circle(50, 83, 8), darken(c, 0.25))
    L.paint(m, c)
    L.flat(L.mask().rect(16, 62, 84, 65.5, radius=1.5), darken(c, 0.3))


def crown(L, c):
    m = L.mask()
    m.poly([(14, 70), (9, 28), (31, 50), (50, 20), (69, 50), (91, 28), (86, 70)])
    m.rect(13, 64, 87, 82, radius=3)
    L.paint(m, c)
    balls = L.mask().circle(9, 26, 6).circle(50, 17, 6).circle(91, 26, 6)
    L.paint(balls, GOLDEN)
    gems = L.mask().circle(30, 73, 4.5).circle(50, 73, 4.5).circle(70, 73, 4.5)
    L.paint(gems, GOLDEN, outline_scale=0.7)


def fish(L, c):
    m = L.mask()
    m.ellipse(42, 50, 33, 21)
    m.poly([(66, 50), (95, 28), (88, 50), (95, 72)])
    fin = L.mask().poly([(30, 33), (46, 18), (60, 34)])
    L.paint(fin, darken(c, 0.15))
    L.paint(m, c)
    L.flat(L.mask().line(arc_points(52, 50, 15, 145, 215, 16), 2.6), darken(c, 0.35))
    L.flat(L.mask().circle(24, 45, 5.5), WHITE)
    L.flat(L.mask().circle(23, 45, 2.8), (25, 25, 25))


def tree(L, c):
    trunk = L.mask().rect(43, 76, 57, 95, radius=1.5)
    L.paint(trunk, (121, 85, 61))
    m = L.mask()
    m.poly([(50, 4), (26, 36), (74, 36)])
    m.poly([(50, 20), (18, 57), (82, 57)])
    m.poly([(50, 38), (9, 80), (91, 80)])
    L.paint(m, c)


def house(L, c):
    L.paint(L.mask().rect(66, 14, 77, 40), darken(c, 0.2))
    L.paint(L.mask().rect(19, 44, 81, 93), lighten(c, 0.15))
    L.paint(L.mask().poly([(7, 50), (50, 10), (93, 50)]), darken(c, 0.1))
    L.paint(L.mask().rect(53, 62, 70, 93), darken(c, 0.45), outline=False)
    win = L.mask().rect(27, 58, 44, 75)
    L.paint(win, GOLDEN)
    L.flat(L.mask().rect(34.5, 58, 36.5, 75).rect(27, 65.5, 44, 67.5), darken(c, 0.45))


def flower(L, c):
    stem = L.mask().line([(50, 52), (52, 72), (50, 97)], 4.5, caps=False)
    stem.ellipse(63, 80, 11, 5, angle=-30)
    L.paint(stem, LEAF_GREEN)
    m = L.mask()
    for i in range(6):
        a = 60 * i - 90
        cx = 50 + 20 * math.cos(math.radians(a))
        cy = 40 + 20 * math.sin(math.radians(a))
        m.ellipse(cx, cy, 17, 11, angle=a)
    L.paint(m, c)
    L.paint(L.mask().circle(50, 40, 11), GOLDEN)


def arrow(L, c):
    ang = -45
    shaft = L.mask().line(rotate_points([(10, 50), (72, 50)], ang), 6.5, caps=False)
    L.paint(shaft, c)
    head = L.mask().poly(rotate_points([(64, 32), (99, 50), (64, 68), (71, 50)], ang))
    L.paint(head, darken(c, 0.15))
    fl = L.mask()
    for x in (3, 17):
        fl.poly(rotate_points([(x, 33), (x + 11, 33), (x + 20, 50), (x + 11, 67), (x, 67), (x + 9, 50)], ang))
    L.paint(fl, lighten(c, 0.35))


def diamond(L, c):
    outline = [(28, 18), (72, 18), (92, 40), (50, 92), (8, 40)]
    L.paint(L.mask().poly(outline), c)
    L.flat(L.mask().poly([(28, 18), (72, 18), (62, 40), (38, 40)]), lighten(c, 0.55))
    L.flat(L.mask().poly([(8, 40), (38, 40), (50, 92)]), darken(c, 0.12))
    L.flat(L.mask().poly([(62, 40), (92, 40), (50, 92)]), lighten(c, 0.25))
    lines = L.mask()
    lines.line([(8, 40), (92, 40)], 1.8)
    for a, b in (((38, 40), (50, 92)), ((62, 40), (50, 92)), ((28, 18), (38, 40)),
                 ((72, 18), (62, 40)), ((50, 18), (38, 40)), ((50, 18), (62, 40))):
        lines.line([a, b], 1.6)
    L.flat(lines, darken(c, 0.4))


def spiral(L, c):
    pts = []
    turns = 2.6
    for i in range(241):
        t = i / 240
        a = 2 * math.pi * turns * t
        r = 3 + 41 * t
        pts.append((50 + r * math.cos(a), 50 + r * math.sin(a)))
    L.paint(L.mask().line(pts, 8.5), c)


def lightning(L, c):
    pts = [(60, 2), (20, 56), (45, 56), (33, 98), (82, 38), (55, 38), (72, 2)]
    L.paint(L.mask().poly(pts), c)


def snowflake(L, c):
    m = L.mask()
    for i in range(6):
        a = i * 60 - 90
        arm = rotate_points([(50, 50), (50 + 44, 50)], a)
        m.line(arm, 6)
        for dist, length in ((22, 15), (34, 11)):
            base = (50 + dist, 50)
            for s in (-1, 1):
                br = rotate_points([base, (50 + dist + length * 0.72, 50 + s * length * 0.72)], a)
                m.line(br, 4.5)
    m.poly(ellipse_points(50, 50, 11, 11, 30, steps=6))
    L.paint(m, c)


def mushroom(L, c):
    stem = L.mask().rect(37, 46, 63, 92, radius=10)
    L.paint(stem, hex_rgb("#F3E3C3"), outline=darken(c, 0.55))
    cap = []
    for i in range(41):
        a = math.pi + math.pi * i / 40
        cap.append((50 + 46 * math.cos(a), 56 + 46 * math.sin(a) * 0.95))
    cap += [(90, 58), (50, 52), (10, 58)]
    L.paint(L.mask().poly(cap), c)
    spots = L.mask().circle(30, 30, 6.5).circle(54, 22, 7.5).circle(73, 38, 5.5).circle(47, 42, 4.5).circle(17, 48, 3.5)
    L.flat(spots, (255, 252, 245))


def cup(L, c):
    saucer = L.mask().ellipse(47, 86, 42, 8)
    L.paint(saucer, lighten(c, 0.2))
    handle = L.mask().ring(74, 51, 11, 6.5)
    L.paint(handle, c)
    body = []
    for i in range(25):
        t = i / 24
        a = math.pi * t
        body.append((47 + 31 * math.cos(a), 36 + 44 * math.sin(a) ** 0.6))
    m = L.mask().poly([(16, 36)] + body[::-1] + [(78, 36)])
    m.rect(14, 31, 80, 38, radius=3)
    L.paint(m, c)
    steam = L.mask()
    for x in (34, 50, 64):
        steam.line([(x, 24), (x - 4, 18), (x, 12), (x - 4, 5)], 3.2)
    L.flat(steam, darken(c, 0.1))


def umbrella(L, c):
    handle = L.mask().line([(50, 48), (50, 84)], 4.5, caps=False)
    handle.line(arc_points(41, 84, 9, 0, 180, 24), 4.5)
    L.paint(handle, (90, 70, 55))
    canopy = L.mask()
    canopy.poly(arc_points(50, 56, 45, 180, 360, 60))
    for x in (16.25, 38.75, 61.25, 83.75):
        canopy.ellipse(x, 57, 11.25, 6, on=False)
    L.paint(canopy, c)
    ribs = L.mask()
    for x in (27.5, 50, 72.5):
        ribs.line([(50, 12), (x, 53)], 1.8)
    L.flat(ribs, darken(c, 0.35))
    L.paint(L.mask().circle(50, 9, 3.2), darken(c, 0.2), outline_scale=0.6)


def note(L, c):
    m = L.mask()
    m.ellipse(28, 78, 14, 10, angle=-22)
    m.ellipse(74, 70, 14, 10, angle=-22)
    m.rect(36, 22, 42, 78)
    m.rect(82, 14, 88, 70)
    m.poly([(36, 16), (88, 6), (88, 20), (36, 30)])
    L.paint(m, c)


def eye(L, c):
    lid = []
    for i in range(41):
        t = i / 40
        lid.append((5 + 90 * t, 52 - 32 * math.sin(math.pi * t) ** 0.9))
    for i in range(41):
        t = 1 - i / 40
        lid.append((5 + 90 * t, 52 + 26 * math.sin(math.pi * t) ** 0.9))
    L.paint(L.mask().poly(lid), WHITE, outline=darken(c, 0.6))
    inside = L.mask().poly(lid)
    L.flat(L.mask().circle(50, 50, 19).clip(inside), c)
    L.flat(L.mask().circle(50, 50, 8.5).clip(inside), (20, 20, 20))
    L.flat(L.mask().circle(44, 44, 4), WHITE)
    lashes = L.mask()
    for t in (0.2, 0.35, 0.5, 0.65, 0.8):
        x = 5 + 90 * t
        y = 52 - 32 * math.sin(math.pi * t) ** 0.9
        lashes.line([(x, y), (x + (t - 0.5) * 16, y - 10)], 3)
    L.flat(lashes, darken(c, 0.6))


def boat(L, c):
    sails = L.mask()
    sails.poly([(54, 8), (54, 64), (88, 64)])
    sails.poly([(46, 18), (46, 64), (16, 64)])
    L.paint(sails, hex_rgb("#FFFDF5"), outline=darken(c, 0.6))
    L.paint(L.mask().rect(48, 6, 52, 68), darken(c, 0.3))
    L.paint(L.mask().poly([(6, 68), (94, 68), (80, 86), (20, 86)]), c)
    waves = []
    for i in range(41):
        t = i / 40
        waves.append((6 + 88 * t, 93 + 2.5 * math.sin(t * 6 * math.pi)))
    L.flat(L.mask().line(waves, 3), hex_rgb("#2A7AC0"))


# (name, drawing function, colour). The order is the order of the strip.
FACES = [
    ("sun", sun, "#F26B1D"),
    ("moon", moon, "#3F51B5"),
    ("star", star, "#F5C800"),
    ("heart", heart, "#E3263B"),
    ("anchor", anchor, "#1F3B70"),
    ("key", key, "#8A96A6"),
    ("leaf", leaf, "#6DB33F"),
    ("drop", drop, "#1F8FE5"),
    ("bell", bell, "#C28A2C"),
    ("crown", crown, "#7D3C98"),
    ("fish", fish, "#00A39B"),
    ("tree", tree, "#2F7D3A"),
    ("house", house, "#B0413E"),
    ("flower", flower, "#EC5FA5"),
    ("arrow", arrow, "#8E1B3A"),
    ("diamond", diamond, "#17B8CF"),
    ("spiral", spiral, "#8E5CD9"),
    ("lightning", lightning, "#FFA000"),
    ("snowflake", snowflake, "#5BB8E8"),
    ("mushroom", mushroom, "#D32F2F"),
    ("cup", cup, "#C2185B"),
    ("umbrella", umbrella, "#8A9B20"),
    ("note", note, "#33333D"),
    ("eye", eye, "#7A4E2D"),
    ("boat", boat, "#A0522D"),
]
