#pragma once
// "The controls" as the output driver reads them. The window implements this over its widgets;
// the command line and the tests implement it over a loaded TData. The driver never touches a
// widget.
#include <string>

#include "model/DataUnit.h"

namespace orv {

class DesignSource {
public:
    virtual ~DesignSource() = default;

    // Fills `record` from the controls: every field except FileName, Signature, Version,
    // PicSaveDPI, the two lists and the month pictures. Does nothing while a record is being loaded into the controls.
    virtual void ControlsToData(TData& record) = 0;
    // The window's own record: the master copy of the memorial and imposition lists.
    virtual TData& Data() = 0;

    // The texts of the sheet size and print position edits, as typed.
    virtual std::string SizeXText() const = 0;
    virtual std::string SizeYText() const = 0;
    virtual std::string PositionXText() const = 0;
    virtual std::string PositionYText() const = 0;
    // The preview zoom in percent (the selected zoom entry read with ValInt).
    virtual int Zoom() const = 0;
};

// Where long work shows what it is doing ("プレビュー作成中..." and the like); an empty text
// clears it. ProcessEvents lets the window paint the text before the work starts.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void ProcessEvents() {}
};

}  // namespace orv
