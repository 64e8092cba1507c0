#!/usr/bin/env python3
"""Writes the SVG pictures and animation descriptions of the shop's environment art under
assets/src/pictures and assets/src/anims. Run it after changing a drawing part; the written
sources are committed and reviewable on their own."""
import sys

import items
import shop
import backgrounds
import ui
import screens
import collapse
import bazaar
import trophies

PARTS = [items, shop, backgrounds, ui, screens, collapse, bazaar, trophies]

if __name__ == '__main__':
    for part in PARTS:
        part.build()
    sys.exit(0)
