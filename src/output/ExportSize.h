#pragma once
// The size of an exported picture: the sheet at the entered resolution, and with imposition on,
// Cols calendars wide (even when fewer exist) and as many rows as the calendars need.
#include <string>

#include "DataUnit.h"
#include "PreviewSizing.h"

namespace orv {

// `design` supplies Print, Cols, Interval and the number of imposition entries. The size texts are
// read with Val (their leading whole number). Cols below 1 count as 1.
PixelSize ExportPictureSize(const std::string& sizeXText, const std::string& sizeYText, int dpi,
                            const TData& design);

}  // namespace orv
