#include "model/PictureFraming.h"

#include <algorithm>
#include <cmath>

#include "model/DataUnit.h"
#include "model/IniFile.h"
#include "model/VB.h"

namespace orv {

namespace {

constexpr const char* kSection = "PictureFraming";
constexpr const char* kMainKey = "Picture";

std::string MonthKey(int month) {
    return "Month" + IntToStr(month);
}
std::string EntryKey(int number) {
    return "Entry" + IntToStr(number);
}

// The crop's size in picture pixels and the scale from picture pixels to box units.
struct CropSize {
    double Width = 0;
    double Height = 0;
    double Scale = 0;
};

CropSize SizeOfCrop(const PictureFraming& framing, double pictureW, double pictureH, double boxW,
                    double boxH) {
    if (!(pictureW > 0 && pictureH > 0 && boxW > 0 && boxH > 0)) return {};
    const double zoom = std::clamp(framing.Zoom, 100, PictureFraming::kZoomMax) / 100.0;
    const double scale = std::max(boxW / pictureW, boxH / pictureH) * zoom;
    return {std::min(pictureW, boxW / scale), std::min(pictureH, boxH / scale), scale};
}

// The start of a crop of `crop` around `focus` (per mille of `whole`), inside 0..whole.
double CropStart(int32_t focus, double whole, double crop) {
    return std::clamp(focus / 1000.0 * whole - crop / 2, 0.0, whole - crop);
}

}  // namespace

std::string PictureFraming::ToText() const {
    return IntToStr(Fill) + "," + IntToStr(FocusX) + "," + IntToStr(FocusY) + "," + IntToStr(Zoom);
}

std::optional<PictureFraming> PictureFraming::FromText(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ",", true, 4);
    if (parts.size() != 4) return std::nullopt;
    int32_t values[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!TryStrToInt(Trim(parts[i]), values[i])) return std::nullopt;
    }
    PictureFraming framing;
    framing.Fill = values[0] != 0 ? 1 : 0;
    framing.FocusX = std::clamp(values[1], 0, 1000);
    framing.FocusY = std::clamp(values[2], 0, 1000);
    framing.Zoom = std::clamp(values[3], 100, kZoomMax);
    return framing;
}

PictureCrop CropOfFill(const PictureFraming& framing, double pictureW, double pictureH, double boxW,
                       double boxH) {
    const CropSize size = SizeOfCrop(framing, pictureW, pictureH, boxW, boxH);
    if (size.Scale <= 0) return {};
    return {CropStart(framing.FocusX, pictureW, size.Width),
            CropStart(framing.FocusY, pictureH, size.Height), size.Width, size.Height};
}

PictureFraming FramingMovedBy(const PictureFraming& framing, double pictureW, double pictureH,
                              double boxW, double boxH, double dx, double dy) {
    const CropSize size = SizeOfCrop(framing, pictureW, pictureH, boxW, boxH);
    if (size.Scale <= 0) return framing;
    // From the crop as it shows, so that a focus beyond the reachable range does not have to be
    // dragged back first.
    const PictureCrop crop = CropOfFill(framing, pictureW, pictureH, boxW, boxH);
    const auto moved = [&](double start, double crop, double whole, double by) {
        const double centre =
            std::clamp(start + crop / 2 - by / size.Scale, crop / 2, whole - crop / 2);
        return static_cast<int32_t>(std::lround(centre / whole * 1000));
    };
    PictureFraming result = framing;
    result.FocusX = moved(crop.Left, crop.Width, pictureW, dx);
    result.FocusY = moved(crop.Top, crop.Height, pictureH, dy);
    return result;
}

double EffectiveDpi(const PictureFraming& framing, double pictureW, double pictureH, double boxW,
                    double boxH) {
    if (!(pictureW > 0 && pictureH > 0 && boxW > 0 && boxH > 0)) return 0;
    if (framing.Fill != 0)
        return CropOfFill(framing, pictureW, pictureH, boxW, boxH).Width / boxW * 25.4;
    return std::max(pictureW / boxW, pictureH / boxH) * 25.4;
}

const PictureFraming& CalendarPictureFraming(const TData& design) {
    return design.MonthPicture[design.Month].empty() ? design.PictureFrame
                                                     : design.MonthPicture.Frame(design.Month);
}

void ReadPictureFramings(const IniFile& ini, TData& data) {
    const auto read = [&](const std::string& key) {
        const std::optional<std::string> text = ini.ReadString(kSection, key);
        return text ? PictureFraming::FromText(*text).value_or(PictureFraming{}) : PictureFraming{};
    };
    data.PictureFrame = read(kMainKey);
    for (int month = 1; month <= 12; ++month)
        data.MonthPicture.SetFrame(month, read(MonthKey(month)));
    for (int i = 0; i < data.Matrixs.Count(); ++i) {
        TMatrix& entry = data.Matrixs.Items(i);
        entry.Framing = read(EntryKey(entry.Number));
    }
}

void WritePictureFramings(IniFile& ini, const TData& data) {
    const auto write = [&](const std::string& key, const PictureFraming& framing) {
        if (!framing.IsDefault()) ini.WriteString(kSection, key, framing.ToText());
    };
    write(kMainKey, data.PictureFrame);
    for (int month = 1; month <= 12; ++month)
        write(MonthKey(month), data.MonthPicture.Frame(month));
    for (int i = 0; i < data.Matrixs.Count(); ++i) {
        const TMatrix& entry = data.Matrixs.Items(i);
        write(EntryKey(entry.Number), entry.Framing);
    }
}

}  // namespace orv
