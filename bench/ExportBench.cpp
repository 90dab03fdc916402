// Exports at print resolutions: A4 at 300 dpi to PNG and to BMP, A3 at 1200 dpi to PNG, with the
// process's peak memory. Run the A3 case on its own (--benchmark_filter=A3) to read its peak.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFont>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>

#include "BandedExport.h"
#include "ExportSize.h"
#include "ImageWriter.h"

namespace orv {
namespace {

// A sheet with what costs time in a calendar: a stretched picture, a month grid of crisp lines,
// coloured cells and antialiased text in a Japanese face, all scaled to the resolution.
void DrawSheet(QPainter& painter, PixelSize size, int dpi) {
    static const QImage picture = [] {
        QImage image(800, 600, QImage::Format_RGB32);
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) & 255));
        }
        return image;
    }();
    const int w = size.Width;
    const int h = size.Height;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(w / 20, h / 30, w * 9 / 10, h * 2 / 5), picture);
    const int gridTop = h / 2;
    const int cellW = w * 9 / 70;
    const int cellH = (h * 9 / 20) / 6;
    painter.setPen(QPen(Qt::black, std::max(1, dpi / 150)));
    for (int row = 0; row <= 6; ++row) {
        painter.drawLine(w / 20, gridTop + row * cellH, w / 20 + 7 * cellW, gridTop + row * cellH);
    }
    for (int col = 0; col <= 7; ++col) {
        painter.drawLine(w / 20 + col * cellW, gridTop, w / 20 + col * cellW, gridTop + 6 * cellH);
    }
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(18 * dpi / 72);
    painter.setFont(font);
    for (int day = 1; day <= 31; ++day) {
        const int cell = day + 3;
        const QRect box(w / 20 + (cell % 7) * cellW, gridTop + (cell / 7) * cellH, cellW, cellH);
        if (cell % 7 == 0) painter.fillRect(box.adjusted(1, 1, 0, 0), QColor(255, 235, 235));
        painter.setPen(cell % 7 == 0 ? Qt::red : Qt::black);
        painter.drawText(box.adjusted(cellW / 10, cellH / 10, 0, 0), QString::number(day));
        QFont small = font;
        small.setPixelSize(6 * dpi / 72);
        painter.setFont(small);
        painter.drawText(box.adjusted(cellW / 10, cellH * 6 / 10, 0, 0), QStringLiteral("大安"));
        painter.setFont(font);
    }
    font.setPixelSize(28 * dpi / 72);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, h * 9 / 20, w, h / 20), Qt::AlignCenter,
                     QStringLiteral("2026年1月（令和8年）"));
}

long PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void Export(benchmark::State& state, ImageFileFormat format, const char* sizeX, const char* sizeY,
            int dpi) {
    const TData plain;
    const PixelSize size = ExportPictureSize(sizeX, sizeY, dpi, plain);
    const std::string path =
        (std::filesystem::temp_directory_path() /
         (format == ImageFileFormat::Png ? "orv-export-bench.png" : "orv-export-bench.bmp"))
            .string();
    const auto writer = MakeImageWriter(format);
    for (auto _ : state) {
        ExportInBands(writer.get(), path, size, [&](QPainter& p) { DrawSheet(p, size, dpi); });
    }
    state.counters["pixels"] = static_cast<double>(size.Width) * size.Height;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(PeakMegabytes());
    std::filesystem::remove(path);
}

void A4At300ToPng(benchmark::State& state) {
    Export(state, ImageFileFormat::Png, "210", "297", 300);
}
void A4At300ToBmp(benchmark::State& state) {
    Export(state, ImageFileFormat::Bmp, "210", "297", 300);
}
void A3At1200ToPng(benchmark::State& state) {
    Export(state, ImageFileFormat::Png, "297", "420", 1200);
}

BENCHMARK(A4At300ToPng)->Unit(benchmark::kMillisecond);
BENCHMARK(A4At300ToBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(A3At1200ToPng)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
