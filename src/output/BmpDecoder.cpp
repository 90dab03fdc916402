#include "output/BmpDecoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "output/PictureDecoding.h"

namespace orv {

namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

[[noreturn]] void Broken(const char* what) {
    throw PictureError(std::string("Bitmap file: ") + what);
}

class Bytes {
  public:
    explicit Bytes(std::vector<uint8_t> data) : data_(std::move(data)) {}
    size_t Size() const { return data_.size(); }
    const uint8_t* At(size_t offset, size_t count) const {
        if (offset > data_.size() || count > data_.size() - offset) Broken("the file is truncated");
        return data_.data() + offset;
    }
    uint32_t U16(size_t offset) const {
        const uint8_t* p = At(offset, 2);
        return p[0] | (p[1] << 8);
    }
    uint32_t U32(size_t offset) const {
        const uint8_t* p = At(offset, 4);
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    }

  private:
    std::vector<uint8_t> data_;
};

std::vector<uint8_t> ReadRange(std::ifstream& in, uint64_t offset, uint64_t count) {
    std::vector<uint8_t> data(count);
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(count));
    data.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    in.clear();
    return data;
}

// One colour component under a bit mask, widened to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    explicit Channel(uint32_t m) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        max = mask >> shift;
    }
    uint32_t Of(uint32_t value) const {
        if (max == 0) return 0;
        return (((value & mask) >> shift) * 255 + max / 2) / max;
    }
};

struct Layout {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    uint32_t bits = 0;
    uint32_t compression = kRgb;
    uint64_t dataOffset = 0;
    std::vector<uint32_t> palette;
    uint32_t masks[3] = {0, 0, 0};
};

Layout ReadLayout(const Bytes& head) {
    if (head.Size() < 2 || std::memcmp(head.At(0, 2), "BM", 2) != 0) Broken("no bitmap signature");
    Layout layout;
    layout.dataOffset = head.U32(10);
    const uint32_t headerSize = head.U32(kFileHeaderSize);
    const size_t info = kFileHeaderSize;
    size_t paletteAt = kFileHeaderSize + headerSize;
    size_t entrySize = 4;
    uint32_t colorsUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        layout.width = head.U16(info + 4);
        layout.height = head.U16(info + 6);
        layout.bits = head.U16(info + 10);
        entrySize = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        layout.width = static_cast<int32_t>(head.U32(info + 4));
        layout.height = static_cast<int32_t>(head.U32(info + 8));
        layout.bits = head.U16(info + 14);
        layout.compression = head.U32(info + 16);
        colorsUsed = head.U32(info + 32);
        if (layout.compression == kBitFields || layout.compression == kAlphaBitFields) {
            for (int i = 0; i < 3; ++i) layout.masks[i] = head.U32(info + kInfoHeaderSize + 4 * i);
            // A plain info header is followed by its masks; longer headers hold them.
            if (headerSize == kInfoHeaderSize) {
                paletteAt += layout.compression == kAlphaBitFields ? 16 : 12;
            }
        }
    } else {
        Broken("unknown header");
    }
    if (layout.height < 0) {
        layout.topDown = true;
        layout.height = -layout.height;
    }

    const bool known =
        (layout.compression == kRgb &&
         (layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 16 ||
          layout.bits == 24 || layout.bits == 32)) ||
        (layout.compression == kRle8 && layout.bits == 8) ||
        (layout.compression == kRle4 && layout.bits == 4) ||
        ((layout.compression == kBitFields || layout.compression == kAlphaBitFields) &&
         (layout.bits == 16 || layout.bits == 32));
    if (!known) Broken("unsupported kind of bitmap");
    if (layout.compression == kRgb && layout.bits == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    }

    if (layout.bits <= 8) {
        const uint32_t full = 1u << layout.bits;
        const uint32_t count = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* entry = head.At(paletteAt + i * entrySize, 3);
            layout.palette.push_back(OpaquePixel(entry[2], entry[1], entry[0]));
        }
    }
    return layout;
}

uint32_t PaletteColor(const Layout& layout, uint32_t index) {
    return index < layout.palette.size() ? layout.palette[index] : 0xFF000000u;
}

