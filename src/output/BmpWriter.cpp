#include "output/BmpWriter.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "model/AtomicFile.h"
#include "model/Errors.h"

namespace orv {

namespace {

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

BmpWriter::BmpWriter() = default;
BmpWriter::~BmpWriter() {
    Abort();
}

void BmpWriter::Begin(const std::string& path, int width, int height) {
    Abort();
    if (width < 1 || height < 1) throw IoError(path + ": " + SystemErrorText(EINVAL));
    const uint64_t imageBytes =
        static_cast<uint64_t>(RowBytes(width)) * static_cast<uint64_t>(height);
    // The header's size fields are 32 bits; a larger picture cannot be a BMP file.
    if (imageBytes + kHeaderSize > std::numeric_limits<uint32_t>::max()) {
        throw IoError(path + ": " + SystemErrorText(EFBIG));
    }
    file_ = std::make_unique<StagedFile>(path);
    width_ = width;
    height_ = height;
    rowsWritten_ = 0;

    uint8_t header[kHeaderSize] = {};
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, static_cast<uint32_t>(imageBytes) + kHeaderSize);
    Put32(header + 10, kHeaderSize);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<uint32_t>(width));
    Put32(header + 22, static_cast<uint32_t>(height));  // positive: bottom-up
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 30, 0);  // BI_RGB
    Put32(header + 34, static_cast<uint32_t>(imageBytes));
    // Pixels per metre and palette counts stay 0, as for a bitmap made in memory.
    file_->Append(header, sizeof header);
}

void BmpWriter::WriteRows(const uint32_t* pixels, int rows, size_t stride) {
    if (!file_) throw IoError("BMP: " + SystemErrorText(EBADF));
    if (rows <= 0) return;
    if (rows > height_ - rowsWritten_) {
        const std::string target = file_->Target();
        Abort();
        throw IoError(target + ": " + SystemErrorText(EOVERFLOW));
    }
    // Bottom-up: the band's rows lie in the file in reverse order, one block ending where the row
    // above the band begins.
    const uint32_t rowBytes = RowBytes(width_);
    buffer_.assign(static_cast<size_t>(rowBytes) * rows, 0);
    for (int r = 0; r < rows; ++r) {
        const uint32_t* source = pixels + stride * static_cast<size_t>(r);
        uint8_t* out = buffer_.data() + static_cast<size_t>(rowBytes) * (rows - 1 - r);
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = source[x];
            out[0] = static_cast<uint8_t>(p);
            out[1] = static_cast<uint8_t>(p >> 8);
            out[2] = static_cast<uint8_t>(p >> 16);
            out += 3;
        }
    }
    const int lowestFileRow = height_ - (rowsWritten_ + rows);
    const uint64_t offset = kHeaderSize + static_cast<uint64_t>(lowestFileRow) * rowBytes;
    try {
        file_->WriteAt(offset, buffer_.data(), buffer_.size());
    } catch (...) {
        Abort();
        throw;
    }
    rowsWritten_ += rows;
}

void BmpWriter::Finish() {
    if (!file_) throw IoError("BMP: " + SystemErrorText(EBADF));
    if (rowsWritten_ != height_) {
        const std::string target = file_->Target();
        Abort();
        throw IoError(target + ": " + SystemErrorText(ENODATA));
    }
    try {
        file_->Commit();
    } catch (...) {
        file_.reset();
        throw;
    }
    file_.reset();
    buffer_ = {};
}

void BmpWriter::Abort() noexcept {
    if (file_) file_->Discard();
    file_.reset();
    buffer_ = {};
}

}  // namespace orv
