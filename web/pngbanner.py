#!/usr/bin/python3
"""Writes a banner as PNG, pixel for pixel: the page carries the banners in a
form a few kilobytes large instead of the desktop's bitmaps.

    pngbanner.py BANNER.bmp BANNER.png"""

import sys

from PIL import Image

source, target = sys.argv[1:3]
with Image.open(source) as banner:
    banner.convert('RGB').save(target, optimize=True)
