"""PNG files written with zlib alone: of at most 256 colours, small enough
for the README's pictures of the game, or in a capture's own colours."""
import os
import struct
import zlib


def palette_of(rows, size=256):
    """At most `size` colours standing for the picture's: median cut, box by
    box, the box of the widest spread times pixels split at the weighted
    median of its widest channel. Returns the palette and the rows as indices
    into it."""
    counts = {}
    for row in rows:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1

    def box(colours):
        spreads = [max(c[i] for c in colours) - min(c[i] for c in colours) for i in range(3)]
        channel = max(range(3), key=spreads.__getitem__)
        weight = spreads[channel] * sum(counts[c] for c in colours) if len(colours) > 1 else -1
        return weight, channel, colours

    boxes = [box(list(counts))]
    while len(boxes) < size:
        at = max(range(len(boxes)), key=lambda i: boxes[i][0])
        weight, channel, colours = boxes[at]
        if weight < 0:
            break
        colours.sort(key=lambda c: c[channel])
        half, seen = sum(counts[c] for c in colours) / 2, 0
        for cut, colour in enumerate(colours, 1):
            seen += counts[colour]
            if seen >= half:
                break
        cut = min(cut, len(colours) - 1)
        boxes[at:at + 1] = [box(colours[:cut]), box(colours[cut:])]
    palette, index = [], {}
    for i, (_, _, colours) in enumerate(boxes):
        total = sum(counts[c] for c in colours)
        palette.append(tuple((sum(c[j] * counts[c] for c in colours) + total // 2) // total
                             for j in range(3)))
        for colour in colours:
            index[colour] = i
    return palette, [[index[c] for c in row] for row in rows]


def _chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body
            + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def _write(path, header, image, palette=b""):
    with open(path + ".tmp", "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
                + (_chunk(b"PLTE", palette) if palette else b"")
                + _chunk(b"IDAT", zlib.compress(image, 9)) + _chunk(b"IEND", b""))
    os.replace(path + ".tmp", path)


def write_png(path, rows):
    """A PNG of `rows` of (r, g, b), through a palette of 256 colours at most."""
    palette, indices = palette_of(rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 3, 0, 0, 0)
    _write(path, header, b"".join(b"\x00" + bytes(row) for row in indices),
           bytes(v for colour in palette for v in colour))


def write_true_colour_png(path, picture):
    """A PNG of a whole capture in its own colours, for pictures people look at."""
    raw = bytearray()
    for y in range(picture.height):
        raw.append(0)
        for x in range(picture.width):
            raw.extend(picture.pixel(x, y))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    _write(path, header, bytes(raw))
