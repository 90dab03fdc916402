#include "output/PictureDecoding.h"

#include <algorithm>

namespace orv {

void CheckPictureSize(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) throw PictureError("画像に画素がありません。");
    if (width > kMaxPicturePixels || height > kMaxPicturePixels ||
        width * height > kMaxPicturePixels) {
        throw PictureError("画像が大きすぎます（" + std::to_string(width) + " x " +
                           std::to_string(height) + " ピクセル）。");
    }
}

Bitmap NewBitmap(int64_t width, int64_t height) {
    CheckPictureSize(width, height);
    Bitmap bitmap;
    bitmap.Width = static_cast<int>(width);
    bitmap.Height = static_cast<int>(height);
    bitmap.Pixels.assign(static_cast<size_t>(width * height), 0xFF000000u);
    return bitmap;
}

void LayOnWhite(Bitmap& picture) {
    const bool transparent = std::any_of(picture.Pixels.begin(), picture.Pixels.end(),
                                         [](uint32_t pixel) { return pixel < 0xFF000000u; });
    if (!transparent) return;
    picture.Alpha.resize(picture.Pixels.size());
    for (size_t i = 0; i < picture.Pixels.size(); ++i) {
        picture.Alpha[i] = static_cast<uint8_t>(picture.Pixels[i] >> 24);
        picture.Pixels[i] = OnWhite(picture.Pixels[i]);
    }
}

}  // namespace orv
