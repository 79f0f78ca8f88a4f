#!/usr/bin/env python3
"""Writes the reference pictures of the BMP tests with ImageMagick's convert.

Each picture is made from pixels chosen here, in values that survive the
file's format exactly (5-bit channels only take values that widen back to
themselves, and so on). <name>.bmp is what convert wrote; <name>.txt holds
the expected 0xAARRGGBB pixels, top row first: only a 32-bit pixel keeps its
alpha, every other depth reads as opaque. Run it from this folder; the
tests need only its outputs.
"""
import random
import subprocess

WIDTH, HEIGHT = 13, 7


def survivors(bits):
    """Channel values that come back unchanged through `bits` bits, whether the
    writer truncates or rounds, and the reader repeats the top bits."""
    top = (1 << bits) - 1
    values = []
    for k in range(top + 1):
        wide, filled = 0, 0
        while filled < 8:
            wide, filled = (wide << bits) | k, filled + bits
        wide >>= filled - 8
        if int(wide * top / 255) == k and round(wide * top / 255) == k:
            values.append(wide)
    return values


FIVE = survivors(5)
SIX = survivors(6)
FOUR = [v * 17 for v in range(16)]
ANY = list(range(256))


def pixels(seed, red, green, blue, alpha=None, colours=None):
    rng = random.Random(seed)
    if colours is not None:
        choice = [tuple(rng.choice(ch) for ch in (red, green, blue)) for _ in range(colours)]
        rgb = [rng.choice(choice) for _ in range(WIDTH * HEIGHT)]
        # every colour at least once, so the palette keeps them all
        rgb[:colours] = choice
    else:
        rgb = [tuple(rng.choice(ch) for ch in (red, green, blue)) for _ in range(WIDTH * HEIGHT)]
    a = [rng.choice(alpha) if alpha else 255 for _ in rgb]
    return [(al, r, g, b) for (r, g, b), al in zip(rgb, a)]


def write(name, image, args, with_alpha, read_opaque=False):
    depth, kind = (4, 'RGB_ALPHA') if with_alpha else (3, 'RGB')
    head = f'P7\nWIDTH {WIDTH}\nHEIGHT {HEIGHT}\nDEPTH {depth}\nMAXVAL 255\nTUPLTYPE {kind}\nENDHDR\n'
    body = bytes(v for a, r, g, b in image for v in ((r, g, b, a) if with_alpha else (r, g, b)))
    with open(f'{name}.pam', 'wb') as f:
        f.write(head.encode() + body)
    subprocess.run(['convert', f'{name}.pam'] + args, check=True)
    with open(f'{name}.txt', 'w') as f:
        f.write(f'{WIDTH} {HEIGHT}\n')
        for y in range(HEIGHT):
            row = image[y * WIDTH:(y + 1) * WIDTH]
            f.write(' '.join(f'{0xFF if read_opaque else a:02X}{r:02X}{g:02X}{b:02X}' for a, r, g, b in row) + '\n')
    subprocess.run(['rm', f'{name}.pam'], check=True)


write('rgb24_info', pixels(1, ANY, ANY, ANY), ['-type', 'TrueColor', 'BMP3:rgb24_info.bmp'], False)
write('rgb24_core', pixels(2, ANY, ANY, ANY), ['-type', 'TrueColor', 'BMP2:rgb24_core.bmp'], False)
write('argb32_v5', pixels(3, ANY, ANY, ANY, alpha=[1, 128, 254, 255]), ['BMP:argb32_v5.bmp'], True)
write('rgb565_v5', pixels(4, FIVE, SIX, FIVE), ['-define', 'bmp:subtype=RGB565', 'BMP:rgb565_v5.bmp'], False)
# The 40-byte header form declares bit fields but leaves the masks out.
write('rgb565_info', pixels(14, FIVE, SIX, FIVE), ['-define', 'bmp:subtype=RGB565', 'BMP3:rgb565_info.bmp'], False)
write('rgb555_v5', pixels(5, FIVE, FIVE, FIVE), ['-define', 'bmp:subtype=RGB555', 'BMP:rgb555_v5.bmp'], False)
write('argb1555_v5', pixels(6, FIVE, FIVE, FIVE, alpha=[0, 255]), ['-define', 'bmp:subtype=ARGB1555', 'BMP:argb1555_v5.bmp'], True, True)
write('argb4444_v5', pixels(7, FOUR, FOUR, FOUR, alpha=FOUR[1:]), ['-define', 'bmp:subtype=ARGB4444', 'BMP:argb4444_v5.bmp'], True, True)
write('pal8_info', pixels(8, ANY, ANY, ANY, colours=40), ['-type', 'Palette', '-compress', 'None', 'BMP3:pal8_info.bmp'], False)
write('pal8_v5', pixels(9, ANY, ANY, ANY, colours=40), ['-type', 'Palette', '-compress', 'None', 'BMP:pal8_v5.bmp'], False)
write('pal8_core', pixels(10, ANY, ANY, ANY, colours=40), ['-type', 'Palette', '-compress', 'None', 'BMP2:pal8_core.bmp'], False)
write('pal4_info', pixels(11, ANY, ANY, ANY, colours=9), ['-type', 'Palette', '-compress', 'None', 'BMP3:pal4_info.bmp'], False)
write('pal1_info', pixels(12, ANY, ANY, ANY, colours=2),
      ['-type', 'Palette', '-compress', 'None', 'BMP3:pal1_info.bmp'], False)
# Run-length coded: not a layout the game reads.
write('rle8_info', pixels(13, ANY, ANY, ANY, colours=40), ['-type', 'Palette', 'BMP3:rle8_info.bmp'], False)
