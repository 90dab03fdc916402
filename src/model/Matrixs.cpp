#include "model/Matrixs.h"

#include <exception>
#include <utility>

#include "model/VB.h"

namespace orv {

void TMatrix::Assign(const TMatrix& source) {
    Number = source.Number;
    MonthOffset = source.MonthOffset;
    ImageFile = source.ImageFile;
    ConfigFile = source.ConfigFile;
    Framing = source.Framing;
}

std::string TMatrix::GetProperty() const {
    return IntToStr(MonthOffset) + "," + ImageFile + "," + ConfigFile;
}

void TMatrix::SetProperty(const std::string& text, MessageSink& sink) {
    try {
        const std::vector<std::string> parts = Split(text, ",", true, 3);
        if (parts.size() >= 1) MonthOffset = ValInt(parts[0]);
        if (parts.size() >= 2) ImageFile = parts[1];
        if (parts.size() >= 3) ConfigFile = parts[2];
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading("TMatrix.SetProperty ｴﾗｰ", e.what()));
    }
}

TMatrix& TMatrixs::Add() {
    TMatrix& item = items_.emplace_back();
    item.Key = "key" + IntToStr(nextKeyNumber_++);
    return item;
}

void TMatrixs::Delete(int index) { items_.erase(items_.begin() + index); }

void TMatrixs::Clear() { items_.clear(); }

void TMatrixs::Assign(const TMatrixs& source) {
    if (&source == this) return;
    Clear();
    for (const TMatrix& item : source.items_) Add().Assign(item);
}

TMatrix* TMatrixs::FindByNumber(int n) {
    return const_cast<TMatrix*>(std::as_const(*this).FindByNumber(n));
}

const TMatrix* TMatrixs::FindByNumber(int n) const {
    for (const TMatrix& item : items_) {
        if (item.Number == n) return &item;
    }
    return nullptr;
}

}  // namespace orv
