#include "model/SettingsKeys.h"

#include <array>

namespace orv {

namespace {

using K = SettingKey;
constexpr const char* kFont = "ＭＳ Ｐゴシック";

constexpr K Int(const char* section, const char* key, int32_t TData::*field, int32_t missing,
                int32_t fresh, K::Default missingKind = K::Default::Constant) {
    return {K::Kind::Integer, section, key,   field,   nullptr, missingKind,
            missing,          nullptr, fresh, nullptr, false};
}

// An integer that is on when not 0; written as 1 or 0 whatever the file held.
constexpr K Flag(const char* section, const char* key, int32_t TData::*field, int32_t missing,
                 int32_t fresh) {
    K k = Int(section, key, field, missing, fresh);
    k.flag = true;
    return k;
}

// A key this program added, written only when it differs from `value`.
constexpr K Added(const char* section, const char* key, int32_t TData::*field, int32_t value) {
    K k = Int(section, key, field, value, value);
    k.writtenWhenChanged = true;
    return k;
}

// A flag this program added, written (as 1) only when it is on.
constexpr K AddedFlag(const char* section, const char* key, int32_t TData::*field) {
    K k = Added(section, key, field, 0);
    k.flag = true;
    return k;
}

constexpr K Text(const char* section, const char* key, std::string TData::*field,
                 const char* missing, const char* fresh) {
    return {K::Kind::Text, section, key,   nullptr, field, K::Default::Constant, 0,
            missing,       0,       fresh, false};
}

constexpr K Lists() {
    return {K::Kind::Lists, "", "",      nullptr, nullptr, K::Default::Constant, 0,
            nullptr,        0,  nullptr, false};
}

// In the order the file is written: keys added later to an existing section go after its last
// key, which is why PicSaveDPI and the rokuyo keys end their sections.
constexpr std::array kKeys = {
    Text("About", "Signature", &TData::Signature, "", ""),
    Text("About", "Version", &TData::Version, "", ""),

    Int("Calender", "SizeIndex", &TData::SizeIndex, 0, 0),
    Int("Calender", "SizeX", &TData::SizeX, 0, 90),
    Int("Calender", "SizeY", &TData::SizeY, 0, 95),
    Int("Calender", "BackColor", &TData::CalenderBackColor, 0xFFFFFF, 0xFFFFFF),
    Flag("Calender", "Frame", &TData::Frame, 1, 1),
    Int("Calender", "PositionX", &TData::PositionX, 0, 0),
    Int("Calender", "PositionY", &TData::PositionY, 0, 0),
    Int("Calender", "Year", &TData::Year, 0, 0, K::Default::TodayYear),
    Int("Calender", "Month", &TData::Month, 0, 0, K::Default::TodayMonth),

    Text("Picture", "File", &TData::PictureFile, "", ""),
    Int("Picture", "Offset", &TData::PictureOffset, 2, 2),
    Int("Picture", "Size", &TData::PictureSize, 50, 50),
    Int("Picture", "Position", &TData::PicturePosition, 0, 0),

    Int("Style", "YearStyle", &TData::YearStyle, 0, 0),
    Int("Style", "YearPosition", &TData::YearPosition, 0, 0),
    Int("Style", "YearAlignment", &TData::YearAlignment, 0, 1),
    Text("Style", "YearFont", &TData::YearFont, kFont, kFont),
    Flag("Style", "YearFontI", &TData::YearFontI, 0, 0),
    Flag("Style", "YearFontB", &TData::YearFontB, 0, 0),
    Int("Style", "BackColor", &TData::StyleBackColor, 0, 0),
    Int("Style", "WeekStyle", &TData::WeekStyle, 0, 0),
    Int("Style", "WeekSize", &TData::WeekSize, 2, 2),
    Text("Style", "WeekFont", &TData::WeekFont, kFont, kFont),
    Flag("Style", "WeekFontI", &TData::WeekFontI, 0, 0),
    Flag("Style", "WeekFontB", &TData::WeekFontB, 0, 0),
    Flag("Style", "WeekFrame", &TData::WeekFrame, 0, 0),
    Int("Style", "DayPosition", &TData::DayPosition, 0, 0),
    Int("Style", "DaySize", &TData::DaySize, 0, 1),
    Text("Style", "DayFont", &TData::DayFont, kFont, kFont),
    Flag("Style", "DayFontI", &TData::DayFontI, 0, 0),
    Flag("Style", "DayFontB", &TData::DayFontB, 0, 0),
    Flag("Style", "Holiday", &TData::Holiday, 0, 1),
    Int("Style", "HolidayPosition", &TData::HolidayPosition, 0, 0),
    Int("Style", "HolidaySize", &TData::HolidaySize, 1, 1),
    Text("Style", "HolidayFont", &TData::HolidayFont, kFont, kFont),
    Flag("Style", "HolidayFontI", &TData::HolidayFontI, 0, 0),
    Flag("Style", "HolidayFontB", &TData::HolidayFontB, 0, 0),
    Flag("Style", "PrevNextDays", &TData::PrevNextDays, 0, 1),
    Flag("Style", "DayWaku", &TData::DayWaku, 1, 1),

    Int("Color", "LineColor", &TData::LineColor, 0, 0),
    Int("Color", "LineWidth", &TData::LineWidth, 1, 1),
    Int("Color", "WeekdayColor", &TData::WeekdayColor, 0, 0),
    Int("Color", "SaturdayColor", &TData::SaturdayColor, 0xFF0000, 0xFF0000),
    Int("Color", "HolidayColor", &TData::HolidayColor, 0x0000FF, 0x0000FF),
    Int("Color", "DayBackColor", &TData::DayBackColor, 0xFFFFFF, 0xFFFFFF),

    Flag("Plural", "Enabled", &TData::PluralEnabled, 0, 0),
    Int("Plural", "Columns", &TData::Columns, 2, 2),
    Int("Plural", "Rows", &TData::Rows, 2, 2),

    Flag("PrevNextMonth", "Enabled", &TData::PrevNextMonthEnabled, 0, 1),
    Int("PrevNextMonth", "View", &TData::View, 0, 0),
    Int("PrevNextMonth", "Position1", &TData::Position1, 3, 0),
    Int("PrevNextMonth", "Position2", &TData::Position2, 3, 3),
    Int("PrevNextMonth", "PNMonthAlign", &TData::PNMonthAlign, 0, 3),
    Int("PrevNextMonth", "Size", &TData::PrevNextMonthSize, 30, 30),
    Flag("PrevNextMonth", "Week", &TData::Week, 0, 1),

    Lists(),

    Flag("Matrix", "Print", &TData::Print, 0, 0),
    Int("Matrix", "Cols", &TData::Cols, 2, 2),
    Int("Matrix", "Interval", &TData::Interval, 0, 0),

    Int("Calender", "PicSaveDPI", &TData::PicSaveDPI, 300, 300),
    Flag("Style", "Rokuyo", &TData::Rokuyo, 0, 0),
    Int("Style", "RokuyoColor1", &TData::RokuyoColor1, 0, 0),
    Int("Style", "RokuyoColor2", &TData::RokuyoColor2, 0x000080, 0x000080),
    Flag("Style", "Nijusisekki", &TData::Nijusisekki, 0, 0),
    Int("Style", "NijusisekkiColor", &TData::NijusisekkiColor, 0, 0),
    AddedFlag("Style", "OldDate", &TData::OldDate),
    Added("Style", "OldDateColor", &TData::OldDateColor, kOldDateDefaultColor),
    AddedFlag("Style", "Zassetsu", &TData::Zassetsu),
    Added("Style", "ZassetsuColor", &TData::ZassetsuColor, kZassetsuDefaultColor),
    AddedFlag("Style", "MoonPhase", &TData::MoonPhase),
    Added("Style", "MoonPhaseColor", &TData::MoonPhaseColor, kMoonPhaseDefaultColor),
    AddedFlag("Calender", "PngResolution", &TData::PngResolution),
    Added("Calender", "PdfBleed", &TData::PdfBleed, kDefaultPdfBleed),
    Added("Calender", "PdfMarks", &TData::PdfMarks, 1),
    AddedFlag("Calender", "PdfCmyk", &TData::PdfCmyk),
};

}  // namespace

std::span<const SettingKey> SettingKeys() {
    return kKeys;
}

}  // namespace orv
