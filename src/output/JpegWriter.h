#pragma once
// JPEG files for the photo printers and shop kiosks that take JPEG or PNG only: baseline, quality
// 95, 4:4:4 so that thin red lines and small text stay sharp, and the resolution in the JFIF
// header so that a print service sizes the sheet as it was designed.
#include <memory>

#include "output/ImageWriter.h"

namespace orv {

struct JpegState;

class JpegWriter : public ImageWriter {
  public:
    static constexpr int kQuality = 95;
    // The largest side a JPEG file can hold.
    static constexpr int kMostPixels = 65500;

    JpegWriter();
    ~JpegWriter() override;

    void SetResolution(int dpi) override { dpi_ = dpi; }
    void Begin(const std::string& path, int width, int height) override;
    void WriteRows(const uint32_t* pixels, int rows, size_t stride) override;
    void Finish() override;
    void Abort() noexcept override;

  private:
    int dpi_ = 0;
    std::unique_ptr<JpegState> state_;
};

}  // namespace orv
