#pragma once
// Every further picture format Qt's image plug-ins read (GIF, WebP, TIFF, ...): these stand in
// for the Windows picture plug-ins.
#include <string>
#include <vector>

#include "render/Bitmap.h"

namespace orv {

// The formats Qt can read, as lower-case names that are also file extensions ("gif", "webp").
std::vector<std::string> QtReadableFormats();

// Decodes `path` as `format` (one of QtReadableFormats); transparency is laid on white. Throws
// PictureError for a file Qt cannot read or that is larger than kMaxPicturePixels.
Bitmap DecodeWithQt(const std::string& path, const std::string& format);

}  // namespace orv
