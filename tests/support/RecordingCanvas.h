#pragma once
// A canvas that draws nothing and records every call with the state it was made in, so that the
// renderer's geometry can be checked number by number. Text metrics are fixed: a character is
// px pixels wide (px / 2 for ASCII) and a text px + 2 high, px being the point size turned into
// pixels at FontPpi (at least 1).
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/Canvas.h"

namespace orv::test {

enum class Op { FillRect, Rectangle, MoveTo, LineTo, TextOut, StretchPicture, Chord };

struct FontState {
    std::string face;
    int points = 0;
    bool bold = false;
    bool italic = false;
    CanvasColor color = 0;
};

struct Call {
    Op op;
    Rect rect;         // FillRect, Rectangle, StretchPicture, Chord
    std::optional<Rect> clip;  // StretchPictureClipped
    int x = 0, y = 0;  // MoveTo, LineTo, TextOut; a chord's start and span
    std::string text;
    FontState font;
    CanvasColor brushColor = 0xFFFFFF;
    BrushStyle brushStyle = BrushStyle::Solid;
    CanvasColor penColor = 0;
    int penWidth = 1;
};

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(int fontPpi = 72) : fontPpi_(fontPpi) {}

    void SetBrushColor(CanvasColor color) override { state_.brushColor = color; }
    void SetBrushStyle(BrushStyle style) override { state_.brushStyle = style; }
    void SetPenColor(CanvasColor color) override { state_.penColor = color; }
    void SetPenWidth(int width) override { state_.penWidth = width; }
    void SetFontName(const std::string& face) override { state_.font.face = face; }
    void SetFontSize(int points) override { state_.font.points = points; }
    void SetFontStyle(bool bold, bool italic) override {
        state_.font.bold = bold;
        state_.font.italic = italic;
    }
    void SetFontColor(CanvasColor color) override { state_.font.color = color; }

    void FillRect(const Rect& rect) override { Record(Op::FillRect, rect); }
    void Rectangle(const Rect& rect) override { Record(Op::Rectangle, rect); }
    void MoveTo(int x, int y) override { Record(Op::MoveTo, {}, x, y); }
    void LineTo(int x, int y) override { Record(Op::LineTo, {}, x, y); }
    void TextOut(int x, int y, const std::string& text) override {
        if (text == failOnText) throw std::runtime_error("device lost");
        Record(Op::TextOut, {}, x, y, text);
    }
    TextSize TextExtent(const std::string& text) override {
        const int px = std::max(1, state_.font.points * fontPpi_ / 72);
        int width = 0;
        for (const unsigned char c : text) {
            if (c < 0x80) width += px / 2;
            if (c >= 0xC0) width += px;  // the first byte of a wider character
        }
        return {width, px + 2};
    }
    void StretchPicture(const Rect& dest, const Bitmap&) override {
        Record(Op::StretchPicture, dest);
    }
    void StretchPictureClipped(const Rect& dest, const Bitmap&, const Rect& clip) override {
        Record(Op::StretchPicture, dest);
        calls.back().clip = clip;
    }
    void Chord(const Rect& rect, int startDegrees, int spanDegrees) override {
        Record(Op::Chord, rect, startDegrees, spanDegrees);
    }
    int FontPpi() const override { return fontPpi_; }

    std::vector<Call> calls;
    std::string failOnText = "\x01";  // TextOut of this text throws

    std::vector<Call> Of(Op op) const {
        std::vector<Call> found;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                     [op](const Call& c) { return c.op == op; });
        return found;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Call& call : Of(Op::TextOut)) texts.push_back(call.text);
        return texts;
    }
    // The n-th (0-based) TextOut of `text`.
    const Call& Text(const std::string& text, int n = 0) const {
        for (const Call& call : calls) {
            if (call.op == Op::TextOut && call.text == text && n-- == 0) return call;
        }
        throw std::out_of_range("no text " + text);
    }
    int IndexOf(const Call& call) const { return static_cast<int>(&call - calls.data()); }

  private:
    void Record(Op op, const Rect& rect, int x = 0, int y = 0, const std::string& text = {}) {
        Call call = state_;
        call.op = op;
        call.rect = rect;
        call.x = x;
        call.y = y;
        call.text = text;
        calls.push_back(std::move(call));
    }

    int fontPpi_;
    Call state_{};
};

}  // namespace orv::test
