// The export writers, read back by independent readers: libpng and zlib for PNG files, the bytes
// themselves for BMP files.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/resource.h>
#include <zlib.h>

#include <cstring>
#include <fstream>

#include "BmpWriter.h"
#include "Errors.h"
#include "ImageWriter.h"
#include "PngWriter.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::TempDir;

// A picture with a different colour in every pixel, so that any misplaced row or channel shows.
std::vector<uint32_t> Pattern(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t r = (x * 7 + y) & 0xFF, g = (y * 11) & 0xFF, b = (x * 3 + y * 5) & 0xFF;
            pixels[static_cast<size_t>(y) * width + x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return pixels;
}

// Writes the picture band by band with the given band heights (the last band takes the rest).
void WriteInBands(ImageWriter& writer, const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels, int bandHeight) {
    writer.Begin(path, width, height);
    for (int top = 0; top < height; top += bandHeight) {
        const int rows = std::min(bandHeight, height - top);
        writer.WriteRows(pixels.data() + static_cast<size_t>(top) * width, rows, width);
    }
    writer.Finish();
}

uint32_t Be32(const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3]));
}

uint32_t Le32(const std::string& s, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24;
}

struct PngChunks {
    std::vector<std::string> types;
    std::string idat;
};

PngChunks ReadChunks(const std::string& bytes) {
    PngChunks chunks;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const uint32_t length = Be32(bytes, at);
        const std::string type = bytes.substr(at + 4, 4);
        chunks.types.push_back(type);
        if (type == "IDAT") chunks.idat += bytes.substr(at + 8, length);
        at += 12 + length;
    }
    return chunks;
}

std::string Inflate(const std::string& deflated, size_t expected) {
    std::string out(expected + 1, '\0');
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                         reinterpret_cast<const Bytef*>(deflated.data()), deflated.size()),
              Z_OK);
    out.resize(size);
    return out;
}

struct DecodedPng {
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0, compression = 0, filter = 0;
    bool hasPhys = true;
    std::vector<uint32_t> pixels;
};

