#!/usr/bin/env python3
"""Makes a large drive on the host, fast: one process, empty or sparse files only.

make_drive.py FOLDER stats|duplicates FILES

A tenth of the files is in one folder, "big"; the rest is spread evenly over 100 top-level folders
of 100 folders each.
stats: eight extensions; one file in ten sparse, of a size that grows with its number.
duplicates: every file sparse and over 30,000 bytes, under a name and size of
its own, but for 500 pairs and one bucket of 300 files that share their name and size.
"""
import os
import sys

EXTENSIONS = [".txt", ".dat", ".jpg", ".TXT", ".html", ".log", ".Dat", ""]


def folders(root):
    for top in range(100):
        for sub in range(100):
            path = os.path.join(root, "top%d" % top, "sub%d" % sub)
            os.makedirs(path, exist_ok=True)
            yield path


def make(path, size):
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    try:
        if size:
            os.ftruncate(fd, size)
    finally:
        os.close(fd)


def main():
    root, kind, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
    big = os.path.join(root, "big")
    os.makedirs(big, exist_ok=True)
    places = [big] * (count // 10)
    spread = list(folders(root))
    rest = count - len(places)
    for i in range(rest):
        places.append(spread[i * len(spread) // rest])
    shared = []
    if kind == "duplicates":
        # The pairs and the bucket of 300, each file in a folder of its own among the spread ones.
        shared = [(spread[(2 * p) % len(spread)], "pair%d.bin" % p, 40000 + p) for p in range(500)]
        shared += [(spread[(2 * p + 1) % len(spread)], "pair%d.bin" % p, 40000 + p) for p in range(500)]
        shared += [(spread[(37 * k) % len(spread)], "many.bin", 35000) for k in range(300)]
    for n, place in enumerate(places[len(shared):]):
        if kind == "stats":
            size = (n * 4099) % (1 << 30) if n % 10 == 0 else 0
            make(os.path.join(place, "file%d%s" % (n, EXTENSIONS[n % len(EXTENSIONS)])), size)
        else:
            make(os.path.join(place, "file%d.bin" % n), 30001 + n)
    for place, name, size in shared:
        make(os.path.join(place, name), size)
    print("made %d files in %d folders" % (len(places), len(spread) + 1))


if __name__ == "__main__":
    main()