void DecodeRows(const Layout& layout, const Bytes& data, Bitmap& bitmap) {
    const uint64_t stride = (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    for (int row = 0; row < bitmap.Height; ++row) {
        const uint8_t* p = data.At(row * stride, stride);
        uint32_t* out = &bitmap.At(0, layout.topDown ? row : bitmap.Height - 1 - row);
        for (int x = 0; x < bitmap.Width; ++x) {
            switch (layout.bits) {
                case 1:
                    out[x] = PaletteColor(layout, (p[x >> 3] >> (7 - (x & 7))) & 1);
                    break;
                case 4:
                    out[x] = PaletteColor(layout, (p[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
                    break;
                case 8:
                    out[x] = PaletteColor(layout, p[x]);
                    break;
                case 24:
                    out[x] = OpaquePixel(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
                    break;
                case 16: {
                    const uint32_t v = p[2 * x] | (p[2 * x + 1] << 8);
                    out[x] = OpaquePixel(red.Of(v), green.Of(v), blue.Of(v));
                    break;
                }
                case 32: {
                    const uint8_t* q = p + 4 * x;
                    if (layout.compression == kRgb) {
                        out[x] = OpaquePixel(q[2], q[1], q[0]);
                    } else {
                        const uint32_t v =
                            q[0] | (q[1] << 8) | (q[2] << 16) | (uint32_t(q[3]) << 24);
                        out[x] = OpaquePixel(red.Of(v), green.Of(v), blue.Of(v));
                    }
                    break;
                }
            }
        }
    }
}

// Run-length data ends with its end-of-bitmap mark; data that stops before it is truncated.
// Pixels the runs skip keep the first colour of the table.
void DecodeRunLength(const Layout& layout, const Bytes& data, Bitmap& bitmap) {
    std::fill(bitmap.Pixels.begin(), bitmap.Pixels.end(), PaletteColor(layout, 0));
    const bool four = layout.compression == kRle4;
    int64_t x = 0;
    int64_t row = 0;
    size_t at = 0;
    const auto put = [&](uint32_t index) {
        if (x < bitmap.Width && row < bitmap.Height) {
            const int y = static_cast<int>(layout.topDown ? row : bitmap.Height - 1 - row);
            bitmap.At(static_cast<int>(x), y) = PaletteColor(layout, index);
        }
        ++x;
    };
    while (row < bitmap.Height) {
        const uint8_t* code = data.At(at, 2);
        at += 2;
        if (code[0] > 0) {
            for (int i = 0; i < code[0]; ++i) {
                put(four ? (i % 2 == 0 ? code[1] >> 4 : code[1] & 0xF) : code[1]);
            }
        } else if (code[1] == 0) {
            x = 0;
            ++row;
        } else if (code[1] == 1) {
            return;
        } else if (code[1] == 2) {
            const uint8_t* delta = data.At(at, 2);
            at += 2;
            x += delta[0];
            row += delta[1];
        } else {
            const int count = code[1];
            const size_t bytes = four ? (count + 1) / 2 : count;
            const uint8_t* literal = data.At(at, bytes);
            for (int i = 0; i < count; ++i) {
                put(four ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0xF) : literal[i]);
            }
            at += (bytes + 1) & ~size_t{1};
        }
    }
}

}  // namespace

Bitmap DecodeBmpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const uint64_t fileSize = std::filesystem::file_size(path, error);
    if (!in || error) throw PictureError(path + ": ファイルを読めません");

    // Headers and colour table come first; the pixels are read only once their size is known.
    constexpr uint64_t kHeadLimit = kFileHeaderSize + 124 + 16 + 256 * 4;
    const Bytes head(ReadRange(in, 0, std::min(fileSize, kHeadLimit)));
    const Layout layout = ReadLayout(head);
    if (layout.width <= 0 || layout.height <= 0) Broken("the bitmap has no pixels");
    if (layout.dataOffset >= fileSize) Broken("the file is truncated");

    uint64_t dataSize = fileSize - layout.dataOffset;
    const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
    if (!runLength) {
        const uint64_t stride = (static_cast<uint64_t>(layout.width) * layout.bits + 31) / 32 * 4;
        // Past the limit the product may overflow; NewBitmap refuses such sizes below anyway.
        if (layout.width <= kMaxPicturePixels && layout.height <= kMaxPicturePixels) {
            if (stride * layout.height > dataSize) Broken("the file is truncated");
            dataSize = stride * layout.height;
        }
    }
    Bitmap bitmap = NewBitmap(layout.width, layout.height);
    if (runLength) {
        // A run codes at least one pixel in two bytes, plus the row ends.
        const uint64_t most = (static_cast<uint64_t>(bitmap.Width) + 2) * bitmap.Height * 2 + 1024;
        dataSize = std::min(dataSize, most);
    }
    const Bytes data(ReadRange(in, layout.dataOffset, dataSize));
    if (runLength) {
        DecodeRunLength(layout, data, bitmap);
    } else {
        DecodeRows(layout, data, bitmap);
    }
    return bitmap;
}

}  // namespace orv
