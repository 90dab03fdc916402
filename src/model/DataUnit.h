#pragma once
// TData: the complete description of one calendar design, read from and written to `.sav` files
// that stay byte-compatible with the Windows program's (Shift_JIS, CR LF, its key order).
#include <array>
#include <cstdint>
#include <string>

#include "model/AtomicFile.h"
#include "model/Matrixs.h"
#include "model/Memorials.h"
#include "model/MessageSink.h"
#include "model/PictureFraming.h"

namespace orv {

// Colours are 0x00BBGGRR (red in the low byte); -1 means "not set" where a colour is optional.
using TColor = int32_t;

// A picture file for each calendar month (1..12); an empty name means none.
class TMonthPictures {
  public:
    // Empty for a month outside 1..12.
    const std::string& operator[](int month) const;
    // A month outside 1..12 is ignored.
    void Set(int month, std::string file);
    bool Any() const;
    // How the month's picture sits in its box; the default for a month outside 1..12.
    const PictureFraming& Frame(int month) const;
    void SetFrame(int month, const PictureFraming& framing);
    bool operator==(const TMonthPictures&) const = default;

  private:
    std::array<std::string, 12> files_;
    std::array<PictureFraming, 12> frames_;
};

// Colours (0x00BBGGRR) of the almanac lines and the moon until the user picks others.
inline constexpr TColor kOldDateDefaultColor = 0x808080;
inline constexpr TColor kZassetsuDefaultColor = 0x008000;
inline constexpr TColor kMoonPhaseDefaultColor = 0x000000;

// 3 mm, in tenths: what print shops in Japan ask for.
inline constexpr int32_t kDefaultPdfBleed = 30;

struct TData {
    std::string FileName;  // not stored in the file
    std::string Signature;
    std::string Version;

    // [Calender]
    int32_t SizeIndex = 0;  // size preset index, -1 for a size typed by hand
    int32_t SizeX = 0;      // mm
    int32_t SizeY = 0;      // mm
    TColor CalenderBackColor = 0;
    int32_t Frame = 0;
    int32_t PositionX = 0;  // mm from the left of the printable area
    int32_t PositionY = 0;  // mm from its top
    int32_t Year = 0;
    int32_t Month = 0;

    // [Picture]
    std::string PictureFile;
    int32_t PictureOffset = 0;    // mm of margin around the picture
    int32_t PictureSize = 0;      // 0..80 percent of the sheet given to the picture band
    int32_t PicturePosition = 0;  // 0 top, 1 left, 2 bottom, 3 right
    PictureFraming PictureFrame;  // [PictureFraming] Picture

    // [Style]
    int32_t YearStyle = 0;
    int32_t YearPosition = 0;
    int32_t YearAlignment = 0;
    std::string YearFont;
    int32_t YearFontI = 0;
    int32_t YearFontB = 0;
    TColor StyleBackColor = 0;  // the title's text colour, despite the key's name
    int32_t WeekStyle = 0;
    int32_t WeekSize = 0;
    std::string WeekFont;
    int32_t WeekFontI = 0;
    int32_t WeekFontB = 0;
    int32_t WeekFrame = 0;
    int32_t DayPosition = 0;
    int32_t DaySize = 0;
    std::string DayFont;
    int32_t DayFontI = 0;
    int32_t DayFontB = 0;
    int32_t Holiday = 0;
    int32_t HolidayPosition = 0;
    int32_t HolidaySize = 0;
    std::string HolidayFont;
    int32_t HolidayFontI = 0;
    int32_t HolidayFontB = 0;
    int32_t PrevNextDays = 0;
    int32_t DayWaku = 0;

    // [Color]
    TColor LineColor = 0;
    int32_t LineWidth = 0;
    TColor WeekdayColor = 0;
    TColor SaturdayColor = 0;
    TColor HolidayColor = 0;
    TColor DayBackColor = 0;  // -1: no cell background

    // [PrevNextMonth]
    int32_t PrevNextMonthEnabled = 0;
    int32_t View = 0;
    int32_t Position1 = 0;
    int32_t Position2 = 0;
    int32_t PNMonthAlign = 0;
    int32_t PrevNextMonthSize = 0;
    int32_t Week = 0;

    // [Plural]
    int32_t PluralEnabled = 0;
    int32_t Columns = 0;
    int32_t Rows = 0;

    TMemorials Memorials;  // [Memorial]
    TMatrixs Matrixs;      // [MatrixData]

    // [Matrix]
    int32_t Print = 0;
    int32_t Cols = 0;
    int32_t Interval = 0;

    int32_t PicSaveDPI = 300;  // [Calender]
    // [Style]
    int32_t Rokuyo = 0;
    TColor RokuyoColor1 = 0;
    TColor RokuyoColor2 = 0;
    int32_t Nijusisekki = 0;
    TColor NijusisekkiColor = 0;
    int32_t OldDate = 0;  // written only when they differ from their defaults
    TColor OldDateColor = kOldDateDefaultColor;
    int32_t Zassetsu = 0;
    TColor ZassetsuColor = kZassetsuDefaultColor;
    int32_t MoonPhase = 0;
    TColor MoonPhaseColor = kMoonPhaseDefaultColor;
    int32_t PngResolution = 0;  // [Calender]: PNG exports record their resolution (pHYs)
    // [Calender]: what the PDF for a print shop was last made with, written only when changed:
    // the bleed in tenths of a millimetre (0: none), crop marks, CMYK.
    int32_t PdfBleed = kDefaultPdfBleed;
    int32_t PdfMarks = 1;
    int32_t PdfCmyk = 0;

    // [MonthPicture]: keys 1..12, written only for the months that have one.
    TMonthPictures MonthPicture;

    // Reads a settings file; a non-empty path first becomes FileName. A missing file reads as if
    // every key were missing. A failure is reported as "ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ" and gives false; what was
    // read before it stays.
    bool LoadFromFile(const std::string& path, MessageSink& sink);
    // Writes a settings file atomically; a non-empty path first becomes FileName. A failure
    // ("ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ") leaves the previous file exactly as it was and gives false.
    bool SaveToFile(const std::string& path, MessageSink& sink,
                    const WriteChunkFunction& writeChunk = {});
    // The copy the renderer makes for the miniature months: every field except FileName,
    // Signature, Version, PNMonthAlign, Week, PluralEnabled, Columns, Rows, Print, Cols and
    // Interval; the lists are cleared and refilled with copies.
    void CopyFrom(const TData& source);
};

// The design a new window starts with (the controls' start values), for today's month.
TData NewDesign();

// The checks the window makes on a loaded file before showing it: a foreign signature or a newer
// version is reported as a warning; neither stops the load.
void CheckLoadedFile(const TData& data, MessageSink& sink);

// The signature and version this program writes.
inline constexpr const char* kSignature = "Orvalinden";
inline constexpr const char* kVersion = "1.11";

}  // namespace orv
