#pragma once
// Windows and OS/2 bitmap files: 1, 4 and 8 bits with a colour table, 16 and 32 bits plain or
// with bit masks, 24 bits; stored bottom-up or top-down; RLE8 and RLE4 compressed. Alpha bytes
// are ignored, as Windows draws such bitmaps opaque.
#include <string>

#include "render/Bitmap.h"

namespace orv {

// Throws PictureError for a file that cannot be read, is no bitmap of these kinds, is truncated,
// or announces more than kMaxPicturePixels pixels (checked before the pixels are allocated).
Bitmap DecodeBmpFile(const std::string& path);

}  // namespace orv
