#!/usr/bin/env python3
"""Writes the benchmark's files: sounds, a mix of compressible (text-like) and incompressible (random) files;
pictures, mostly incompressible: JPEG-like files (entropy-coded data with its byte stuffing) and noisy bitmaps; or
sprites: sheets of shaded, slightly noisy figures on a flat key-colour background, as games keep them."""
import os
import random
import sys

WORDS = ("vzorek zvuk hudba tovrik ozvena basa kytara buben smycec housle flétna píšťala hlas sbor "
         "tichý hlasitý rychlý pomalý levý pravý dlouhý krátký první druhý třetí").split()


def text_like(rng, size):
    parts, total = [], 0
    while total < size:
        chunk = " ".join(rng.choices(WORDS, k=20000)).encode("utf-8")
        parts.append(chunk)
        total += len(chunk)
    return b"".join(parts)[:size]


def jpeg_like(rng, size):
    # Scan data is near random; every 0xFF in it is followed by a stuffed 0x00, as in a real JPEG.
    header = b"\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
    header += b"\xff\xdb\x00\x43\x00" + bytes(range(1, 65))
    scan = rng.randbytes(max(0, size - len(header) - 2)).replace(b"\xff", b"\xff\x00")
    return (header + scan)[:size - 2] + b"\xff\xd9"


def noisy_bitmap(rng, size):
    # A smooth picture with noise in the lowest three bits of every colour byte.
    width = 1024
    header = b"BM" + size.to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little") + (40).to_bytes(4, "little")
    header += width.to_bytes(4, "little") + ((size - 54) // (3 * width)).to_bytes(4, "little") + b"\x01\x00\x18\x00"
    header += bytes(24)
    pixels = size - len(header)
    row = bytes((x * 255 // (3 * width)) & 0xF8 for x in range(3 * width))
    base = (row * (pixels // len(row) + 1))[:pixels]
    noise = int.from_bytes(rng.randbytes(pixels), "little") & int.from_bytes(b"\x07" * pixels, "little")
    return header + (int.from_bytes(base, "little") ^ noise).to_bytes(pixels, "little")


def sprite_sheet(rng, size):
    # 96 x 96 frames: a shaded disc with a little noise on clFuchsia, each frame drawn anew.
    width, frame = 960, 96
    height = max(1, (size - 54) // (3 * width))
    header = b"BM" + (54 + 3 * width * height).to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little")
    header += (40).to_bytes(4, "little") + width.to_bytes(4, "little") + height.to_bytes(4, "little")
    header += b"\x01\x00\x18\x00" + bytes(24)
    background = b"\xff\x00\xff"
    frames = []
    for _ in range(8):
        shade, radius = rng.randint(40, 200), rng.randint(30, 46)
        rows = []
        for y in range(frame):
            row = bytearray()
            for x in range(frame):
                dx, dy = x - frame // 2, y - frame // 2
                if dx * dx + dy * dy < radius * radius:
                    v = max(0, min(255, shade + (dx + dy) // 2 + rng.randint(-4, 4)))
                    row += bytes((v, v // 2 + 40, 255 - v))
                else:
                    row += background
            rows.append(bytes(row))
        frames.append(rows)
    lines = []
    for top in range(0, height, frame):
        strip = [rng.choice(frames) for _ in range(width // frame)]
        for y in range(min(frame, height - top)):
            lines.append(b"".join(f[y] for f in strip))
    return header + b"".join(lines)


def main():
    kinds = ("sounds", "pictures", "sprites")
    if len(sys.argv) not in (3, 4) or (len(sys.argv) == 4 and sys.argv[3] not in kinds):
        sys.exit("usage: make_document.py FOLDER MEBIBYTES [sounds|pictures|sprites]")
    folder, total = sys.argv[1], int(sys.argv[2]) << 20
    kind = sys.argv[3] if len(sys.argv) == 4 else "sounds"
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20261208)
    written, index = 0, 0
    while written < total:
        size = min(rng.randint(64 << 10, 8 << 20), total - written)
        if kind == "sprites":
            data = sprite_sheet(rng, max(size, 1 << 20))
            name = "spr%04d.bmp" % index
            size = len(data)
        elif kind == "pictures":
            size = max(size, 4096)
            name = "pic%04d.%s" % (index, "bmp" if index % 4 == 3 else "jpg")
            data = noisy_bitmap(rng, size) if index % 4 == 3 else jpeg_like(rng, size)
        else:
            name = "snd%04d.wav" % index
            data = text_like(rng, size) if index % 5 < 2 else rng.randbytes(size)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        written += size
        index += 1
    print("%d files, %d bytes in %s" % (index, written, folder))


if __name__ == "__main__":
    main()
