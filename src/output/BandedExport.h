#pragma once
// Drawing an exported picture in horizontal bands: each band is drawn by the same pass with the
// origin moved up by the band's top and the drawing clipped to the band, then handed to the
// writer, so memory stays that of one band whatever the resolution. The pixels are those of one
// whole-picture draw.
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <functional>
#include <string>

#include "output/ImageWriter.h"
#include "output/PreviewSizing.h"

namespace orv {

// Told of the rows finished; answers whether to go on. The window shows it and offers a cancel.
class ExportProgress {
  public:
    virtual ~ExportProgress() = default;
    // Before each band and after the last one; false cancels: no file is left.
    virtual bool Continue(int rowsDone, int rowsTotal) = 0;
};

// Draws the picture onto `painter`, whose coordinates are the whole picture's (the band's top is
// already subtracted) and whose clip is the band. The band starts white.
using BandDrawer = std::function<void(QPainter& painter)>;

enum class ExportOutcome { Written, Cancelled };

// One band's memory by default: 64 MB of pixels.
inline constexpr size_t kBandBytes = size_t{64} << 20;

// Rows per band so that a band of `width` RGB32 pixels stays within `bandBytes` (at least 1).
int BandRows(int width, size_t bandBytes);

// Draws the picture band by band and writes it to `path` through `writer`; with no writer the
// picture is drawn and dropped. IoError from the writer passes on, with no file left behind.
// Without `finish`, a written picture's writer is left for the caller to finish or abort.
ExportOutcome ExportInBands(ImageWriter* writer, const std::string& path, PixelSize size,
                            const BandDrawer& draw, ExportProgress* progress = nullptr,
                            size_t bandBytes = kBandBytes, bool finish = true);

// The same drawing into one bitmap of the whole picture.
QImage DrawWholePicture(PixelSize size, const BandDrawer& draw);

}  // namespace orv
