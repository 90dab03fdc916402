#pragma once
// "The controls" of a window that shows a loaded design: the command line and the tests drive the
// output driver through it exactly as the window does through its widgets.
#include <string>

#include "model/DataUnit.h"
#include "output/DesignSource.h"

namespace orv {

class RecordDesignSource : public DesignSource {
  public:
    // `design` becomes the window's record; the size and position texts are its numbers.
    explicit RecordDesignSource(TData design, int zoom = 100);

    void ControlsToData(TData& record) override;
    TData& Data() override { return data_; }

    std::string SizeXText() const override;
    std::string SizeYText() const override;
    std::string PositionXText() const override;
    std::string PositionYText() const override;
    int Zoom() const override { return zoom_; }

    void SetZoom(int zoom) { zoom_ = zoom; }

  private:
    TData data_;
    TData controls_;  // what the controls show: the design as it was handed in
    int zoom_;
};

}  // namespace orv
