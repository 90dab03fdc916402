#pragma once
// PNG files as the program has always written them: truecolour, 8 bits per sample, no alpha,
// filter None on every row, no interlace, zlib's default compression level, and no physical
// resolution chunk (the resolution shows only in the pixel count).
#include <memory>

#include "ImageWriter.h"

namespace orv {

struct PngState;

class PngWriter : public ImageWriter {
  public:
    PngWriter();
    ~PngWriter() override;

    void Begin(const std::string& path, int width, int height) override;
    void WriteRows(const uint32_t* pixels, int rows, size_t stride) override;
    void Finish() override;
    void Abort() noexcept override;

  private:
    std::unique_ptr<PngState> state_;
};

}  // namespace orv
