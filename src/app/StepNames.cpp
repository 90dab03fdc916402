#include "app/StepNames.h"

#include <cstring>
#include <set>

#include "model/SettingsKeys.h"

namespace orv {

namespace {

struct Part {
    const char* section;
    const char* keyPrefix;  // keys of the section that start with it; "" for every key
    const char* name;
};

// The first row that takes a key names it.
constexpr Part kParts[] = {
    {"Calender", "Size", "サイズの変更"},
    {"Calender", "Position", "印刷位置の変更"},
    {"Calender", "Year", "年月の変更"},
    {"Calender", "Month", "年月の変更"},
    {"Calender", "BackColor", "背景色の変更"},
    {"Calender", "Frame", "枠線の変更"},
    {"Calender", "PicSaveDPI", ""},  // set by an export, not an edit
    {"Calender", "PngResolution", "画像保存の設定の変更"},
    {"Calender", "PdfBleed", "入稿用PDFの設定の変更"},
    {"Calender", "PdfMarks", "入稿用PDFの設定の変更"},
    {"Calender", "PdfCmyk", "入稿用PDFの設定の変更"},
    {"Picture", "", "画像の変更"},
    {"Style", "Year", "タイトルの変更"},
    {"Style", "BackColor", "タイトルの変更"},
    {"Style", "Week", "曜日の変更"},
    {"Style", "Day", "日付の変更"},
    {"Style", "PrevNextDays", "日付の変更"},
    {"Style", "", "暦注の変更"},
    {"Color", "", "色の変更"},
    {"Plural", "", "月の配置の変更"},
    {"PrevNextMonth", "", "月の配置の変更"},
    {"Matrix", "", "面付けの変更"},
};

const char* PartOf(const SettingKey& key) {
    for (const Part& part : kParts) {
        if (std::strcmp(part.section, key.section) == 0 &&
            std::strncmp(part.keyPrefix, key.key, std::strlen(part.keyPrefix)) == 0) {
            return part.name;
        }
    }
    return "";
}

bool SameMemorials(const TMemorials& a, const TMemorials& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TMemorial& x = a.Items(i);
        const TMemorial& y = b.Items(i);
        if (x.Date != y.Date || x.Name != y.Name || x.DayColor != y.DayColor ||
            x.FontColor != y.FontColor || x.BackColor != y.BackColor) {
            return false;
        }
    }
    return true;
}

bool SameEntries(const TMatrixs& a, const TMatrixs& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TMatrix& x = a.Items(i);
        const TMatrix& y = b.Items(i);
        if (x.Number != y.Number || x.MonthOffset != y.MonthOffset || x.ImageFile != y.ImageFile ||
            x.ConfigFile != y.ConfigFile || !(x.Framing == y.Framing)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string StepName(const TData& before, const TData& after) {
    std::set<std::string> parts;
    for (const SettingKey& key : SettingKeys()) {
        const bool changed =
            (key.kind == SettingKey::Kind::Integer &&
             before.*key.integerField != after.*key.integerField) ||
            (key.kind == SettingKey::Kind::Text && before.*key.textField != after.*key.textField);
        if (changed && *PartOf(key) != '\0') parts.insert(PartOf(key));
    }
    if (!SameMemorials(before.Memorials, after.Memorials)) parts.insert("記念日の変更");
    if (!SameEntries(before.Matrixs, after.Matrixs)) parts.insert("面付けの変更");
    if (!(before.MonthPicture == after.MonthPicture) || !(before.PictureFrame == after.PictureFrame)) {
        parts.insert("画像の変更");
    }
    if (parts.size() == 1) return *parts.begin();
    return "設定の変更";
}

}  // namespace orv
