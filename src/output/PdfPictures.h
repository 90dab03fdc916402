#pragma once
// The pictures of a PDF file being written. Qt's writer would store a picture resampled to the
// page's resolution, once per page and a JPEG decoded and packed anew; instead each picture is
// drawn as a small placeholder that names it, and the finishing (PdfFinishing.h) puts the picture
// in its place: a JPEG file as it is, any other at its own pixels (no more than kMaxPdfPictureDpi
// where it is placed), each once however many pages show it.
#include <QImage>
#include <QSizeF>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "render/Bitmap.h"

namespace orv {

// More dots per inch than this on paper add bytes and nothing a press can show.
inline constexpr double kMaxPdfPictureDpi = 400;

class PdfPictures {
  public:
    struct Picture {
        std::string JpegFile;                  // carried as it is; or
        std::shared_ptr<const Bitmap> Pixels;  // stored without loss
        int Width = 0;
        int Height = 0;
        int Components = 3;  // 1 grey, 3 colour
    };

    // The placeholder to draw for `picture` placed `inches` large on the page. The same picture
    // (the same file, or the same pixels at the same size) gives the same placeholder.
    QImage Placeholder(const Bitmap& picture, QSizeF inches);

    // The picture a placeholder's stored pixels (8 × 1, RGB) name, if they are one.
    const Picture* Named(const std::string& rgb) const;

  private:
    using Key = std::tuple<std::string, uint64_t, int, int>;  // file or pixels, size
    std::map<Key, size_t> known_;
    std::vector<Picture> pictures_;
    std::vector<QImage> placeholders_;
};

}  // namespace orv
