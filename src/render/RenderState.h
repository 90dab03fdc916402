#pragma once
// The window-level state the renderer shares with whoever owns it (the window, the command line,
// a test): the loading guard, the picture cache, the month area of the last sheet pass and the
// old-calendar lists. One object, handed to every pass.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/AlmanacData.h"
#include "model/HolidayList.h"
#include "model/Memorials.h"
#include "model/PictureFraming.h"
#include "render/Bitmap.h"
#include "render/Canvas.h"

namespace orv {

// Turns a picture file into a bitmap. The output layer supplies the real decoders; the renderer
// only asks.
class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // The decoded picture, or nothing when the file cannot be decoded. Never throws.
    virtual std::optional<Bitmap> Decode(const std::string& path) const = 0;
    // The same, shared: a decoder that keeps its pictures hands out the one it keeps, so that
    // drawing it again neither copies nor scales it anew.
    virtual std::shared_ptr<const Bitmap> DecodeShared(const std::string& path) const {
        std::optional<Bitmap> decoded = Decode(path);
        if (!decoded) return nullptr;
        return std::make_shared<const Bitmap>(std::move(*decoded));
    }
};

// Where a pass drew a picture: its box in device pixels, the picture's size, whose it is (the
// placed calendar's entry Number, 0 for the design's own; the month whose own picture it is, 0
// for the main or the entry's) and how it was framed.
struct PictureSpot {
    std::string File;
    Rect Box;
    int PictureWidth = 0;
    int PictureHeight = 0;
    int Calendar = 0;
    int Month = 0;
    PictureFraming Framing;
    double WidthMm = 0;  // of the box on paper
    double HeightMm = 0;
};

// Left, top, width and height in scaled millimetres of the sheet.
struct MonthAreaRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const MonthAreaRect&) const = default;
};

struct RenderState {
    // Set while a record is pushed into the window's controls; no pass draws meanwhile.
    bool Loading = false;
    // The picture must be decoded again before it is drawn; cleared by a successful decode.
    bool PictureChanged = true;
    // The decoded illustration, kept between passes, and the file it came from: a pass of
    // another file (another month's picture) decodes again.
    std::shared_ptr<const Bitmap> PictureBitmap;
    std::string PictureBitmapFile;
    // A picture with transparency laid on the sheet's colour, with the picture and the colour it
    // was made from.
    std::shared_ptr<const Bitmap> PictureOnSheet;
    std::shared_ptr<const Bitmap> PictureOnSheetFrom;
    int32_t PictureSheetColor = 0;
    // The calendar box without its title band, written by every pass.
    MonthAreaRect MonthArea;
    // The zoom of the last sheet pass, in percent: the passes of its miniatures and month cells
    // are drawn at 100 on boxes already scaled, and size their least legible text by it.
    int SheetPercent = 100;
    // Rokuyo and solar terms from the old-calendar data file.
    TMemorials RokuyoList;
    TMemorials SolarTermList;
    // Old-calendar dates, seasonal days and moon phases from the same file.
    AlmanacData Almanac;
    // The national holidays: the rules, or an installed list for the years it covers.
    HolidaySource Holidays;
    // Device pixels that the sheet's background, and a picture touching the sheet's edge, reach
    // past the sheet: a print shop's bleed, cut off with the edge. 0 on every other output.
    int Bleed = 0;
    // The imposition entry being drawn (its Number), 0 for the design's own calendar.
    int Calendar = 0;
    // Where the passes add the pictures they draw, for the window to find the one under the
    // pointer; null when nobody asks.
    std::vector<PictureSpot>* PictureSpots = nullptr;
    // No decoder: no picture is drawn.
    const PictureDecoder* Decoder = nullptr;
};

}  // namespace orv