DecodedPng ReadWithLibpng(const std::string& path) {
    DecodedPng d;
    FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return d;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        ADD_FAILURE() << "libpng could not read " << path;
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return d;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_get_IHDR(png, info, &d.width, &d.height, &d.bitDepth, &d.colorType, &d.interlace,
                 &d.compression, &d.filter);
    d.hasPhys = png_get_valid(png, info, PNG_INFO_pHYs) != 0;
    std::vector<uint8_t> row(png_get_rowbytes(png, info));
    for (png_uint_32 y = 0; y < d.height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (png_uint_32 x = 0; x < d.width && row.size() >= 3 * d.width; ++x) {
            d.pixels.push_back(0xFF000000u | row[3 * x] << 16 | row[3 * x + 1] << 8 |
                               row[3 * x + 2]);
        }
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return d;
}

TEST(PngExport, FileIsPlainTruecolourWithFilterNoneAndNoResolutionChunk) {
    TempDir dir;
    const int width = 37, height = 23;
    const auto pixels = Pattern(width, height);
    PngWriter writer;
    WriteInBands(writer, dir.File("out.png"), width, height, pixels, 5);

    const DecodedPng png = ReadWithLibpng(dir.File("out.png"));
    EXPECT_EQ(png.width, 37u);
    EXPECT_EQ(png.height, 23u);
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
    EXPECT_EQ(png.compression, PNG_COMPRESSION_TYPE_BASE);
    EXPECT_EQ(png.filter, PNG_FILTER_TYPE_BASE);
    EXPECT_FALSE(png.hasPhys);
    EXPECT_EQ(png.pixels, pixels);

    const std::string bytes = TempDir::Read(dir.File("out.png"));
    const PngChunks chunks = ReadChunks(bytes);
    EXPECT_EQ(chunks.types.front(), "IHDR");
    EXPECT_EQ(chunks.types.back(), "IEND");
    EXPECT_EQ(std::count(chunks.types.begin(), chunks.types.end(), "pHYs"), 0);
    // zlib's header: deflate, and the level class of the default level (2 of 0..3).
    ASSERT_GE(chunks.idat.size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(chunks.idat[0]) & 0x0F, 8);
    EXPECT_EQ(static_cast<uint8_t>(chunks.idat[1]) >> 6, 2);
    const size_t rowBytes = 1 + 3 * width;
    const std::string raw = Inflate(chunks.idat, rowBytes * height);
    ASSERT_EQ(raw.size(), rowBytes * height);
    for (int y = 0; y < height; ++y) EXPECT_EQ(raw[y * rowBytes], 0) << "filter byte of row " << y;
}

TEST(BmpExport, FileIsBottomUp24BitWithPaddedRows) {
    TempDir dir;
    const int width = 5, height = 3;  // 15 bytes of pixels per row, padded to 16
    const auto pixels = Pattern(width, height);
    BmpWriter writer;
    WriteInBands(writer, dir.File("out.bmp"), width, height, pixels, 2);

    const std::string bytes = TempDir::Read(dir.File("out.bmp"));
    ASSERT_EQ(bytes.size(), 54u + 16 * 3);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    EXPECT_EQ(Le32(bytes, 10), 54u);  // pixels start after both headers
    EXPECT_EQ(Le32(bytes, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(Le32(bytes, 18), 5u);
    EXPECT_EQ(Le32(bytes, 22), 3u);  // positive height: bottom-up
    EXPECT_EQ(Le32(bytes, 26) & 0xFFFF, 1u);
    EXPECT_EQ(Le32(bytes, 26) >> 16, 24u);
    EXPECT_EQ(Le32(bytes, 30), 0u);  // uncompressed
    EXPECT_EQ(Le32(bytes, 34), 48u);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + fileRow * 16 + x * 3;
            const uint32_t p = pixels[y * width + x];
            EXPECT_EQ(static_cast<uint8_t>(bytes[at]), p & 0xFF) << x << "," << y;
            EXPECT_EQ(static_cast<uint8_t>(bytes[at + 1]), (p >> 8) & 0xFF) << x << "," << y;
            EXPECT_EQ(static_cast<uint8_t>(bytes[at + 2]), (p >> 16) & 0xFF) << x << "," << y;
        }
        EXPECT_EQ(bytes[54 + fileRow * 16 + 15], 0) << "padding of file row " << fileRow;
    }
}

TEST(ImageExport, BandHeightDoesNotChangeTheFile) {
    TempDir dir;
    const int width = 29, height = 31;
    const auto pixels = Pattern(width, height);
    for (const ImageFileFormat format : {ImageFileFormat::Png, ImageFileFormat::Bmp}) {
        const auto writer = MakeImageWriter(format);
        WriteInBands(*writer, dir.File("whole"), width, height, pixels, height);
        const std::string whole = TempDir::Read(dir.File("whole"));
        for (const int band : {1, 4, 7, 30}) {
            WriteInBands(*writer, dir.File("banded"), width, height, pixels, band);
            EXPECT_EQ(TempDir::Read(dir.File("banded")), whole) << "band height " << band;
        }
    }
}

TEST(ImageExport, ExtensionChoosesTheFormatInAnyCase) {
    EXPECT_EQ(ImageFormatOfFileName("/tmp/a.png"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatOfFileName("/tmp/a.PNG"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatOfFileName("a.Png"), ImageFileFormat::Png);
    EXPECT_EQ(ImageFormatOfFileName("a.bmp"), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatOfFileName("カレンダー.BMP"), ImageFileFormat::Bmp);
    EXPECT_EQ(ImageFormatOfFileName("a.jpg"), ImageFileFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName("a.sav"), ImageFileFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName("a"), ImageFileFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName("pictures.png/a"), ImageFileFormat::Unsupported);
    EXPECT_EQ(ImageFormatOfFileName("a.png.txt"), ImageFileFormat::Unsupported);
    EXPECT_EQ(MakeImageWriter(ImageFileFormat::Unsupported), nullptr);
}

// Runs `write` with the process's file size limit lowered, as a full disk would stop it.
template <typename F>
void WithFileSizeLimit(rlim_t bytes, F write) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    write();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
}

TEST(ImageExport, FailedOrCancelledExportLeavesNoFileAndKeepsTheOldOne) {
    TempDir dir;
    const int width = 300, height = 200;
    const auto pixels = Pattern(width, height);
    for (const ImageFileFormat format : {ImageFileFormat::Png, ImageFileFormat::Bmp}) {
        SCOPED_TRACE(format == ImageFileFormat::Png ? "PNG" : "BMP");
        const std::string target = dir.Write("old.img", "the previous export");
        const auto writer = MakeImageWriter(format);

        // The disk fills up half-way: the reason is the system's, and nothing is left behind.
        WithFileSizeLimit(4096, [&] {
            try {
                WriteInBands(*writer, target, width, height, pixels, 16);
                ADD_FAILURE() << "a write beyond the limit succeeded";
            } catch (const IoError& e) {
                EXPECT_NE(std::string(e.what()).find("File too large"), std::string::npos)
                    << e.what();
                EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
            }
        });
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.img"});
        EXPECT_EQ(TempDir::Read(target), "the previous export");

        // Cancelled half-way.
        writer->Begin(target, width, height);
        writer->WriteRows(pixels.data(), 50, width);
        writer->Abort();
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.img"});

        // Finished before every row came: an error, not a short picture.
        writer->Begin(dir.File("short.img"), width, height);
        writer->WriteRows(pixels.data(), 50, width);
        EXPECT_THROW(writer->Finish(), IoError);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.img"});

        // More rows than the picture has.
        writer->Begin(dir.File("long.img"), width, 10);
        EXPECT_THROW(writer->WriteRows(pixels.data(), 11, width), IoError);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.img"});

        // A writer dropped unfinished cleans up after itself.
        {
            auto dropped = MakeImageWriter(format);
            dropped->Begin(dir.File("dropped.img"), width, height);
            dropped->WriteRows(pixels.data(), 10, width);
        }
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.img"});
        std::remove(target.c_str());
    }
}

TEST(ImageExport, UnwritableFolderIsReportedWithTheSystemsReason) {
    TempDir dir;
    for (const ImageFileFormat format : {ImageFileFormat::Png, ImageFileFormat::Bmp}) {
        const auto writer = MakeImageWriter(format);
        try {
            writer->Begin(dir.File("missing/out.img"), 10, 10);
            ADD_FAILURE() << "a file was begun in a folder that does not exist";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos)
                << e.what();
        }
    }
}

TEST(BmpExport, PictureBeyondTheFormatsLimitIsRefusedBeforeWriting) {
    TempDir dir;
    BmpWriter writer;
    // 40000 × 40000 × 3 bytes do not fit the header's 32-bit sizes.
    EXPECT_THROW(writer.Begin(dir.File("huge.bmp"), 40000, 40000), IoError);
    EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace orv
