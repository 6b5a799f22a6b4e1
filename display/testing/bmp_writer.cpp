#include "display/testing/bmp_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PadToWord(std::vector<uint8_t>& out, size_t rowStart, size_t multiple) {
    while ((out.size() - rowStart) % multiple != 0) out.push_back(0);
}

std::vector<uint32_t> PaletteOf(const BmpPicture& picture, size_t limit) {
    std::vector<uint32_t> palette;
    for (uint32_t colour : picture.rgb) {
        if (std::find(palette.begin(), palette.end(), colour) == palette.end()) {
            palette.push_back(colour);
        }
    }
    if (palette.size() > limit) {
        std::fprintf(stderr, "EncodeBmp: %zu colours do not fit a palette of %zu\n", palette.size(),
                     limit);
        std::abort();
    }
    return palette;
}

std::vector<uint8_t> IndexRow(const BmpPicture& picture, const std::vector<uint32_t>& palette,
                              int y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < picture.width; ++x) {
        row.push_back(static_cast<uint8_t>(
            std::find(palette.begin(), palette.end(), picture.At(x, y)) - palette.begin()));
    }
    return row;
}

// One row in the run-length encodings: runs of equal indices as (count, value) pairs,
// stretches of three or more differing indices in absolute mode.
void EncodeRleRow(std::vector<uint8_t>& out, const std::vector<uint8_t>& row, bool fourBit) {
    size_t x = 0;
    while (x < row.size()) {
        size_t run = 1;
        while (x + run < row.size() && row[x + run] == row[x] && run < 255) ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(fourBit ? static_cast<uint8_t>(row[x] << 4 | row[x]) : row[x]);
            x += run;
            continue;
        }
        size_t literal = 1;
        while (x + literal < row.size() && literal < 255 &&
               (x + literal + 1 >= row.size() || row[x + literal] != row[x + literal + 1])) {
            ++literal;
        }
        if (literal < 3) {
            out.push_back(1);
            out.push_back(fourBit ? static_cast<uint8_t>(row[x] << 4) : row[x]);
            ++x;
            continue;
        }
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(literal));
        size_t start = out.size();
        for (size_t i = 0; i < literal; ++i) {
            if (!fourBit) {
                out.push_back(row[x + i]);
            } else if (i % 2 == 0) {
                out.push_back(static_cast<uint8_t>(row[x + i] << 4));
            } else {
                out.back() |= row[x + i];
            }
        }
        PadToWord(out, start, 2);
        x += literal;
    }
    out.push_back(0);
    out.push_back(0);  // end of line
}

}  // namespace

BmpPicture SolidPicture(int width, int height, uint32_t rgb) {
    return BmpPicture{width, height,
                      std::vector<uint32_t>(static_cast<size_t>(width) * height, rgb)};
}

std::vector<uint8_t> EncodeBmp(const BmpPicture& picture, BmpEncoding encoding) {
    int bits = 24;
    uint32_t compression = 0;
    switch (encoding) {
        case BmpEncoding::Bits24:
            break;
        case BmpEncoding::Bits8:
            bits = 8;
            break;
        case BmpEncoding::Bits4:
            bits = 4;
            break;
        case BmpEncoding::Rle8:
            bits = 8, compression = 1;
            break;
        case BmpEncoding::Rle4:
            bits = 4, compression = 2;
            break;
    }
    std::vector<uint32_t> palette;
    if (bits <= 8) palette = PaletteOf(picture, bits == 8 ? 256 : 16);

    std::vector<uint8_t> data;
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t rowStart = data.size();
        if (bits == 24) {
            for (int x = 0; x < picture.width; ++x) Put(data, picture.At(x, y), 3);  // B, G, R
            PadToWord(data, rowStart, 4);
            continue;
        }
        std::vector<uint8_t> row = IndexRow(picture, palette, y);
        if (compression != 0) {
            EncodeRleRow(data, row, bits == 4);
            continue;
        }
        for (size_t x = 0; x < row.size(); ++x) {
            if (bits == 8) {
                data.push_back(row[x]);
            } else if (x % 2 == 0) {
                data.push_back(static_cast<uint8_t>(row[x] << 4));
            } else {
                data.back() |= row[x];
            }
        }
        PadToWord(data, rowStart, 4);
    }
    if (compression != 0) {
        data.push_back(0);
        data.push_back(1);  // end of bitmap
    }

    uint32_t offset = 14 + 40 + static_cast<uint32_t>(palette.size()) * 4;
    std::vector<uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    Put(file, offset + static_cast<uint32_t>(data.size()), 4);
    Put(file, 0, 4);
    Put(file, offset, 4);
    Put(file, 40, 4);
    Put(file, static_cast<uint32_t>(picture.width), 4);
    Put(file, static_cast<uint32_t>(picture.height), 4);
    Put(file, 1, 2);
    Put(file, static_cast<uint32_t>(bits), 2);
    Put(file, compression, 4);
    Put(file, static_cast<uint32_t>(data.size()), 4);
    Put(file, 2835, 4);
    Put(file, 2835, 4);
    Put(file, static_cast<uint32_t>(palette.size()), 4);
    Put(file, 0, 4);
    for (uint32_t colour : palette) Put(file, colour, 4);  // B, G, R, reserved
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

}  // namespace platform
