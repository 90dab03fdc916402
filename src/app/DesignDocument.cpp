#include "app/DesignDocument.h"

#include "model/SettingsKeys.h"

namespace orv {

namespace {

// Values the window corrects on purpose when it shows a file: a named size writes its own
// measures, only one month layout can be on, and there is always at least one column.
bool IsCorrectedOnLoad(const SettingKey& key) {
    return key.integerField == &TData::SizeX || key.integerField == &TData::SizeY ||
           key.integerField == &TData::PrevNextMonthEnabled || key.integerField == &TData::Cols ||
           key.integerField == &TData::PicSaveDPI || key.textField == &TData::Signature ||
           key.textField == &TData::Version;
}

}  // namespace

DesignDocument::DesignDocument(std::function<TData()> take, std::function<void(const TData&)> show,
                               QObject* parent)
    : QObject(parent), data_(NewDesign()), history_(std::move(take), std::move(show)) {
    connect(&history_, &DesignHistory::ModifiedChanged, this, &DesignDocument::ModifiedChanged);
}

void DesignDocument::Saved(const QString& path) {
    fileName_ = path;
    history_.MarkSaved();
}

void DesignDocument::Opened(TData loaded, const QString& path) {
    data_ = std::move(loaded);
    fileName_ = path;
}

void DesignDocument::KeepUnshownValues(const TData& shown) {
    kept_.clear();
    for (const SettingKey& key : SettingKeys()) {
        if (IsCorrectedOnLoad(key)) continue;
        if (key.kind == SettingKey::Kind::Integer &&
            data_.*key.integerField != shown.*key.integerField) {
            KeptValue value;
            value.integerField = key.integerField;
            value.loadedInteger = data_.*key.integerField;
            value.shownInteger = shown.*key.integerField;
            kept_.push_back(std::move(value));
        } else if (key.kind == SettingKey::Kind::Text &&
                   data_.*key.textField != shown.*key.textField) {
            kept_.push_back({.textField = key.textField,
                             .loadedText = data_.*key.textField,
                             .shownText = shown.*key.textField});
        }
    }
}

void DesignDocument::ApplyKeptValues(TData& record) {
    std::erase_if(kept_, [&record](const KeptValue& kept) {
        if (kept.integerField != nullptr) {
            int32_t& value = record.*kept.integerField;
            if (value != kept.shownInteger) return true;
            value = kept.loadedInteger;
        } else {
            std::string& value = record.*kept.textField;
            if (value != kept.shownText) return true;
            value = kept.loadedText;
        }
        return false;
    });
}

}  // namespace orv
