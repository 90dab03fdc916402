// A print-size export, drawn band by band while the rows before are still being deflated on the
// other cores, holds exactly the rows that were drawn: A3 at 1200 dpi, seventeen bands.
#include <gtest/gtest.h>

#include <QImage>
#include <string_view>

#include "output/FontSubstitutes.h"
#include "output/OutputDriver.h"
#include "output/PictureFormats.h"
#include "support/PngRows.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::RecordingSink;
using test::TempDir;

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

size_t RowHash(const uint8_t* rgb, size_t bytes) {
    return std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(rgb), bytes));
}

// Takes the rows as they are drawn, one after another, and keeps a hash of each.
class RowHashes : public ImageWriter {
  public:
    void Begin(const std::string&, int width, int) override { row_.resize(3 * size_t(width)); }
    void WriteRows(const uint32_t* pixels, int rows, size_t stride) override {
        for (int r = 0; r < rows; ++r, pixels += stride) {
            for (size_t x = 0; x < row_.size() / 3; ++x) {
                row_[3 * x] = uint8_t(pixels[x] >> 16);
                row_[3 * x + 1] = uint8_t(pixels[x] >> 8);
                row_[3 * x + 2] = uint8_t(pixels[x]);
            }
            hashes.push_back(RowHash(row_.data(), row_.size()));
        }
    }
    void Finish() override {}
    void Abort() noexcept override {}
    std::vector<size_t> hashes;

  private:
    std::vector<uint8_t> row_;
};

// The hash of each row of the file as libpng decodes it; empty when libpng refuses it.
std::vector<size_t> DecodedRowHashes(const std::string& path) {
    std::vector<size_t> hashes;
    const bool decoded = test::ReadPngRows(
        path, [&](const uint8_t* rgb, size_t bytes) { hashes.push_back(RowHash(rgb, bytes)); });
    return decoded ? hashes : std::vector<size_t>();
}

TEST(BandPipeline, A3At1200DpiHoldsTheRowsAsDrawn) {
    TempDir dir;
    RegisterWindowsFontSubstitutes();
    // A busy sheet: a photo-like picture, neighbouring months, memorial days with colours.
    QImage photo(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) photo.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) & 255));
    }
    photo.save(QString::fromStdString(dir.File("photo.png")));
    TData design = NewDesign();
    design.Year = 2027;
    design.Month = 3;
    design.SizeX = 297;
    design.SizeY = 420;
    design.PrevNextMonthEnabled = 1;
    design.PictureFile = dir.File("photo.png");
    for (int day = 1; day <= 28; day += 3) {
        TMemorial& memorial = design.Memorials.Add();
        memorial.Date = "0/3/" + std::to_string(day);
        memorial.Name = "記念日";
        memorial.DayColor = 0x0000C0;
        memorial.FontColor = -1;
        memorial.BackColor = 0xE0F0FF;
    }
    const OutputJob job = JobOfDesign(design);
    NoStatus status;
    RecordingSink sink;
    sink.AllowCoarsePictures();
    RenderState state;
    const RegistryPictureDecoder decoder;
    state.Decoder = &decoder;
    OutputEnvironment env{status, sink, state};

    ASSERT_EQ(WriteCalendarImageAt(env, job, dir.File("a3.png"), 1200, nullptr),
              ImageExportResult::Saved);
    RowHashes drawn;
    ASSERT_TRUE(DrawCalendarImageInto(env, job, 1200, drawn, dir.File("rows")));
    ASSERT_EQ(drawn.hashes.size(), 19842u);
    const std::vector<size_t> written = DecodedRowHashes(dir.File("a3.png"));
    ASSERT_EQ(written.size(), drawn.hashes.size());
    size_t differing = 0;
    for (size_t y = 0; y < written.size(); ++y) differing += written[y] != drawn.hashes[y];
    EXPECT_EQ(differing, 0u);
}

}  // namespace
}  // namespace orv
