#!/usr/bin/env python3
"""Writes the first PNG image inside a Windows icon file (the program's 256-pixel one) to a file.

    icon_png.py ICON.ico OUT.png
"""
import struct, sys
data = open(sys.argv[1], "rb").read()
count = struct.unpack_from("<H", data, 4)[0]
for i in range(count):
    width, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
    image = data[offset:offset + size]
    if image.startswith(b"\x89PNG"):
        open(sys.argv[2], "wb").write(image)
        sys.exit(0)
sys.exit("no PNG image in " + sys.argv[1])
