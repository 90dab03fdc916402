#pragma once
// Windows bitmap files, 24 bits per pixel, bottom-up as Windows writes them. Rows arrive top row
// first and are written straight to their place in the file.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/StagedFile.h"
#include "output/ImageWriter.h"

namespace orv {

class BmpWriter : public ImageWriter {
  public:
    BmpWriter();
    ~BmpWriter() override;

    void Begin(const std::string& path, int width, int height) override;
    void WriteRows(const uint32_t* pixels, int rows, size_t stride) override;
    void Finish() override;
    void Abort() noexcept override;

    static constexpr uint32_t kHeaderSize = 14 + 40;
    // Bytes of one row in the file, padded to a multiple of 4.
    static uint32_t RowBytes(int width) { return (static_cast<uint32_t>(width) * 3 + 3) & ~3u; }

  private:
    std::unique_ptr<StagedFile> file_;
    int width_ = 0;
    int height_ = 0;
    int rowsWritten_ = 0;
    std::vector<uint8_t> buffer_;
};

}  // namespace orv
