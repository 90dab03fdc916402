// The export writers, read back by independent readers: libpng and zlib for PNG files, the bytes
// themselves for BMP files.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/resource.h>
#include <zlib.h>

#include "model/Errors.h"
#include "output/Adler32.h"
#include "output/BmpWriter.h"
#include "output/PngWriter.h"
#include "support/PngRows.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::TempDir;

// A different colour in every pixel, so that any misplaced row or channel shows.
std::vector<uint32_t> Pattern(int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(0xFF000000u | ((x * 7 + y) & 0xFF) << 16 | ((y * 11) & 0xFF) << 8 |
                             ((x * 3 + y * 5) & 0xFF));
        }
    }
    return pixels;
}

void WriteInBands(ImageWriter& writer, const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels, int bandHeight) {
    writer.Begin(path, width, height);
    for (int top = 0; top < height; top += bandHeight) {
        writer.WriteRows(pixels.data() + static_cast<size_t>(top) * width,
                         std::min(bandHeight, height - top), width);
    }
    writer.Finish();
}

uint32_t Byte(const std::string& s, size_t at) {
    return static_cast<uint8_t>(s[at]);
}
uint32_t Be32(const std::string& s, size_t at) {
    return Byte(s, at) << 24 | Byte(s, at + 1) << 16 | Byte(s, at + 2) << 8 | Byte(s, at + 3);
}
uint32_t Le32(const std::string& s, size_t at) {
    return Byte(s, at) | Byte(s, at + 1) << 8 | Byte(s, at + 2) << 16 | Byte(s, at + 3) << 24;
}

TEST(PngExport, TruecolourWithFilterNoneOnEveryRowAndNoResolutionChunk) {
    TempDir dir;
    const int width = 37, height = 23;
    const auto pixels = Pattern(width, height);
    PngWriter writer;
    WriteInBands(writer, dir.File("out.png"), width, height, pixels, 5);

    // libpng's view: the header fields, no pHYs, the pixels.
    FILE* file = std::fopen(dir.File("out.png").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) FAIL() << "libpng could not read the file";
    png_init_io(png, file);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colour = 0, interlace = 0, compression = 0, filter = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colour, &interlace, &compression, &filter);
    EXPECT_EQ(std::vector<int>({int(w), int(h), depth, colour, interlace, compression, filter}),
              std::vector<int>({37, 23, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                                PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE}));
    EXPECT_EQ(png_get_valid(png, info, PNG_INFO_pHYs), 0u);
    std::vector<uint32_t> read;
    std::vector<uint8_t> row(3 * width);
    for (int y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < width; ++x) {
            read.push_back(0xFF000000u | row[3 * x] << 16 | row[3 * x + 1] << 8 | row[3 * x + 2]);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    EXPECT_EQ(read, pixels);

    // The raw stream: zlib at its default level, and filter byte 0 before every row.
    const std::string bytes = TempDir::Read(dir.File("out.png"));
    std::string idat;
    for (size_t at = 8; at + 12 <= bytes.size(); at += 12 + Be32(bytes, at)) {
        EXPECT_NE(bytes.substr(at + 4, 4), "pHYs");
        if (bytes.substr(at + 4, 4) == "IDAT") idat += bytes.substr(at + 8, Be32(bytes, at));
    }
    ASSERT_GE(idat.size(), 2u);
    EXPECT_EQ(Byte(idat, 0) & 0x0F, 8u);  // deflate
    EXPECT_EQ(Byte(idat, 1) >> 6, 2u);    // the default level's class
    std::string raw((1 + 3 * width) * height, '\0');
    uLongf size = raw.size();
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                         reinterpret_cast<const Bytef*>(idat.data()), idat.size()),
              Z_OK);
    for (int y = 0; y < height; ++y) EXPECT_EQ(raw[y * (1 + 3 * width)], 0) << "row " << y;
}

// The file's pixels as libpng decodes them; empty when libpng refuses it.
std::vector<uint32_t> DecodedByLibpng(const std::string& path) {
    std::vector<uint32_t> read;
    const bool decoded = test::ReadPngRows(path, [&](const uint8_t* rgb, size_t bytes) {
        for (size_t x = 0; x + 2 < bytes; x += 3) {
            read.push_back(0xFF000000u | rgb[x] << 16 | rgb[x + 1] << 8 | rgb[x + 2]);
        }
    });
    return decoded ? read : std::vector<uint32_t>();
}

TEST(PngExport, RowsDeflatedInStretchesOnAllCoresDecodeToTheSamePixels) {
    TempDir dir;
    struct Case {
        int width, height;
        size_t stretchBytes;
    };
    // One stretch, two, three, one per row; odd widths, a single row, a single column.
    const Case cases[] = {{37, 23, 1 << 20}, {301, 40, 301 * 3 * 20 + 20}, {301, 40, 301 * 3 * 14},
                          {333, 50, 1},        {1, 1, 1},                     {999, 1, 1},
                          {1, 77, 4},          {2000, 90, 40000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " stretch " +
                     std::to_string(c.stretchBytes));
        const auto pixels = Pattern(c.width, c.height);
        PngWriter writer(c.stretchBytes);
        WriteInBands(writer, dir.File("out.png"), c.width, c.height, pixels, 7);
        EXPECT_EQ(DecodedByLibpng(dir.File("out.png")), pixels);
    }
    // Priming each stretch with the bytes before it keeps the file within 1 % of one stream's.
    const auto pixels = Pattern(2000, 300);
    PngWriter one(size_t{1} << 30), many(size_t{1} << 16);
    WriteInBands(one, dir.File("one.png"), 2000, 300, pixels, 64);
    WriteInBands(many, dir.File("many.png"), 2000, 300, pixels, 64);
    EXPECT_LE(TempDir::Read(dir.File("many.png")).size(),
              TempDir::Read(dir.File("one.png")).size() * 101 / 100);
}

