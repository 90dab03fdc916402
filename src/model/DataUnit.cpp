#include "model/DataUnit.h"

#include <exception>
#include <unordered_map>

#include "model/CivilDate.h"
#include "model/IniFile.h"
#include "model/PictureFraming.h"
#include "model/SettingsKeys.h"
#include "model/VB.h"

namespace orv {

namespace {

constexpr const char* kMemorialSection = "Memorial";
constexpr const char* kMatrixSection = "MatrixData";
constexpr const char* kMonthPictureSection = "MonthPicture";

int32_t MissingValue(const SettingKey& key) {
    switch (key.missingKind) {
        case SettingKey::Default::TodayYear:
            return Today().Year;
        case SettingKey::Default::TodayMonth:
            return Today().Month;
        case SettingKey::Default::Constant:
            break;
    }
    return key.missingInteger;
}

void ReadLists(const IniFile& ini, TData& data, MessageSink& sink) {
    data.Memorials.Clear();
    // A date keeps its first line, as the format reads it; the others are said, not read again
    // (each would come back with the first one's value).
    std::vector<std::pair<std::string, int>> linesOfDate;
    std::unordered_map<std::string, size_t> indexOfDate;
    // Pieces after the second are dropped, so none are made.
    for (const std::string& line : ini.ReadSectionValues(kMemorialSection)) {
        const std::vector<std::string> pieces = Split(line, "=", true, 2);
        if (pieces.size() < 2) continue;
        const auto [seen, first] = indexOfDate.try_emplace(pieces[0], linesOfDate.size());
        if (!first) {
            ++linesOfDate[seen->second].second;
            continue;
        }
        linesOfDate.emplace_back(pieces[0], 1);
        TMemorial& memorial = data.Memorials.Add();
        memorial.Date = pieces[0];
        memorial.SetProperty(pieces[1], sink);
    }
    for (const auto& [date, lines] : linesOfDate) {
        if (lines < 2) continue;
        sink.Report(MessageKind::Warning, date + " の記念日が " + std::to_string(lines) +
                                              " 件あります。最初の 1 件だけを読み込みました。");
    }
    data.Matrixs.Clear();
    for (const std::string& line : ini.ReadSectionValues(kMatrixSection)) {
        const std::vector<std::string> pieces = Split(line, "=", true, 2);
        if (pieces.size() < 2) continue;
        TMatrix& entry = data.Matrixs.Add();
        entry.Number = ValInt(pieces[0]);
        entry.SetProperty(pieces[1], sink);
    }
}

void WriteLists(IniFile& ini, const TData& data) {
    for (int i = 0; i < data.Memorials.Count(); ++i) {
        const TMemorial& memorial = data.Memorials.Items(i);
        ini.WriteString(kMemorialSection, memorial.Date, memorial.GetProperty());
    }
    for (int i = 0; i < data.Matrixs.Count(); ++i) {
        const TMatrix& entry = data.Matrixs.Items(i);
        ini.WriteString(kMatrixSection, IntToStr(entry.Number), entry.GetProperty());
    }
}

void ReadMonthPictures(const IniFile& ini, TData& data) {
    data.MonthPicture = {};
    for (int month = 1; month <= 12; ++month) {
        data.MonthPicture.Set(month,
                              ini.ReadString(kMonthPictureSection, IntToStr(month)).value_or(""));
    }
}

// Only the months that have a picture, so that a design without any saves as it always has.
void WriteMonthPictures(IniFile& ini, const TData& data) {
    for (int month = 1; month <= 12; ++month) {
        const std::string& file = data.MonthPicture[month];
        if (!file.empty()) ini.WriteString(kMonthPictureSection, IntToStr(month), file);
    }
}

// Older files stored the holiday-name size one step smaller.
void UpgradeOlderVersion(TData& data) {
    if (data.Version < std::string(kVersion) && data.HolidaySize >= 1 && data.HolidaySize <= 3) {
        ++data.HolidaySize;
    }
}

}  // namespace

bool TData::LoadFromFile(const std::string& path, MessageSink& sink) {
    if (!path.empty()) FileName = path;
    try {
        const IniFile ini = IniFile::Load(FileName);
        for (const SettingKey& key : SettingKeys()) {
            switch (key.kind) {
                case SettingKey::Kind::Integer: {
                    const std::optional<std::string> text = ini.ReadString(key.section, key.key);
                    int32_t value = 0;
                    if (text && TryStrToInt(*text, value)) {
                        this->*key.integerField = value;
                        break;
                    }
                    this->*key.integerField = MissingValue(key);
                    // An empty value is as good as none; anything else was meant as a number.
                    if (text && !Trim(*text).empty()) {
                        sink.Report(MessageKind::Warning,
                                    "[" + std::string(key.section) + "] " + key.key +
                                        " の値が数として読めないため、既定値を使いました。");
                    }
                    break;
                }
                case SettingKey::Kind::Text:
                    this->*key.textField =
                        ini.ReadString(key.section, key.key).value_or(key.missingText);
                    break;
                case SettingKey::Kind::Lists:
                    ReadLists(ini, *this, sink);
                    break;
            }
        }
        ReadMonthPictures(ini, *this);
        ReadPictureFramings(ini, *this);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", e.what()));
        return false;
    }
    UpgradeOlderVersion(*this);
    return true;
}

namespace {

IniFile SettingsIni(const TData& data) {
    IniFile ini;
    for (const SettingKey& key : SettingKeys()) {
        switch (key.kind) {
            case SettingKey::Kind::Integer:
                if (key.writtenWhenChanged && data.*key.integerField == key.missingInteger) break;
                ini.WriteInteger(key.section, key.key,
                                 key.flag ? (data.*key.integerField != 0) : data.*key.integerField);
                break;
            case SettingKey::Kind::Text:
                ini.WriteString(key.section, key.key, data.*key.textField);
                break;
            case SettingKey::Kind::Lists:
                WriteLists(ini, data);
                break;
        }
    }
    WriteMonthPictures(ini, data);
    WritePictureFramings(ini, data);
    // What this program writes, whatever the record was read from.
    ini.WriteString("About", "Signature", kSignature);
    ini.WriteString("About", "Version", kVersion);
    return ini;
}

}  // namespace

std::string SettingsText(const TData& data) {
    return SettingsIni(data).Serialize();
}

bool TData::SaveToFile(const std::string& path, MessageSink& sink,
                       const WriteChunkFunction& writeChunk) {
    if (!path.empty()) FileName = path;
    try {
        SettingsIni(*this).Save(FileName, writeChunk);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading("ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ", e.what()));
        return false;
    }
    return true;
}

