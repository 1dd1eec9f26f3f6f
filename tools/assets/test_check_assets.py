#!/usr/bin/python3
"""Proves that check_assets.py notices broken pictures: each test damages one
copy of the generated files in the way a real fault would and expects the
matching failure.  Run: /usr/bin/python3 tools/assets/test_check_assets.py"""

import io
import os
import shutil
import struct
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check_assets  # noqa: E402

from PIL import Image  # noqa: E402


class DamagedAssets(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        for f in check_assets.FILES:
            shutil.copy(os.path.join(check_assets.DEFAULT_DIR, f), self.tmp)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def path(self, name):
        return os.path.join(self.tmp, name)

    def patch(self, name, offset, data):
        with open(self.path(name), "r+b") as f:
            f.seek(offset)
            f.write(data)

    def failures(self):
        return check_assets.check_dir(self.tmp)

    def assertFailsWith(self, text):
        fails = self.failures()
        self.assertTrue(any(text in f for f in fails), "no failure mentioning %r in %r" % (text, fails))

    def pixel_offset(self, x, y):
        stride = (71 * 3 + 3) & ~3
        return 54 + (95 - y) * stride + 3 * x

    def test_generated_files_pass(self):
        self.assertEqual(self.failures(), [])

    def test_missing_pil_fails_instead_of_skipping_the_faces(self):
        real = check_assets.have_pil
        check_assets.have_pil = lambda: False
        try:
            self.assertFailsWith("PIL is missing")
        finally:
            check_assets.have_pil = real

    def test_missing_file(self):
        os.remove(self.path("back.bmp"))
        self.assertFailsWith("back.bmp: missing")

    def test_mask_with_a_wrong_corner_pixel(self):
        self.patch("card_mask.bmp", self.pixel_offset(2, 0), b"\xff\xff\xff")
        self.assertFailsWith("card_mask.bmp: pixel set differs")

    def test_mask_upside_down(self):
        # a top-down bitmap (negative height) would put rows in the wrong order
        self.patch("card_mask.bmp", 22, struct.pack("<i", -96))
        self.assertFailsWith("card_mask.bmp: 71 x -96")

    def test_border_missing_a_diagonal_corner(self):
        self.patch("card_border.bmp", self.pixel_offset(69, 94), b"\xff\xff\xff")
        self.assertFailsWith("card_border.bmp: pixel set differs")

    def test_back_not_24_bit(self):
        self.patch("back.bmp", 28, struct.pack("<H", 32))
        self.assertFailsWith("back.bmp: 32 bpp")

    def test_hand_hotspot_moved(self):
        self.patch("hand.cur", 10, struct.pack("<HH", 0, 0))
        self.assertFailsWith("hot spot (0, 0)")

    def test_icon_directory_instead_of_cursor(self):
        self.patch("transparent.cur", 2, struct.pack("<H", 1))
        self.assertFailsWith("transparent.cur: directory")

    def test_transparent_cursor_with_a_visible_pixel(self):
        # first byte of the AND mask (bottom row): clear one bit
        self.patch("transparent.cur", 22 + 40 + 8 + 128, b"\x7f")
        self.assertFailsWith("AND mask is not all ones")

    def test_icon_without_48(self):
        self.patch("quillon.ico", 4, struct.pack("<H", 2))
        self.assertFailsWith("quillon.ico: sizes [16, 32]")

    def test_progressive_jpeg_refused(self):
        img = Image.open(self.path("cardset.jpg"))
        img.save(self.path("cardset.jpg"), "JPEG", quality=90, progressive=True)
        self.assertFailsWith("not a baseline")

    def test_two_faces_differing_only_in_colour(self):
        img = Image.open(self.path("cardset.jpg")).convert("RGB")
        face = img.crop((0, 0, 71, 96))
        r, g, b = face.split()
        img.paste(Image.merge("RGB", (b, r, g)), (71 * 7, 0))
        buf = io.BytesIO()
        img.save(buf, "JPEG", quality=92)
        with open(self.path("cardset.jpg"), "wb") as f:
            f.write(buf.getvalue())
        self.assertFailsWith("faces (0, 7) look alike without colour")

    def test_blank_face(self):
        img = Image.open(self.path("cardset.jpg")).convert("RGB")
        img.paste((240, 236, 230), (71 * 24, 0, 71 * 25, 96))
        img.save(self.path("cardset.jpg"), "JPEG", quality=92)
        self.assertFailsWith("face 24 is nearly blank")


if __name__ == "__main__":
    unittest.main()
