"""Windows bitmap files: a writer for the three formats the game loads (24-bit, 8-bit RLE8,
4-bit RLE4) and a strict reader that decodes them back to RGB rows.

Standard library only, so the sheet checker can run wherever python3 runs.
Pixels are passed as rows (top row first) of integers: (r, g, b) tuples for 24-bit, palette
indices for the indexed formats. Files are stored bottom-up, as run-length encoded bitmaps
must be.
"""

import struct

BI_RGB = 0
BI_RLE8 = 1
BI_RLE4 = 2

_FILE_HEADER = struct.Struct("<2sIHHI")
_INFO_HEADER = struct.Struct("<IiiHHIIiiII")
_PIXELS_PER_METRE = 2835  # 72 dpi


def _headers(width, height, bits, compression, palette, image_size):
    colours = len(palette)
    offset = _FILE_HEADER.size + _INFO_HEADER.size + 4 * colours
    file_header = _FILE_HEADER.pack(b"BM", offset + image_size, 0, 0, offset)
    info = _INFO_HEADER.pack(40, width, height, 1, bits, compression, image_size,
                             _PIXELS_PER_METRE, _PIXELS_PER_METRE, colours, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return file_header + info + table


def encode_24(rows):
    width = len(rows[0])
    pad = b"\0" * ((4 - (3 * width) % 4) % 4)
    out = bytearray()
    for row in reversed(rows):
        for (r, g, b) in row:
            out += bytes((b, g, r))
        out += pad
    return bytes(out)


def _runs(row):
    """Splits a row into (value, length) runs of equal values."""
    runs = []
    for value in row:
        if runs and runs[-1][0] == value:
            runs[-1][1] += 1
        else:
            runs.append([value, 1])
    return runs


def _encode_rle_row(row, pack_literal, max_count, even_blocks):
    """One row of RLE8/RLE4: repeated values become encoded runs, stretches of
    short runs become absolute blocks (at least three pixels, padded to a word).
    even_blocks keeps every absolute block to an even number of pixels: some RLE4
    readers mishandle the half-filled last byte of an odd block."""
    out = bytearray()
    literal = []

    def flush_literal():
        while literal:
            chunk = literal[:max_count]
            del literal[:max_count]
            if even_blocks and len(chunk) % 2 and len(chunk) > 3:
                literal.insert(0, chunk.pop())
            if len(chunk) < 3 or (even_blocks and len(chunk) % 2):
                for value in chunk:
                    out.extend((1, pack_literal([value, value])[0]))
                continue
            data = pack_literal(chunk)
            out.extend((0, len(chunk)))
            out.extend(data)
            if len(data) % 2:
                out.append(0)

    for value, length in _runs(row):
        if length >= 3:
            flush_literal()
            while length:
                count = min(length, max_count)
                out.extend((count, pack_literal([value, value])[0]))
                length -= count
        else:
            literal.extend([value] * length)
    flush_literal()
    return out


def _pack_bytes(values):
    return bytes(values)


def _pack_nibbles(values):
    padded = list(values) + [0] * (len(values) % 2)
    return bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))


def encode_rle(rows, bits):
    pack = _pack_bytes if bits == 8 else _pack_nibbles
    # An RLE4 encoded run alternates two nibbles, so an even maximum keeps runs of one
    # colour whole across the split.
    max_count = 255 if bits == 8 else 254
    out = bytearray()
    for row in reversed(rows):
        out += _encode_rle_row(row, pack, max_count, even_blocks=(bits == 4))
        out += b"\0\0"  # end of line
    out += b"\0\1"  # end of bitmap
    return bytes(out)


def write_24(path, rows):
    data = encode_24(rows)
    header = _headers(len(rows[0]), len(rows), 24, BI_RGB, [], len(data))
    with open(path, "wb") as f:
        f.write(header + data)


def write_indexed_rle(path, rows, palette, bits):
    """bits 8 writes RLE8, bits 4 writes RLE4; the palette is a list of (r, g, b)."""
    assert bits in (4, 8) and len(palette) <= (1 << bits)
    assert all(0 <= v < len(palette) for row in rows for v in row)
    data = encode_rle(rows, bits)
    compression = BI_RLE8 if bits == 8 else BI_RLE4
    header = _headers(len(rows[0]), len(rows), bits, compression, palette, len(data))
    with open(path, "wb") as f:
        f.write(header + data)


