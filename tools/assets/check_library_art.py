#!/usr/bin/python3
"""Checks the component library's pictures in src/iupdate/win/art/.

    /usr/bin/python3 tools/assets/check_library_art.py [--dir DIR] [--regenerate]

The logo is drawn as AND with its mask, then OR with the logo: the mask must
be black and white only, the logo black wherever the mask is white (anything
else tints the background around the emblem), and the emblem must be a shape,
not the whole square.  The four icons of the components list must each show
something on the transparent magenta and differ from each other in shape.
Exits with 1 and one line per failure, else 0.  --regenerate also compares
the files with a fresh run of make_library_art.py.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from check_assets import Failures, read_bmp24, run_checks  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_DIR = os.path.join(REPO, "src", "iupdate", "win", "art")
FILES = ["logo.bmp", "logo_mask.bmp", "component_icons.bmp"]
LOGO = (64, 64)
ICON = 16
ICON_KEYS = ("EXE", "OCX", "DLL", "MCD")
TRANSPARENT = (255, 0, 255)
BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def check_logo(logo, mask, fails):
    grey = [p for p, c in mask.items() if c not in (BLACK, WHITE)]
    fails.check(not grey, "logo_mask.bmp: %d pixels neither black nor white, first %s"
                % (len(grey), sorted(grey)[:3]))
    tinting = [p for p, c in mask.items() if c == WHITE and logo[p] != BLACK]
    fails.check(not tinting, "logo.bmp: %d pixels not black where the mask is white, first %s"
                % (len(tinting), sorted(tinting)[:3]))
    emblem = [p for p, c in mask.items() if c == BLACK]
    fails.check(len(emblem) >= LOGO[0] * LOGO[1] // 4,
                "logo_mask.bmp: the emblem covers only %d pixels" % len(emblem))
    corners = [(0, 0), (63, 63), (0, 63)]
    fails.check(all(mask[p] == WHITE for p in corners),
                "logo_mask.bmp: the corners are not transparent, so the emblem is a square")
    fails.check(len({logo[p] for p in emblem}) >= 8,
                "logo.bmp: the emblem has hardly any colours")


def icon_shapes(icons, fails):
    shapes = []
    for n, key in enumerate(ICON_KEYS):
        shape = frozenset((x, y) for y in range(ICON) for x in range(ICON)
                          if icons[(ICON * n + x, y)] != TRANSPARENT)
        fails.check(40 <= len(shape) < ICON * ICON,
                    "component_icons.bmp: icon %s shows %d of %d pixels" % (key, len(shape), ICON * ICON))
        shapes.append(shape)
    for a in range(len(shapes)):
        for b in range(a + 1, len(shapes)):
            union = shapes[a] | shapes[b]
            overlap = len(shapes[a] & shapes[b]) / float(len(union) or 1)
            fails.check(overlap < 0.85, "component_icons.bmp: icons %s and %s have the same shape"
                        % (ICON_KEYS[a], ICON_KEYS[b]))


def check_dir(directory):
    fails = Failures()
    blobs = {}
    for f in FILES:
        path = os.path.join(directory, f)
        if fails.check(os.path.isfile(path), "%s: missing" % f):
            with open(path, "rb") as fh:
                blobs[f] = fh.read()
    if len(blobs) != len(FILES):
        return fails
    logo = read_bmp24(blobs["logo.bmp"], "logo.bmp", fails, LOGO)
    mask = read_bmp24(blobs["logo_mask.bmp"], "logo_mask.bmp", fails, LOGO)
    if logo and mask:
        check_logo(logo, mask, fails)
    icons = read_bmp24(blobs["component_icons.bmp"], "component_icons.bmp", fails,
                       (ICON * len(ICON_KEYS), ICON))
    if icons:
        icon_shapes(icons, fails)
    return fails


def main(argv=None):
    return run_checks(argv, "Checks the component library's pictures.", "library art",
                      DEFAULT_DIR, FILES, check_dir, "make_library_art.py")


if __name__ == "__main__":
    sys.exit(main())
