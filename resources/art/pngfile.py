"""PNG files for the browser page: the sheets in a form a browser decodes by itself, to the
very colours of the bitmaps, at a fraction of their size.

Standard library only. A 24-bit sheet becomes 8-bit RGB; an indexed sheet keeps its bit
depth and palette, so the page can tell the bitmap's bits per pixel from the header. No
gamma, colour-space or transparency chunk is written: browsers then hand the samples over
unchanged.
"""

import os
import shutil
import struct
import subprocess
import tempfile
import zlib

_SIGNATURE = b"\x89PNG\r\n\x1a\n"
COLOUR_RGB = 2
COLOUR_INDEXED = 3


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filtered(line, previous, step, kind):
    out = bytearray(len(line))
    for i, x in enumerate(line):
        a = line[i - step] if i >= step else 0
        b = previous[i]
        c = previous[i - step] if i >= step else 0
        predicted = (0, a, b, (a + b) >> 1, _paeth(a, b, c) if kind == 4 else 0)[kind]
        out[i] = (x - predicted) & 0xFF
    return bytes(out)


def _cost(data):
    return sum(v if v < 128 else 256 - v for v in data)


def _deflate(raw, strategy):
    packer = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
    return packer.compress(raw) + packer.flush()


def _zopfli(raw):
    """The same stream deflated by zopfli (Debian package zopfli), some tenths smaller than
    zlib's best; None where it is not installed."""
    program = shutil.which("zopfli")
    if program is None:
        return None
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "rows")
        with open(path, "wb") as f:
            f.write(raw)
        done = subprocess.run([program, "--zlib", "--i25", "-c", path], capture_output=True,
                              check=True)
    return done.stdout


def _smallest_stream(lines, step):
    """Tries each filter for the whole picture and the usual per-row choice (the smallest
    sum of signed differences), with both deflate strategies; keeps the smallest, deflated
    again by zopfli where it is installed."""
    previous = bytes(len(lines[0]))
    per_row = []
    for line in lines:
        per_row.append([_filtered(line, previous, step, kind) for kind in range(5)])
        previous = line
    candidates = [b"".join(bytes([kind]) + row[kind] for row in per_row) for kind in range(5)]
    adaptive = bytearray()
    for row in per_row:
        kind = min(range(5), key=lambda k: _cost(row[k]))
        adaptive += bytes([kind]) + row[kind]
    candidates.append(bytes(adaptive))
    streams = [(_deflate(raw, strategy), raw) for raw in candidates
               for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED)]
    best, raw = min(streams, key=lambda pair: len(pair[0]))
    again = _zopfli(raw)
    if again is not None and len(again) < len(best) and zlib.decompress(again) == raw:
        best = again
    return best


def _packed(indices, depth):
    per_byte = 8 // depth
    out = bytearray()
    for start in range(0, len(indices), per_byte):
        value = 0
        for k in range(per_byte):
            index = indices[start + k] if start + k < len(indices) else 0
            value = (value << depth) | index
        out.append(value)
    return bytes(out)


def encode(bitmap):
    """The PNG bytes of a decoded bitmap (bmpfile.Bitmap): same size and colours; 24-bit
    as RGB, 4 or 8 bits as a palette of that depth."""
    if bitmap.bits == 24:
        lines = [bytes(v for pixel in row for v in pixel) for row in bitmap.rows]
        colour, depth, step, extra = COLOUR_RGB, 8, 3, b""
    elif bitmap.bits in (4, 8):
        index_of = {}
        for i, c in enumerate(bitmap.palette):
            index_of.setdefault(c, i)
        lines = [_packed([index_of[c] for c in row], bitmap.bits) for row in bitmap.rows]
        palette = b"".join(bytes(c) for c in bitmap.palette)
        colour, depth, step, extra = COLOUR_INDEXED, bitmap.bits, 1, _chunk(b"PLTE", palette)
    else:
        raise ValueError(f"no PNG form for {bitmap.bits}-bit bitmaps")
    header = struct.pack(">IIBBBBB", bitmap.width, bitmap.height, depth, colour, 0, 0, 0)
    return (_SIGNATURE + _chunk(b"IHDR", header) + extra +
            _chunk(b"IDAT", _smallest_stream(lines, step)) + _chunk(b"IEND", b""))