class Bitmap:
    """A decoded bitmap: size, format and top-down rows of (r, g, b)."""

    def __init__(self, width, height, bits, compression, rows, palette, data_size=0):
        self.data_size = data_size  # bytes of pixel data as stored
        self.width = width
        self.height = height
        self.bits = bits
        self.compression = compression
        self.rows = rows
        self.palette = palette

    def pixel(self, x, y):
        return self.rows[y][x]


class BitmapError(Exception):
    pass


def _decode_rle(data, width, height, bits):
    """Strict decoder: every row must be ended by an end-of-line escape exactly at its
    width, and the stream by an end-of-bitmap escape. Deltas are not used by our writer
    and are refused, so a damaged file cannot pass unnoticed."""
    rows = []
    row = []
    i = 0
    while True:
        if i + 1 >= len(data):
            raise BitmapError("RLE stream ends without end-of-bitmap")
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            if bits == 8:
                row.extend([value] * count)
            else:
                row.extend((value >> 4) if k % 2 == 0 else (value & 15) for k in range(count))
        elif value == 0:
            if len(row) != width:
                raise BitmapError(f"RLE row {len(rows)} holds {len(row)} pixels, not {width}")
            rows.append(row)
            row = []
        elif value == 1:
            if row:
                raise BitmapError("end-of-bitmap inside a row")
            break
        elif value == 2:
            raise BitmapError("RLE delta escape is not used by our sheets")
        else:
            n = value
            size = n if bits == 8 else (n + 1) // 2
            chunk = data[i:i + size]
            if len(chunk) != size:
                raise BitmapError("RLE absolute block runs past the data")
            i += size + (size % 2)
            if bits == 8:
                row.extend(chunk)
            else:
                for k in range(n):
                    byte = chunk[k // 2]
                    row.append(byte >> 4 if k % 2 == 0 else byte & 15)
        if len(row) > width:
            raise BitmapError(f"RLE row {len(rows)} is longer than {width}")
    if len(rows) != height:
        raise BitmapError(f"RLE stream holds {len(rows)} rows, not {height}")
    return rows


def read(path):
    with open(path, "rb") as f:
        blob = f.read()
    magic, size, _, _, offset = _FILE_HEADER.unpack_from(blob, 0)
    if magic != b"BM":
        raise BitmapError("not a bitmap file")
    if size != len(blob):
        raise BitmapError(f"header says {size} bytes, file has {len(blob)}")
    (header_size, width, height, planes, bits, compression, image_size, _, _, used,
     _) = _INFO_HEADER.unpack_from(blob, _FILE_HEADER.size)
    if header_size != 40 or planes != 1:
        raise BitmapError("unexpected info header")
    if height <= 0:
        raise BitmapError("top-down bitmaps are not used")
    palette = []
    if bits <= 8:
        count = used or (1 << bits)
        base = _FILE_HEADER.size + header_size
        for k in range(count):
            b, g, r, _ = blob[base + 4 * k:base + 4 * k + 4]
            palette.append((r, g, b))
    data = blob[offset:]
    if compression == BI_RGB and bits == 24:
        stride = (3 * width + 3) & ~3
        if len(data) < stride * height:
            raise BitmapError("pixel data too short")
        rows = []
        for y in range(height):
            line = data[(height - 1 - y) * stride:]
            rows.append([(line[3 * x + 2], line[3 * x + 1], line[3 * x]) for x in range(width)])
        return Bitmap(width, height, bits, compression, rows, palette, stride * height)
    if (compression, bits) in ((BI_RLE8, 8), (BI_RLE4, 4)):
        if image_size != len(data):
            raise BitmapError(f"image size field {image_size} != {len(data)} bytes of data")
        indices = _decode_rle(data, width, height, bits)
        indices.reverse()
        try:
            rows = [[palette[v] for v in row] for row in indices]
        except IndexError:
            raise BitmapError("pixel index outside the palette") from None
        return Bitmap(width, height, bits, compression, rows, palette, len(data))
    raise BitmapError(f"unsupported format: {bits} bits, compression {compression}")
