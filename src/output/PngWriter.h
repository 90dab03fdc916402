#pragma once
// PNG files as the program has always written them: truecolour, 8 bits per sample, no alpha,
// filter None on every row, no interlace, zlib's default compression level, and no physical
// resolution chunk (the resolution shows only in the pixel count).
//
// The rows are deflated in stretches on every core, the stretches joined into the one zlib
// stream of the file, so the file reads as one written on a single core.
#include <cstddef>
#include <memory>

#include "output/ImageWriter.h"

namespace orv {

struct PngState;

class PngWriter : public ImageWriter {
  public:
    // Rows are deflated in stretches of about `stretchBytes` of row data.
    explicit PngWriter(size_t stretchBytes = kStretchBytes);
    ~PngWriter() override;

    // Recorded in a pHYs chunk when not 0.
    void SetResolution(int dpi) override { dpi_ = dpi; }
    void Begin(const std::string& path, int width, int height) override;
    void WriteRows(const uint32_t* pixels, int rows, size_t stride) override;
    void Finish() override;
    // What is left is waiting for the deflating workers and writing out their output.
    std::future<void> FinishInBackground() override;
    void Abort() noexcept override;

    static constexpr size_t kStretchBytes = size_t{1} << 22;

  private:
    size_t stretchBytes_;
    int dpi_ = 0;
    std::unique_ptr<PngState> state_;
};

}  // namespace orv