void TData::CopyFrom(const TData& source) {
    SizeIndex = source.SizeIndex;
    SizeX = source.SizeX;
    SizeY = source.SizeY;
    CalenderBackColor = source.CalenderBackColor;
    Frame = source.Frame;
    PositionX = source.PositionX;
    PositionY = source.PositionY;
    Year = source.Year;
    Month = source.Month;

    PictureFile = source.PictureFile;
    PictureOffset = source.PictureOffset;
    PictureSize = source.PictureSize;
    PicturePosition = source.PicturePosition;
    PictureFrame = source.PictureFrame;

    YearStyle = source.YearStyle;
    YearPosition = source.YearPosition;
    YearAlignment = source.YearAlignment;
    YearFont = source.YearFont;
    YearFontI = source.YearFontI;
    YearFontB = source.YearFontB;
    StyleBackColor = source.StyleBackColor;

    WeekStyle = source.WeekStyle;
    WeekSize = source.WeekSize;
    WeekFont = source.WeekFont;
    WeekFontI = source.WeekFontI;
    WeekFontB = source.WeekFontB;
    WeekFrame = source.WeekFrame;

    DayPosition = source.DayPosition;
    DaySize = source.DaySize;
    DayFont = source.DayFont;
    DayFontI = source.DayFontI;
    DayFontB = source.DayFontB;
    PrevNextDays = source.PrevNextDays;
    DayWaku = source.DayWaku;
    Holiday = source.Holiday;
    HolidayPosition = source.HolidayPosition;
    HolidaySize = source.HolidaySize;
    HolidayFont = source.HolidayFont;
    HolidayFontI = source.HolidayFontI;
    HolidayFontB = source.HolidayFontB;

    LineColor = source.LineColor;
    LineWidth = source.LineWidth;
    WeekdayColor = source.WeekdayColor;
    SaturdayColor = source.SaturdayColor;
    HolidayColor = source.HolidayColor;
    DayBackColor = source.DayBackColor;

    PrevNextMonthEnabled = source.PrevNextMonthEnabled;
    View = source.View;
    Position1 = source.Position1;
    Position2 = source.Position2;
    PrevNextMonthSize = source.PrevNextMonthSize;

    Memorials.Assign(source.Memorials);
    Matrixs.Assign(source.Matrixs);

    PicSaveDPI = source.PicSaveDPI;
    Rokuyo = source.Rokuyo;
    RokuyoColor1 = source.RokuyoColor1;
    RokuyoColor2 = source.RokuyoColor2;
    Nijusisekki = source.Nijusisekki;
    NijusisekkiColor = source.NijusisekkiColor;
    OldDate = source.OldDate;
    OldDateColor = source.OldDateColor;
    Zassetsu = source.Zassetsu;
    ZassetsuColor = source.ZassetsuColor;
    MoonPhase = source.MoonPhase;
    MoonPhaseColor = source.MoonPhaseColor;
    PngResolution = source.PngResolution;
    PdfBleed = source.PdfBleed;
    PdfMarks = source.PdfMarks;
    PdfCmyk = source.PdfCmyk;
    MonthPicture = source.MonthPicture;
}

const std::string& TMonthPictures::operator[](int month) const {
    static const std::string kNone;
    return month >= 1 && month <= 12 ? files_[month - 1] : kNone;
}

void TMonthPictures::Set(int month, std::string file) {
    if (month >= 1 && month <= 12) files_[month - 1] = std::move(file);
}

const PictureFraming& TMonthPictures::Frame(int month) const {
    static const PictureFraming kWhole;
    return month >= 1 && month <= 12 ? frames_[month - 1] : kWhole;
}

void TMonthPictures::SetFrame(int month, const PictureFraming& framing) {
    if (month >= 1 && month <= 12) frames_[month - 1] = framing;
}

bool TMonthPictures::Any() const {
    for (const std::string& file : files_) {
        if (!file.empty()) return true;
    }
    return false;
}

TData NewDesign() {
    TData data;
    for (const SettingKey& key : SettingKeys()) {
        switch (key.kind) {
            case SettingKey::Kind::Integer:
                data.*key.integerField = key.newInteger;
                break;
            case SettingKey::Kind::Text:
                data.*key.textField = key.newText;
                break;
            case SettingKey::Kind::Lists:
                break;
        }
    }
    const CivilDate today = Today();
    data.Year = today.Year;
    data.Month = today.Month;
    return data;
}

void CheckLoadedFile(const TData& data, MessageSink& sink) {
    if (data.Signature != kSignature) {
        sink.Report(
            MessageKind::Warning,
            "本ソフトのデータファイルとして認識できません、エラーが表示される可能性があります。");
    } else if (data.Version > std::string(kVersion)) {
        sink.Report(
            MessageKind::Warning,
            "上位のバージョンで作成されたデータファイルです、エラーが表示される可能性があります。");
    }
}

}  // namespace orv
