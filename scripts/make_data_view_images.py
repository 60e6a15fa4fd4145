#!/usr/bin/env python3
"""Draws the images the data-view page refers to and writes them into data/.

    scripts/make_data_view_images.py [OUTPUT_FOLDER]

dataview.gif         the page background: a pale tile with faint diagonal lines
clip06.GIF           a paper clip, the note's closed state
clip_anime.gif       the same clip, blinking, the note's first showing
xml_globe_00_tn.jpg  a small globe beside the page title

Plain Python, no imaging library: a GIF writer (literal codes, a clear code before
the code table would widen) and a baseline JPEG writer with the standard tables.
The output is deterministic, so running it again changes nothing.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------- GIF


def gif_image_data(indices, min_code_size):
    """LZW stream of literal codes only. A clear code comes before the decoder's
    table would need wider codes, so every code has min_code_size + 1 bits."""
    clear = 1 << min_code_size
    end = clear + 1
    width = min_code_size + 1
    run = clear - 3  # entries the decoder adds before it would widen its codes
    codes = []
    for start in range(0, len(indices), run):
        codes.append(clear)
        codes.extend(indices[start:start + run])
    codes.append(end)
    bits = 0
    count = 0
    out = bytearray()
    for code in codes:
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    blocks = bytearray([min_code_size])
    for start in range(0, len(out), 255):
        chunk = out[start:start + 255]
        blocks.append(len(chunk))
        blocks.extend(chunk)
    blocks.append(0)
    return bytes(blocks)


def write_gif(path, width, height, palette, frames, delay=0, transparent=None):
    """frames: lists of palette indices, row by row. Several frames loop for ever."""
    size_bits = max(1, (len(palette) - 1).bit_length())
    table = list(palette) + [(0, 0, 0)] * ((1 << size_bits) - len(palette))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0x80 | ((size_bits - 1) << 4) | (size_bits - 1), 0, 0)
    for r, g, b in table:
        out += bytes((r, g, b))
    if len(frames) > 1:
        out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for frame in frames:
        if len(frames) > 1 or transparent is not None:
            flags = (2 << 2) | (1 if transparent is not None else 0)  # restore to background
            out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, delay, transparent or 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
        out += gif_image_data(frame, max(2, size_bits))
    out += b"\x3B"
    with open(path, "wb") as f:
        f.write(out)


# --------------------------------------------------------------------------- JPEG

ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27,
    20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58,
    59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]
LUMA_Q = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69,
    56, 14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104,
    113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMA_Q = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99, 99,
    99, 47, 66, 99, 99, 99, 99, 99, 99] + [99] * 32
# Standard Huffman tables: code counts per length 1..16, then the symbols.
DC_LUMA = ([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0], list(range(12)))
DC_CHROMA = ([0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0], list(range(12)))
AC_LUMA = ([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D], bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a"
    "25262728292a3435363738393a434445464748494a535455565758595a636465666768696a73747576777879"
    "7a838485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9"
    "cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa"))
AC_CHROMA = ([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77], bytes.fromhex(
    "000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a162434e125f117"
    "18191a262728292a35363738393a434445464748494a535455565758595a636465666768696a737475767778"
    "797a82838485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7"
    "c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4f5f6f7f8f9fa"))


def huffman_codes(table):
    counts, symbols = table
    codes = {}
    code = 0
    k = 0
    for length in range(1, 17):
        for _ in range(counts[length - 1]):
            codes[symbols[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


def scaled(table, quality):
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in table]


COS = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]


def fdct(block):
    out = [0.0] * 64
    for v in range(8):
        for u in range(8):
            s = 0.0
            for y in range(8):
                row = block[y * 8:(y + 1) * 8]
                cy = COS[v][y]
                s += cy * sum(row[x] * COS[u][x] for x in range(8))
            cu = 1 / math.sqrt(2) if u == 0 else 1
            cv = 1 / math.sqrt(2) if v == 0 else 1
            out[v * 8 + u] = 0.25 * cu * cv * s
    return out


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.bits = 0
        self.count = 0

    def write(self, value, length):
        for i in range(length - 1, -1, -1):
            self.bits = (self.bits << 1) | ((value >> i) & 1)
            self.count += 1
            if self.count == 8:
                self.out.append(self.bits)
                if self.bits == 0xFF:
                    self.out.append(0)  # byte stuffing
                self.bits = 0
                self.count = 0

    def flush(self):
        if self.count:
            self.write((1 << (8 - self.count)) - 1, 8 - self.count)


def magnitude(value):
    size = abs(value).bit_length()
    bits = value if value >= 0 else value + (1 << size) - 1
    return size, bits


def write_jpeg(path, width, height, pixels, quality=88):
    """pixels: (r, g, b) tuples row by row. Baseline, 4:4:4, standard tables."""
    tables = [scaled(LUMA_Q, quality), scaled(CHROMA_Q, quality)]
    dc = [huffman_codes(DC_LUMA), huffman_codes(DC_CHROMA)]
    ac = [huffman_codes(AC_LUMA), huffman_codes(AC_CHROMA)]
    planes = [[], [], []]
    for r, g, b in pixels:
        planes[0].append(0.299 * r + 0.587 * g + 0.114 * b - 128)
        planes[1].append(-0.168736 * r - 0.331264 * g + 0.5 * b)
        planes[2].append(0.5 * r - 0.418688 * g - 0.081312 * b)

    bits = BitWriter()
    previous = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for c in range(3):
                block = []
                for y in range(8):
                    yy = min(by + y, height - 1)
                    for x in range(8):
                        block.append(planes[c][yy * width + min(bx + x, width - 1)])
                coefficients = fdct(block)
                q = tables[0 if c == 0 else 1]
                zz = [int(round(coefficients[ZIGZAG[i]] / q[ZIGZAG[i]])) for i in range(64)]
                t = 0 if c == 0 else 1
                size, value = magnitude(zz[0] - previous[c])
                previous[c] = zz[0]
                bits.write(*dc[t][size])
                if size:
                    bits.write(value, size)
                zeros = 0
                last = max([i for i in range(1, 64) if zz[i]] or [0])
                for i in range(1, last + 1):
                    if zz[i] == 0:
                        zeros += 1
                        continue
                    while zeros > 15:
                        bits.write(*ac[t][0xF0])
                        zeros -= 16
                    size, value = magnitude(zz[i])
                    bits.write(*ac[t][(zeros << 4) | size])
                    bits.write(value, size)
                    zeros = 0
                if last < 63:
                    bits.write(*ac[t][0x00])
    bits.flush()

    out = bytearray(b"\xFF\xD8")
    out += b"\xFF\xE0" + struct.pack(">H5sBBBHHBB", 16, b"JFIF\0", 1, 1, 0, 1, 1, 0, 0)
    for i, table in enumerate(tables):
        out += b"\xFF\xDB" + struct.pack(">HB", 67, i) + bytes(table[ZIGZAG[k]] for k in range(64))
    out += b"\xFF\xC0" + struct.pack(">HBHHB", 17, 8, height, width, 3)
    out += bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1])
    for klass, index, (counts, symbols) in ((0, 0, DC_LUMA), (1, 0, AC_LUMA), (0, 1, DC_CHROMA),
                                            (1, 1, AC_CHROMA)):
        out += b"\xFF\xC4" + struct.pack(">HB", 3 + 16 + len(symbols), (klass << 4) | index)
        out += bytes(counts) + bytes(symbols)
    out += b"\xFF\xDA" + struct.pack(">HB", 12, 3) + bytes([1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0])
    out += bits.out + b"\xFF\xD9"
    with open(path, "wb") as f:
        f.write(out)


# ------------------------------------------------------------------------ drawings


def background():
    """A 64 x 64 tile: pale blue-green with faint diagonal lines every 8 pixels."""
    palette = [(246, 251, 251), (232, 243, 243)]
    size = 64
    pixels = [1 if (x + y) % 8 == 0 else 0 for y in range(size) for x in range(size)]
    return size, size, palette, pixels


def paper_clip(width, height, colour_index):
    """A paper clip: three nested rounded loops of a wire two pixels wide."""
    pixels = [0] * (width * height)

    def loop(left, top, right, bottom):
        radius = (right - left) / 2
        cx = (left + right) / 2
        for y in range(height):
            for x in range(width):
                px, py = x + 0.5, y + 0.5
                if py < top + radius:
                    d = math.hypot(px - cx, py - (top + radius))
                elif py > bottom - radius:
                    d = math.hypot(px - cx, py - (bottom - radius))
                else:  # the straight sides
                    d = radius + min(abs(px - left), abs(px - right))
                if abs(d - radius) <= 1.0:
                    pixels[y * width + x] = colour_index

    loop(3, 2, width - 4, height - 3)
    loop(6, 6, width - 7, height - 9)
    return pixels


def globe(size):
    """A shaded globe with meridians and parallels on white, anti-aliased."""
    pixels = []
    radius = size / 2 - 2
    centre = size / 2
    for y in range(size):
        for x in range(size):
            total = [0.0, 0.0, 0.0]
            samples = 4
            for sy in range(samples):
                for sx in range(samples):
                    px = x + (sx + 0.5) / samples - centre
                    py = y + (sy + 0.5) / samples - centre
                    r = math.hypot(px, py)
                    colour = (255, 255, 255)
                    if r <= radius:
                        nx, ny = px / radius, py / radius
                        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
                        light = 0.35 + 0.65 * max(0.0, -0.45 * nx - 0.45 * ny + 0.77 * nz)
                        colour = (int(20 + 40 * light), int(110 + 110 * light),
                                  int(130 + 120 * light))
                        longitude = math.atan2(nx, nz)
                        latitude = math.asin(max(-1.0, min(1.0, -ny)))
                        on_meridian = abs((longitude / (math.pi / 6)) % 1 - 0.5) > 0.44
                        on_parallel = abs((latitude / (math.pi / 8)) % 1 - 0.5) > 0.44
                        if on_meridian or on_parallel:
                            colour = (235, 250, 250)
                        if r > radius - 1.2:
                            colour = (0, 90, 100)
                    for i in range(3):
                        total[i] += colour[i]
            pixels.append(tuple(int(t / (samples * samples)) for t in total))
    return pixels


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data")
    os.makedirs(folder, exist_ok=True)

    w, h, palette, pixels = background()
    write_gif(os.path.join(folder, "dataview.gif"), w, h, palette, [pixels])

    cw, ch = 16, 30
    clip_palette = [(255, 255, 255), (110, 110, 120), (0, 153, 153), (204, 0, 0)]
    grey = paper_clip(cw, ch, 1)
    write_gif(os.path.join(folder, "clip06.GIF"), cw, ch, clip_palette, [grey], transparent=0)
    teal = paper_clip(cw, ch, 2)
    red = paper_clip(cw, ch, 3)
    write_gif(os.path.join(folder, "clip_anime.gif"), cw, ch, clip_palette, [grey, teal, red, teal],
              delay=40, transparent=0)

    size = 48
    write_jpeg(os.path.join(folder, "xml_globe_00_tn.jpg"), size, size, globe(size))


if __name__ == "__main__":
    main()
