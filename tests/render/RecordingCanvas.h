#pragma once
// A canvas that draws nothing and records every call with the state it was made in, so that the
// renderer's geometry can be checked number by number. Text metrics are fixed: a character is
// `px` pixels wide (half of that, truncated, for ASCII) and a text `px` + 2 high, where px is the
// point size turned into pixels at FontPpi (at least 1).
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "Canvas.h"

namespace orv::test {

enum class Op { FillRect, Rectangle, MoveTo, LineTo, TextOut, StretchPicture };

struct FontState {
    std::string face;
    int points = 0;
    bool bold = false;
    bool italic = false;
    CanvasColor color = 0;
};

struct Call {
    Op op;
    Rect rect;  // FillRect, Rectangle, StretchPicture
    int x = 0;  // MoveTo, LineTo, TextOut
    int y = 0;
    std::string text;
    FontState font;
    CanvasColor brushColor = 0;
    BrushStyle brushStyle = BrushStyle::Solid;
    CanvasColor penColor = 0;
    int penWidth = 1;
};

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(int fontPpi = 72) : fontPpi_(fontPpi) {}

    void SetBrushColor(CanvasColor color) override { brushColor_ = color; }
    void SetBrushStyle(BrushStyle style) override { brushStyle_ = style; }
    void SetPenColor(CanvasColor color) override { penColor_ = color; }
    void SetPenWidth(int width) override { penWidth_ = width; }
    void SetFontName(const std::string& face) override { font_.face = face; }
    void SetFontSize(int points) override { font_.points = points; }
    void SetFontStyle(bool bold, bool italic) override {
        font_.bold = bold;
        font_.italic = italic;
    }
    void SetFontColor(CanvasColor color) override { font_.color = color; }

    void FillRect(const Rect& rect) override { Record(Op::FillRect).rect = rect; }
    void Rectangle(const Rect& rect) override { Record(Op::Rectangle).rect = rect; }
    void MoveTo(int x, int y) override { At(Record(Op::MoveTo), x, y); }
    void LineTo(int x, int y) override { At(Record(Op::LineTo), x, y); }
    void TextOut(int x, int y, const std::string& text) override {
        if (!failOnText.empty() && text == failOnText) throw std::runtime_error("device lost");
        Call& call = Record(Op::TextOut);
        At(call, x, y);
        call.text = text;
    }
    TextSize TextExtent(const std::string& text) override {
        const int px = Px(font_.points);
        int width = 0;
        for (unsigned char c : text) {
            if (c < 0x80)
                width += px / 2;
            else if ((c & 0xC0) != 0x80)
                width += px;  // first byte of a wide character
        }
        return {width, px + 2};
    }
    void StretchPicture(const Rect& dest, const Bitmap&) override {
        Record(Op::StretchPicture).rect = dest;
    }
    int FontPpi() const override { return fontPpi_; }

    int Px(int points) const { return std::max(1, points * fontPpi_ / 72); }

    std::vector<Call> calls;
    std::string failOnText;  // TextOut of this text throws

    std::vector<Call> Of(Op op) const {
        std::vector<Call> found;
        for (const Call& call : calls) {
            if (call.op == op) found.push_back(call);
        }
        return found;
    }
    // Texts drawn, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Call& call : calls) {
            if (call.op == Op::TextOut) texts.push_back(call.text);
        }
        return texts;
    }
    // The n-th (0-based) TextOut of `text`; fails the test when there is none.
    const Call& Text(const std::string& text, int n = 0) const {
        for (const Call& call : calls) {
            if (call.op == Op::TextOut && call.text == text && n-- == 0) return call;
        }
        throw std::out_of_range("no text " + text);
    }
    int IndexOf(const Call& call) const { return static_cast<int>(&call - calls.data()); }

  private:
    Call& Record(Op op) {
        Call& call = calls.emplace_back();
        call.op = op;
        call.font = font_;
        call.brushColor = brushColor_;
        call.brushStyle = brushStyle_;
        call.penColor = penColor_;
        call.penWidth = penWidth_;
        return call;
    }
    static void At(Call& call, int x, int y) {
        call.x = x;
        call.y = y;
    }

    int fontPpi_;
    CanvasColor brushColor_ = 0xFFFFFF;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    CanvasColor penColor_ = 0;
    int penWidth_ = 1;
    FontState font_;
};

}  // namespace orv::test
