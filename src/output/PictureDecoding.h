#pragma once
// What the picture decoders share: the error they throw for a file they cannot use, and the size
// limit they check before anything is allocated for the pixels.
#include <cstdint>
#include <string>

#include "model/Errors.h"
#include "render/Bitmap.h"

namespace orv {

// The file is no picture that can be drawn: unknown, truncated, corrupt or too large.
class PictureError : public Error {
  public:
    using Error::Error;
};

// A header can announce billions of pixels in a file of a few bytes; such a picture is refused
// before its pixels are allocated.
constexpr int64_t kMaxPicturePixels = 100'000'000;

// Throws PictureError for a size that is not positive or larger than kMaxPicturePixels.
void CheckPictureSize(int64_t width, int64_t height);

// A bitmap of width × height opaque black pixels, after CheckPictureSize.
Bitmap NewBitmap(int64_t width, int64_t height);

// An opaque pixel from 8-bit components.
constexpr uint32_t OpaquePixel(uint32_t red, uint32_t green, uint32_t blue) {
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

// An unpremultiplied pixel 0xAARRGGBB laid on white, as a transparent picture shows on paper.
constexpr uint32_t OnWhite(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    if (alpha == 0xFF) return argb;
    const auto blend = [alpha](uint32_t c) {
        return (c * alpha + 255 * (255 - alpha) + 127) / 255;
    };
    return OpaquePixel(blend((argb >> 16) & 0xFF), blend((argb >> 8) & 0xFF), blend(argb & 0xFF));
}

// Lays a picture of unpremultiplied 0xAARRGGBB pixels on white, keeping the opacity of each in
// Alpha when any of them is not opaque.
void LayOnWhite(Bitmap& picture);

}  // namespace orv
