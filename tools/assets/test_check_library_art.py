#!/usr/bin/python3
"""Proves that check_library_art.py notices the faults that would show in the
About box: a logo that tints the background around the emblem, a mask with
grey in it, a square emblem, and two list icons of the same shape.
Run: /usr/bin/python3 tools/assets/test_check_library_art.py"""

import os
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check_library_art  # noqa: E402

from PIL import Image  # noqa: E402
from make_assets import bmp24_bytes  # noqa: E402


class DamagedLibraryArt(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        for f in check_library_art.FILES:
            shutil.copy(os.path.join(check_library_art.DEFAULT_DIR, f), self.tmp)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def edit(self, name, change):
        path = os.path.join(self.tmp, name)
        img = Image.open(path).convert("RGB")
        change(img)
        with open(path, "wb") as f:
            f.write(bmp24_bytes(img))

    def assertFailsWith(self, text):
        fails = check_library_art.check_dir(self.tmp)
        self.assertTrue(any(text in f for f in fails), "no failure mentioning %r in %r" % (text, fails))

    def test_generated_files_pass(self):
        self.assertEqual(check_library_art.check_dir(self.tmp), [])

    def test_logo_colour_outside_the_emblem(self):
        self.edit("logo.bmp", lambda img: img.putpixel((0, 0), (236, 233, 216)))
        self.assertFailsWith("logo.bmp: 1 pixels not black where the mask is white")

    def test_mask_with_a_soft_edge(self):
        self.edit("logo_mask.bmp", lambda img: img.putpixel((31, 4), (128, 128, 128)))
        self.assertFailsWith("logo_mask.bmp: 1 pixels neither black nor white")

    def test_square_emblem(self):
        self.edit("logo_mask.bmp", lambda img: img.paste((0, 0, 0), (0, 0, 64, 64)))
        self.assertFailsWith("the emblem is a square")

    def test_two_icons_alike(self):
        self.edit("component_icons.bmp", lambda img: img.paste(img.crop((0, 0, 16, 16)), (48, 0)))
        self.assertFailsWith("icons EXE and MCD have the same shape")


if __name__ == "__main__":
    unittest.main()
