#pragma once
// How a picture sits in its box: whole (bands where the shapes differ) or filling it, cropped
// around a focus point and zoomed. Kept for the main picture, each month's picture and each
// imposition entry's, in a section of its own that is written only for what is not the default,
// so that a design without framing saves as it always has.
#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class IniFile;
struct TData;

struct PictureFraming {
    static constexpr int32_t kZoomMax = 800;

    int32_t Fill = 0;      // 0 the whole picture, 1 the picture covers its box
    int32_t FocusX = 500;  // the crop's centre in the picture, per mille of its width
    int32_t FocusY = 500;  // and of its height
    int32_t Zoom = 100;    // percent, 100..kZoomMax

    bool IsDefault() const { return *this == PictureFraming{}; }
    bool operator==(const PictureFraming&) const = default;
    // "Fill,FocusX,FocusY,Zoom".
    std::string ToText() const;
    // Such a text with each value kept in its range; nothing when it is not four numbers.
    static std::optional<PictureFraming> FromText(const std::string& text);
};

// Where the crop of a `pictureW` × `pictureH` picture lies when it fills a `boxW` × `boxH` box:
// the part of the picture that shows, in picture pixels, kept inside the picture.
struct PictureCrop {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};
PictureCrop CropOfFill(const PictureFraming& framing, double pictureW, double pictureH, double boxW,
                       double boxH);

// The focus point that moves the crop by (dx, dy) box units of a box `boxW` × `boxH` (the
// picture follows the pointer: dragging right shows more of the picture's left).
PictureFraming FramingMovedBy(const PictureFraming& framing, double pictureW, double pictureH,
                              double boxW, double boxH, double dx, double dy);

// The picture's pixels per inch at the size it is printed in a box of `boxW` × `boxH` mm: its
// crop over the box when it fills it, the whole picture over its fitted size otherwise.
double EffectiveDpi(const PictureFraming& framing, double pictureW, double pictureH, double boxW,
                    double boxH);
// Below this a picture prints visibly coarse.
inline constexpr int kLowPictureDpi = 200;

// The framing of the picture the design's calendar shows: its month's own, else the main one.
const PictureFraming& CalendarPictureFraming(const TData& design);

// The [PictureFraming] section.
void ReadPictureFramings(const IniFile& ini, TData& data);
void WritePictureFramings(IniFile& ini, const TData& data);

}  // namespace orv
