#pragma once
// The size of an exported picture: the sheet at the entered resolution, and with imposition on,
// Cols calendars wide (even when fewer exist) and as many rows as the calendars need.
#include <optional>
#include <string>

#include "model/DataUnit.h"
#include "output/PreviewSizing.h"

namespace orv {

// `design` supplies Print, Cols, Interval and the number of imposition entries; the sheet is
// sizeX x sizeY mm. Cols below 1 count as 1.
PixelSize ExportPictureSize(int sizeX, int sizeY, int dpi, const TData& design);

// No exported picture is larger than this on either side: such a file is of use to no program
// that would open it, and drawing it would keep the user waiting for many minutes.
inline constexpr int kMaxExportSide = 30000;

// The warning that refuses the export picture of ExportPictureSize's arguments when it is larger
// than kMaxExportSide on a side; nothing for one within.
std::optional<std::string> ExportSizeRefusal(int sizeX, int sizeY, int dpi, const TData& design);

// PDF viewers show no page longer than 200 inches on a side, and an image of that size is of no
// more use; such a page or picture is refused.
inline constexpr double kMaxPageSideMm = 200 * 25.4;

// The message that refuses a page larger than kMaxPageSideMm on a side, or one without a width or
// height; nothing for one within.
std::optional<std::string> PageSizeRefusal(double widthMm, double heightMm);

}  // namespace orv
