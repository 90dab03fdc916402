// The QPainter canvas and the picture decoders: what a preview repaint and an export pay for
// text, for the illustration, and for decoding a camera-sized JPEG.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <string>

#include "QtBenchmarks.h"
#include "output/JpegDecoder.h"
#include "output/PictureFormats.h"
#include "output/QtCanvas.h"

namespace {

using namespace orv;

// A camera-sized picture with detail, so that the JPEG is not trivially small.
Bitmap Photo(int width, int height) {
    Bitmap bitmap{width, height, {}};
    bitmap.Pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t r = (x * 255 / width) ^ ((y / 7) & 0x1F);
            const uint32_t g = (y * 255 / height) ^ ((x / 5) & 0x3F);
            const uint32_t b = ((x + y) / 3) & 0xFF;
            bitmap.Pixels.push_back(0xFF000000u | (r << 16) | (g << 8) | b);
        }
    }
    return bitmap;
}

const std::string& PhotoJpeg() {
    static const std::string path = [] {
        const Bitmap photo = Photo(4000, 3000);
        const std::string file =
            (std::filesystem::temp_directory_path() / "orv-bench-photo.jpg").string();
        WrapBitmap(photo).save(QString::fromStdString(file), "JPEG", 90);
        return file;
    }();
    return path;
}

void DecodingAPhotoJpeg(benchmark::State& state) {
    const std::string& path = PhotoJpeg();
    for (auto _ : state) benchmark::DoNotOptimize(DecodeJpegFile(path));
    state.SetLabel("4000 x 3000");
}
BENCHMARK(DecodingAPhotoJpeg)->Unit(benchmark::kMillisecond);

void TestLoadingAPhotoJpeg(benchmark::State& state) {
    const std::string& path = PhotoJpeg();
    for (auto _ : state) benchmark::DoNotOptimize(TestLoadPicture(path));
}
BENCHMARK(TestLoadingAPhotoJpeg)->Unit(benchmark::kMillisecond);

// The texts and lines of one month grid as the renderer draws them: per cell a day number in
// the day face, its "88" extent, and a holiday or rokuyo name in the holiday face.
void DrawMonth(Canvas& canvas, int width, int height, double scale) {
    const int cellWidth = width / 7;
    const int cellHeight = height / 8;
    canvas.SetPenWidth(1);
    for (int row = 0; row <= 6; ++row) {
        canvas.MoveTo(0, height / 4 + row * cellHeight);
        canvas.LineTo(width, height / 4 + row * cellHeight);
    }
    static const char* const kNames[] = {"大安", "成人の日",     "友引",
                                         "先負", "建国記念の日", "仏滅"};
    for (int cell = 0; cell < 42; ++cell) {
        const int x = (cell % 7) * cellWidth;
        const int y = height / 4 + (cell / 7) * cellHeight;
        canvas.SetFontName("ＭＳ Ｐゴシック");
        canvas.SetFontSize(static_cast<int>(18 * scale));
        canvas.SetFontStyle(false, false);
        canvas.SetFontColor(cell % 7 == 0 ? 0x0000FF : 0x000000);
        const TextSize digits = canvas.TextExtent("88");
        canvas.TextOut(x + 4, y + 2, std::to_string(cell % 31 + 1));
        canvas.SetFontName("ＭＳ Ｐ明朝");
        canvas.SetFontSize(static_cast<int>(6 * scale));
        const char* name = kNames[cell % 6];
        const TextSize size = canvas.TextExtent(name);
        canvas.TextOut(x + cellWidth - size.Width - 2, y + digits.Height + 4, name);
    }
}

// A4 at 96 pixels per inch (the preview at 100 %) or at 300 (an export).
void DrawingAMonthOfText(benchmark::State& state) {
    const int dpi = static_cast<int>(state.range(0));
    const bool sharedCache = state.range(1) != 0;
    QImage image(210 * dpi * 10 / 254, 297 * dpi * 10 / 254, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvasCache cache;
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96, sharedCache ? &cache : nullptr);
        DrawMonth(canvas, image.width(), image.height(), dpi / 96.0);
    }
    state.SetLabel(sharedCache ? "cache kept" : "fresh canvas");
}
BENCHMARK(DrawingAMonthOfText)
    ->Args({96, 0})
    ->Args({96, 1})
    ->Args({300, 1})
    ->Unit(benchmark::kMillisecond);

void StretchingAPhoto(benchmark::State& state) {
    static const Bitmap photo = Photo(4000, 3000);
    const int width = static_cast<int>(state.range(0));
    const bool sharedCache = state.range(1) != 0;
    QImage image(width + 20, width * 3 / 4 + 20, QImage::Format_RGB32);
    QtCanvasCache cache;
    for (auto _ : state) {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96, sharedCache ? &cache : nullptr);
        canvas.StretchPicture({10, 10, 10 + width, 10 + width * 3 / 4}, photo);
    }
    state.SetLabel(sharedCache ? "cache kept" : "scaled each time");
}
BENCHMARK(StretchingAPhoto)
    ->Args({700, 0})
    ->Args({700, 1})
    ->Args({2300, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    orv::RunBenchmarksUnderQt<QGuiApplication>(argc, argv);
    std::remove(PhotoJpeg().c_str());
    return 0;
}
