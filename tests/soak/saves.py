"""Reading the soak's saved world files, and where two of them differ."""
import os

from e2e.harness.world_files import WORLD_BYTES

CHEST_RECORD_BYTES = 54


def read_inventory(path):
    """The (type, count) of the 36 inventory cells of a world file."""
    with open(path, "rb") as f:
        f.seek(WORLD_BYTES - 75)
        data = [(b - 1) % 256 for b in f.read(72)]
    return list(zip(data[0::2], data[1::2]))


def read_hotbar(path):
    """The types in the first nine inventory cells of a world file."""
    return [t for t, _ in read_inventory(path)[:9]]


def first_difference(a, b, ignore_tail=0):
    """None when the files hold the same bytes (but for the last
    `ignore_tail`), else where they first differ."""
    size_a, size_b = os.path.getsize(a), os.path.getsize(b)
    if size_a != size_b:
        return f"{size_a} bytes against {size_b}"
    end = size_a - ignore_tail
    chunk = 1 << 24
    with open(a, "rb") as fa, open(b, "rb") as fb:
        at = 0
        while at < end:
            x, y = fa.read(min(chunk, end - at)), fb.read(min(chunk, end - at))
            if x != y:
                i = next(i for i in range(len(x)) if x[i] != y[i])
                return describe_offset(at + i, size_a) + f": {x[i]:#04x} against {y[i]:#04x}"
            at += len(x)
    return None


def describe_offset(offset, size):
    if offset < 400_000_000:
        c = offset // 2
        x, rest = divmod(c, 200 * 1000)
        y, z = divmod(rest, 1000)
        return f"byte {offset}: the {'type' if offset % 2 == 0 else 'aux'} of cell {x} {y} {z}"
    t = offset - 400_000_000
    if t < 9:
        return f"byte {offset}: status value {t}"
    if t < 81:
        return f"byte {offset}: inventory cell {(t - 9) // 2}"
    if offset >= size - 2:
        return f"byte {offset}: {'DayTime' if offset == size - 2 else 'SubDayTime'}"
    if t == 81:
        return f"byte {offset}: the chest count"
    return f"byte {offset}: chest record {(t - 82) // 54}, cell {(t - 82) % 54 // 2}"
