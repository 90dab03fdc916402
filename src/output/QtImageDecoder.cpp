#include "output/QtImageDecoder.h"

#include <QImage>
#include <QImageReader>
#include <algorithm>

#include "output/PictureDecoding.h"

namespace orv {

namespace {

// Qt refuses images above its own allocation limit (128 MB by default, about 32 million pixels);
// ours is the one that counts, so Qt's must leave room for it in 32 bits per pixel and a copy.
void RaiseQtAllocationLimit() {
    constexpr int kMegabytes = static_cast<int>(kMaxPicturePixels * 4 * 2 / (1024 * 1024)) + 1;
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < kMegabytes) {
        QImageReader::setAllocationLimit(kMegabytes);
    }
}

}  // namespace

std::vector<std::string> QtReadableFormats() {
    std::vector<std::string> formats;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        formats.push_back(format.toLower().toStdString());
    }
    return formats;
}

Bitmap DecodeWithQt(const std::string& path, const std::string& format) {
    RaiseQtAllocationLimit();
    QImageReader reader(QString::fromStdString(path), QByteArray::fromStdString(format));
    reader.setAutoTransform(false);
    const QSize announced = reader.size();
    // Refused before Qt allocates anything; some formats tell their size only while decoding.
    if (announced.isValid()) CheckPictureSize(announced.width(), announced.height());
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        throw PictureError(reader.errorString().toStdString());
    }
    image.convertTo(QImage::Format_ARGB32);
    Bitmap bitmap = NewBitmap(image.width(), image.height());
    for (int y = 0; y < bitmap.Height; ++y) {
        const auto* line = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        std::copy(line, line + bitmap.Width, &bitmap.At(0, y));
    }
    LayOnWhite(bitmap);
    return bitmap;
}

}  // namespace orv
