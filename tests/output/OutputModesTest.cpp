// The driver's modes on real surfaces: an export in bands equals one whole draw, the resolution
// prompt decides what happens, and a print whose drawing fails leaves nothing.
#include <gtest/gtest.h>

#include "CanvasImages.h"
#include "output/FontSubstitutes.h"
#include "output/OutputDriver.h"
#include "output/PdfFilePrinter.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::RecordingSink;
using test::ReadPng;
using test::TempDir;

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class Answer : public ResolutionAsker {
  public:
    explicit Answer(std::optional<std::string> text) : text_(std::move(text)) {}
    std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                   const std::string& defaultValue) override {
        asked = caption + "|" + defaultValue;
        EXPECT_NE(prompt.find("このディスプレイは 96 DPI"), std::string::npos);
        return text_;
    }
    std::string asked;

  private:
    std::optional<std::string> text_;
};

class OutputModes : public testing::Test {
  protected:
    OutputModes() {
        RegisterWindowsFontSubstitutes();
        TData design = NewDesign();
        design.Year = 2026;
        design.Month = 2;
        design.SizeX = 100;
        design.SizeY = 148;
        design.Frame = 1;
        design.PicSaveDPI = 0;
        job = JobOfDesign(design);
    }
    OutputEnvironment Env() { return {status, sink, state}; }

    TempDir dir;
    OutputJob job;
    NoStatus status;
    RecordingSink sink;
    RenderState state;
};

TEST_F(OutputModes, ExportInBandsEqualsOneWholeDraw) {
    OutputEnvironment env = Env();
    // Bands of 40 rows of the 1181-pixel-wide picture at 300 dpi.
    ASSERT_EQ(SaveCalendarImageAt(env, job, dir.File("banded.png"), 300, nullptr, 1181 * 4 * 40),
              ImageExportResult::Saved);
    EXPECT_EQ(sink.Take().size(), 1u);  // 保存しました。
    const QImage whole = DrawCalendarImage(env, job, 300);
    ASSERT_EQ(whole.size(), QSize(1181, 1748));

    EXPECT_TRUE(ReadPng(dir.File("banded.png")) == whole);
    EXPECT_EQ(status.shown, (std::vector<std::string>{"イメージ作成中...", ""}));
}

TEST_F(OutputModes, ResolutionAnswerDecidesWhatIsDrawnAndWritten) {
    OutputEnvironment env = Env();
    // Cancelled or refused: nothing at all, not even the status text.
    for (const std::optional<std::string>& refused : {std::optional<std::string>(), {""}, {"0"}}) {
        Answer answer(refused);
        EXPECT_EQ(SaveCalendarImage(env, job, dir.File("a.png"), answer, nullptr, nullptr),
                  ImageExportResult::NotStarted);
        EXPECT_EQ(answer.asked, "ｶﾚﾝﾀﾞｰを画像ﾌｧｲﾙに保存|300");
    }
    EXPECT_TRUE(status.shown.empty());
    // "72dpi" is 72, remembered for the next prompt.
    Answer typed("72dpi");
    EXPECT_EQ(SaveCalendarImage(env, job, dir.File("a.png"), typed, nullptr, nullptr),
              ImageExportResult::Saved);
    EXPECT_EQ(job.Design.PicSaveDPI, 72);
    Answer again("72");
    EXPECT_EQ(SaveCalendarImage(env, job, dir.File("a.gif"), again, nullptr, nullptr),
              ImageExportResult::Unsupported);
    EXPECT_EQ(again.asked, "ｶﾚﾝﾀﾞｰを画像ﾌｧｲﾙに保存|72");
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "保存しました。");
    EXPECT_EQ(messages[1].kind, MessageKind::Warning);
    EXPECT_EQ(messages[1].text, "対応していない拡張子です。");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"a.png"});
}

TEST_F(OutputModes, PrintWhoseDrawingFailsPrintsNothing) {
    OutputEnvironment env = Env();
    PdfFilePrinter good(dir.File("good.pdf"), 100, 148, 300);
    EXPECT_TRUE(OutputPrint(env, job, good, false));
    TData broken = NewDesign();
    broken.Month = 13;  // no such month: the renderer reports a drawing error
    PdfFilePrinter bad(dir.File("bad.pdf"), 100, 148, 300);
    EXPECT_FALSE(OutputPrint(env, JobOfDesign(broken), bad, false));
    const auto messages = sink.Take();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].text.rfind("描画ｴﾗｰ", 0), 0u) << messages[0].text;
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"good.pdf"});
}

}  // namespace
}  // namespace orv