// Every length up to a few blocks at every alignment, runs of 0xFF (the sums' worst case) far past
// a reduction, and a checksum carried on from one call to the next.
TEST(PngExport, Adler32IsZlibs) {
    std::vector<uint8_t> bytes(3 << 20);
    uint32_t seed = 12345;
    for (uint8_t& b : bytes) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    std::fill(bytes.begin() + (1 << 20), bytes.begin() + (2 << 20), 0xFF);
    const auto zlibs = [](uint32_t adler, const uint8_t* data, size_t size) {
        return static_cast<uint32_t>(adler32(adler, data, static_cast<uInt>(size)));
    };
    for (size_t offset = 0; offset < 4; ++offset) {
        for (size_t size = 0; size < 300; ++size) {
            ASSERT_EQ(Adler32(1, bytes.data() + offset, size), zlibs(1, bytes.data() + offset, size))
                << offset << " " << size;
        }
    }
    for (const size_t at : {size_t{0}, size_t{1} << 20, size_t{1} << 21}) {
        EXPECT_EQ(Adler32(1, bytes.data() + at, 1 << 20), zlibs(1, bytes.data() + at, 1 << 20));
    }
    const uint32_t first = Adler32(1, bytes.data(), 5555);
    EXPECT_EQ(Adler32(first, bytes.data() + 5555, bytes.size() - 5555),
              zlibs(1, bytes.data(), bytes.size()));
}

TEST(BmpExport, BottomUp24BitsWithPaddedRows) {
    TempDir dir;
    const int width = 5, height = 3;  // 15 bytes of pixels per row, padded to 16
    const auto pixels = Pattern(width, height);
    BmpWriter writer;
    WriteInBands(writer, dir.File("out.bmp"), width, height, pixels, 2);

    const std::string bytes = TempDir::Read(dir.File("out.bmp"));
    ASSERT_EQ(bytes.size(), 54u + 16 * 3);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    // File size, pixel offset, header size, width, height (positive: bottom-up), 1 plane and
    // 24 bits, uncompressed, image size.
    EXPECT_EQ(
        std::vector<uint32_t>({Le32(bytes, 2), Le32(bytes, 10), Le32(bytes, 14), Le32(bytes, 18),
                               Le32(bytes, 22), Le32(bytes, 26), Le32(bytes, 30), Le32(bytes, 34)}),
        std::vector<uint32_t>({102, 54, 40, 5, 3, 1 | 24 << 16, 0, 48}));
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + (height - 1 - y) * 16;
        for (int x = 0; x < width; ++x) {
            const uint32_t bgr = Byte(bytes, row + 3 * x) | Byte(bytes, row + 3 * x + 1) << 8 |
                                 Byte(bytes, row + 3 * x + 2) << 16;
            EXPECT_EQ(bgr, pixels[y * width + x] & 0xFFFFFF) << x << "," << y;
        }
        EXPECT_EQ(bytes[row + 15], 0) << "padding of row " << y;
    }
}

TEST(ImageExport, ExtensionChoosesTheFormatInAnyCase) {
    EXPECT_EQ(ImageFormatOfFileName("/tmp/a.png"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatOfFileName("a.Png"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatOfFileName("カレンダー.BMP"), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatOfFileName("a.JPG"), ImageFileFormat::Jpeg);
    EXPECT_EQ(ImageFormatOfFileName("a.jpeg"), ImageFileFormat::Jpeg);
    for (const char* other : {"a.gif", "a.sav", "a", "pictures.png/a", "a.png.txt"}) {
        EXPECT_EQ(ImageFormatOfFileName(other), ImageFileFormat::Unsupported) << other;
    }
}

TEST(ImageExport, FailedOrCancelledWriteLeavesNoFileAndKeepsTheOldOne) {
    TempDir dir;
    const int width = 300, height = 200;
    const auto pixels = Pattern(width, height);
    for (const ImageFileFormat format : {ImageFileFormat::Png, ImageFileFormat::Bmp}) {
        const std::string target = dir.Write("old.img", "the previous export");
        const auto writer = MakeImageWriter(format);
        // The disk fills up half-way (a file size limit stands in for it).
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        auto* handler = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limited);
        try {
            WriteInBands(*writer, target, width, height, pixels, 16);
            ADD_FAILURE() << "a write beyond the limit succeeded";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(target + ": File too large"), std::string::npos)
                << e.what();
        }
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, handler);
        EXPECT_EQ(TempDir::Read(target), "the previous export");

        writer->Begin(target, width, height);  // cancelled
        writer->WriteRows(pixels.data(), 50, width);
        writer->Abort();
        writer->Begin(dir.File("short"), width, height);  // finished too early
        writer->WriteRows(pixels.data(), 50, width);
        EXPECT_THROW(writer->Finish(), IoError);
        writer->Begin(dir.File("long"), width, 10);  // more rows than the picture has
        EXPECT_THROW(writer->WriteRows(pixels.data(), 11, width), IoError);
        MakeImageWriter(format)->Begin(dir.File("dropped"), width, height);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.img"});
        std::remove(target.c_str());
    }
    // A picture whose size does not fit a BMP header is refused before anything is written.
    EXPECT_THROW(BmpWriter().Begin(dir.File("huge.bmp"), 40000, 40000), IoError);
    EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace orv
