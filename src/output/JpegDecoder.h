#pragma once
// JPEG pictures through libjpeg, at full size with the library's default settings. Grey, YCbCr,
// RGB and CMYK/YCCK (Adobe's inverted form too) files come out as opaque RGB.
#include <string>

#include "render/Bitmap.h"

namespace orv {

// Throws PictureError for a file that cannot be read, is no JPEG, is truncated or corrupt, or
// announces more than kMaxPicturePixels pixels (checked before the pixels are allocated).
Bitmap DecodeJpegFile(const std::string& path);

}  // namespace orv
