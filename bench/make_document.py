#!/usr/bin/env python3
"""Writes the benchmark's sound files: a mix of compressible (text-like) and incompressible (random) files."""
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


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_document.py FOLDER MEBIBYTES")
    folder, total = sys.argv[1], int(sys.argv[2]) << 20
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20261208)
    written, index = 0, 0
    while written < total:
        size = min(rng.randint(64 << 10, 8 << 20), total - written)
        data = text_like(rng, size) if index % 5 < 2 else rng.randbytes(size)
        with open(os.path.join(folder, "snd%04d.wav" % index), "wb") as out:
            out.write(data)
        written += size
        index += 1
    print("%d files, %d bytes in %s" % (index, written, folder))


if __name__ == "__main__":
    main()
