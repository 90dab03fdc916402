#pragma once
// PNG pictures through libpng: palette, grey, 16-bit and interlaced files; transparency is laid
// on white, as the picture shows on paper.
#include <string>

#include "render/Bitmap.h"

namespace orv {

// Throws PictureError for a file that cannot be read, is no PNG, is truncated or corrupt, or
// announces more than kMaxPicturePixels pixels (checked before the pixels are allocated).
Bitmap DecodePngFile(const std::string& path);

}  // namespace orv
