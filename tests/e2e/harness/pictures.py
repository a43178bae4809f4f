"""Pictures a run looks at: window captures and the game's screenshots
(BMP), read pixel by pixel, and the colour tests the scenarios share."""
import struct

from .failure import check


class Picture:
    """A screen capture or a bitmap file: pixel(x, y) gives (r, g, b). Pixels
    are decoded only when read: a whole capture took a second or more to
    decode, and most checks look at a few small boxes. Captures and bitmap
    files both hold blue, green and red in a pixel's first three bytes."""

    def __init__(self, data, width, height, origin, stride, size):
        self.data, self.width, self.height = data, width, height
        self.origin, self.stride, self.size = origin, stride, size

    def pixel(self, x, y):
        at = self.origin + y * self.stride + x * self.size
        return (self.data[at + 2], self.data[at + 1], self.data[at])

    def region(self, x0, y0, x1, y1):
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]

    def crop(self, x, y, w, h):
        return Picture(self.data, w, h, self.origin + y * self.stride + x * self.size,
                       self.stride, self.size)

    def raw(self, box=None):
        """The stored bytes of a box (x0, y0, x1, y1), the whole picture by
        default: two pictures show the same there when these are equal, and
        comparing them is quick where decoding pixels is not."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        rows = []
        for y in range(y0, y1):
            at = self.origin + y * self.stride + x0 * self.size
            rows.append(self.data[at:at + (x1 - x0) * self.size])
        return b"".join(rows)


def bmp_complete(path):
    """Whether the file holds a whole BMP yet: as many bytes as its header
    says. A screenshot being written is seen first short, or empty."""
    try:
        with open(path, "rb") as f:
            head = f.read(6)
            f.seek(0, 2)
            size = f.tell()
    except FileNotFoundError:
        return False
    return len(head) == 6 and head[:2] == b"BM" and size >= struct.unpack_from("<I", head, 2)[0]


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    check(len(data) >= 54 and data[:2] == b"BM", f"{path} is not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bpp, = struct.unpack_from("<H", data, 28)
    check(bpp == 24, f"{path} is {bpp}-bit, not 24-bit")
    stride = (width * 3 + 3) & ~3
    check(width > 0 and height != 0 and len(data) >= offset + abs(height) * stride,
          f"{path} is {len(data)} bytes, short of its {width} x {abs(height)} pixels")
    if height > 0:  # stored bottom row first
        return Picture(data, width, height, offset + (height - 1) * stride, -stride, 3)
    return Picture(data, width, -height, offset, stride, 3)


def differs(a, b, box=None, least=12, by=24):
    """Whether the box shows something else in `b` than in `a`: `least`
    colour values or more off by more than `by`. The light of the world
    drifts a level or two at a time as the day goes on, which alone is no
    change; a key's effect (a frame moved, a block placed, a text changed)
    moves values by far more."""
    x0, y0, x1, y1 = box or (0, 0, a.width, a.height)
    n = 0
    for y in range(y0, y1):
        ra, rb = a.raw((x0, y, x1, y + 1)), b.raw((x0, y, x1, y + 1))
        if ra == rb:
            continue
        for p, q in zip(ra, rb):
            if p - q > by or q - p > by:
                n += 1
                if n >= least:
                    return True
    return False


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def dark(colour):
    return sum(colour) < 120


def white(colour):
    return min(colour) > 200


def count(picture, box, test):
    return sum(1 for c in picture.region(*box) if test(c))


def differing(a, b, x0, y0, x1, y1):
    return sum(1 for p, q in zip(a.region(x0, y0, x1, y1), b.region(x0, y0, x1, y1)) if p != q)


def brightness(shot, box):
    pixels = shot.region(*box)
    return sum(sum(c) for c in pixels) / (3 * len(pixels))
