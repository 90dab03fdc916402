#include "output/BandedExport.h"

#include <algorithm>
#include <cerrno>

#include "model/AtomicFile.h"
#include "model/Errors.h"

namespace orv {

int BandRows(int width, size_t bandBytes) {
    const size_t rowBytes = static_cast<size_t>(std::max(width, 1)) * 4;
    return static_cast<int>(std::clamp<size_t>(bandBytes / rowBytes, 1, 1 << 20));
}

namespace {

// Qt's antialiasing of large text differs slightly near the edge of the drawn area; each band is
// drawn with this many rows more above and below, and only its middle is kept.
constexpr int kOverlapRows = 64;

void DrawBand(QImage& band, int top, int width, const BandDrawer& draw) {
    band.fill(Qt::white);
    QPainter painter(&band);
    painter.translate(0, -top);
    painter.setClipRect(0, top, width, band.height());
    draw(painter);
    painter.end();
}

}  // namespace

ExportOutcome ExportInBands(ImageWriter* writer, const std::string& path, PixelSize size,
                            const BandDrawer& draw, ExportProgress* progress, size_t bandBytes,
                            bool finish) {
    if (size.Width < 1 || size.Height < 1) {
        throw IoError(path + ": 画像の大きさが 0 です（カレンダーのサイズを確かめてください）");
    }
    const int bandRows = std::min(BandRows(size.Width, bandBytes), size.Height);
    if (progress != nullptr && !progress->Continue(0, size.Height)) return ExportOutcome::Cancelled;
    const int overlap = size.Height > bandRows ? kOverlapRows : 0;
    QImage band(size.Width, bandRows + 2 * overlap, QImage::Format_RGB32);
    if (band.isNull()) throw IoError(path + ": " + SystemErrorText(ENOMEM));
    if (writer != nullptr) writer->Begin(path, size.Width, size.Height);
    try {
        for (int top = 0; top < size.Height; top += bandRows) {
            const int rows = std::min(bandRows, size.Height - top);
            DrawBand(band, top - overlap, size.Width, draw);
            if (writer != nullptr) {
                writer->WriteRows(reinterpret_cast<const uint32_t*>(band.constScanLine(overlap)),
                                  rows, static_cast<size_t>(band.bytesPerLine()) / 4);
            }
            if (progress != nullptr && !progress->Continue(top + rows, size.Height)) {
                if (writer != nullptr) writer->Abort();
                return ExportOutcome::Cancelled;
            }
        }
        if (writer != nullptr && finish) writer->Finish();
    } catch (...) {
        if (writer != nullptr) writer->Abort();
        throw;
    }
    return ExportOutcome::Written;
}

QImage DrawWholePicture(PixelSize size, const BandDrawer& draw) {
    QImage image(std::max(size.Width, 1), std::max(size.Height, 1), QImage::Format_RGB32);
    DrawBand(image, 0, image.width(), draw);
    return image;
}

}  // namespace orv
