// A settings file drawn as the window's preview draws it, through the output driver onto a
// QPainter: whatever an edited file holds (sizes, counts, line widths, positions, dates, imposition
// entries) must give a calendar or a message, never a crash, undefined behaviour or a freeze.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

#include "ScratchFile.h"
#include "model/DataUnit.h"
#include "output/OutputDriver.h"

using namespace orv;

namespace {

class NoStatus : public StatusSink {
public:
    void ShowStatus(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file(".sav");
    static QImage image(300, 300, QImage::Format_RGB32);
    NullMessageSink sink;
    TData design = NewDesign();
    if (!design.LoadFromFile(file.Write(data, size), sink)) return 0;

    // The zoom comes from the file too, so that every zoom of the list is reached.
    const OutputJob job = JobOfDesign(std::move(design), 10 + (size % 20) * 10);
    NoStatus status;
    RenderState state;
    OutputEnvironment env{status, sink, state};
    QPainter painter(&image);
    OutputPreview(env, job, painter, {image.width(), image.height()});
    return 0;
}
