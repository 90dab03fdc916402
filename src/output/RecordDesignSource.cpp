#include "output/RecordDesignSource.h"

#include "model/VB.h"

namespace orv {

RecordDesignSource::RecordDesignSource(TData design, int zoom)
    : data_(design), controls_(std::move(design)), zoom_(zoom) {}

void RecordDesignSource::ControlsToData(TData& record) {
    if (&record == &controls_) return;
    // The controls hold neither the file's identity nor the lists, the month pictures or the
    // export resolution.
    std::string fileName = std::move(record.FileName);
    std::string signature = std::move(record.Signature);
    std::string version = std::move(record.Version);
    const int32_t picSaveDpi = record.PicSaveDPI;
    TMemorials memorials = std::move(record.Memorials);
    TMatrixs matrixs = std::move(record.Matrixs);
    TMonthPictures monthPictures = std::move(record.MonthPicture);
    record = controls_;
    record.FileName = std::move(fileName);
    record.Signature = std::move(signature);
    record.Version = std::move(version);
    record.PicSaveDPI = picSaveDpi;
    record.Memorials = std::move(memorials);
    record.Matrixs = std::move(matrixs);
    record.MonthPicture = std::move(monthPictures);
}

std::string RecordDesignSource::SizeXText() const {
    return IntToStr(controls_.SizeX);
}
std::string RecordDesignSource::SizeYText() const {
    return IntToStr(controls_.SizeY);
}
std::string RecordDesignSource::PositionXText() const {
    return IntToStr(controls_.PositionX);
}
std::string RecordDesignSource::PositionYText() const {
    return IntToStr(controls_.PositionY);
}

}  // namespace orv
