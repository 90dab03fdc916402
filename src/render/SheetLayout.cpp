// Division of the sheet into picture box, calendar box and title band; the illustration and the
// cut frame.
#include <algorithm>
#include <filesystem>
#include <memory>

#include "render/DrawCalendar.h"
#include "render/RenderPass.h"

namespace orv {

void DivideSheet(RenderPass& pass) {
    const TData& design = pass.design;
    const int side = PictureSide(design);
    const int share = design.PictureSize;
    const double off = pass.off;
    Box& p = pass.picture;
    Box& c = pass.calendar;
    if (side == 0 || side == 2) {
        const float band = share > 0 ? F(static_cast<double>(pass.H) * share / 100) : 0.0f;
        c.H = F(pass.H - band - off);
        c.W = F(pass.W - 2 * off);
        p.H = F(band - 2 * off);
        p.W = F(pass.W - 2 * off);
        pass.unit = F(c.H / 14.0);
        if (side == 0) {
            p.L = F(off);
            p.T = F(off);
            c.L = F(off);
            c.T = F(pass.H - c.H - off);
            if (design.YearPosition == 0) p.T = F(p.T + pass.unit);  // title above the picture
            if (design.YearPosition == 2) c.T = F(c.T - pass.unit);  // title at the bottom edge
        } else {
            p.L = F(off);
            p.T = F(pass.H - p.H - off);
            c.L = F(off);
            c.T = F(off);
            if (design.YearPosition == 1 || design.YearPosition == 2) c.T = F(c.T - pass.unit);
            if (design.YearPosition == 2) p.T = F(p.T - pass.unit);
        }
    } else {
        const float band = share > 0 ? F(static_cast<double>(pass.W) * share / 100) : 0.0f;
        c.W = F(pass.W - band - off);
        c.H = F(pass.H - 2 * off);
        pass.unit = F(c.H / 14.0);
        p.W = F(band - 2 * off);
        // One unit shorter than the calendar: room for the title above or below the picture.
        p.H = F(pass.H - 2 * off - pass.unit);
        if (side == 1) {
            p.L = F(off);
            c.L = F(pass.W - c.W - off);
        } else {
            p.L = F(pass.W - p.W - off);
            c.L = F(off);
        }
        p.T = F(off);
        c.T = F(off);
        if (design.YearPosition == 0) p.T = F(p.T + pass.unit);
        if (design.YearPosition == 1) c.T = F(c.T - pass.unit);
    }
}

void PlaceTitleBand(RenderPass& pass) {
    const TData& design = pass.design;
    const double off = pass.off;
    const double unit = pass.unit;
    const Box& p = pass.picture;
    const Box& c = pass.calendar;
    const int row = design.YearPosition;
    float ty = c.T;
    switch (PictureSide(design)) {
        case 0:
            if (row == 0) ty = F(off / 2);
            if (row == 1) {
                ty = F(p.T + p.H + off / 2);
                // Miniatures below the picture make way for the title between picture and dates.
                if (pass.hasAdjacentBox && design.Position1 == 0 && design.Position2 == 1) {
                    pass.adjacent.T = F(pass.adjacent.T + 1.2 * unit);
                }
            }
            if (row == 2) ty = F(pass.H - unit - off / 2);
            break;
        case 2:
            if (row == 1) ty = F(c.T + c.H + unit - off);
            if (row == 2) ty = F(pass.H - unit - off / 2);
            break;
        default:
            if (row == 1) ty = F(pass.H - unit - off / 2);
            break;
    }
    pass.TY = ty;
}

namespace {

// The picture with the sheet's colour showing through where it is transparent.
const Bitmap& OnSheetColor(RenderState& state, CanvasColor sheet) {
    const Bitmap& picture = *state.PictureBitmap;
    constexpr CanvasColor kWhite = 0xFFFFFF;
    if (picture.Alpha.size() != picture.Pixels.size() || (sheet & 0xFFFFFF) == kWhite) {
        return picture;
    }
    if (state.PictureOnSheet && state.PictureOnSheetFrom == state.PictureBitmap &&
        state.PictureSheetColor == sheet) {
        return *state.PictureOnSheet;
    }
    // The pixels are laid on white: c·a + 255·(1 - a). On the sheet's colour s they are
    // c·a + s·(1 - a), that is the pixel less (255 - s)·(1 - a), channel by channel.
    auto laid = std::make_shared<Bitmap>(picture);
    laid->Alpha.clear();
    laid->JpegFile.clear();
    const uint32_t sheetRgb =
        ((sheet & 0xFF) << 16) | (sheet & 0xFF00) | ((static_cast<uint32_t>(sheet) >> 16) & 0xFF);
    for (size_t i = 0; i < laid->Pixels.size(); ++i) {
        const uint32_t clear = 255 - picture.Alpha[i];
        if (clear == 0) continue;
        uint32_t pixel = 0xFF000000u;
        for (int shift : {16, 8, 0}) {
            const uint32_t on = (picture.Pixels[i] >> shift) & 0xFF;
            const uint32_t below = (sheetRgb >> shift) & 0xFF;
            const uint32_t lost = ((255 - below) * clear + 127) / 255;
            pixel |= (on > lost ? on - lost : 0) << shift;
        }
        laid->Pixels[i] = pixel;
    }
    state.PictureOnSheet = std::move(laid);
    state.PictureOnSheetFrom = state.PictureBitmap;
    state.PictureSheetColor = sheet;
    return *state.PictureOnSheet;
}

// `shown` (device pixels) reaching into the bleed on each side where it touches the sheet's edge.
Rect IntoBleed(const RenderPass& pass, Rect shown) {
    const int bleed = pass.state.Bleed;
    if (bleed <= 0 || pass.kind != ckSheet) return shown;
    const int right = pass.OX + Trunc(static_cast<double>(pass.W) * pass.pxX);
    const int bottom = pass.OY + Trunc(static_cast<double>(pass.H) * pass.pxY);
    if (shown.Left <= pass.OX) shown.Left = pass.OX - bleed;
    if (shown.Top <= pass.OY) shown.Top = pass.OY - bleed;
    if (shown.Right >= right - 1) shown.Right = right + bleed;
    if (shown.Bottom >= bottom - 1) shown.Bottom = bottom + bleed;
    return shown;
}

}  // namespace

void DrawIllustration(RenderPass& pass) {
    const std::string& file = CalendarPictureFile(pass.design);
    if (file.empty()) return;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(file, ignored)) return;
    Box box = pass.picture;
    // A picture box of no extent (no picture band left) would stretch the picture mirrored.
    if (!(box.W > 0 && box.H > 0)) return;

    RenderState& state = pass.state;
    if (state.PictureChanged || !state.PictureBitmap || state.PictureBitmapFile != file) {
        state.PictureBitmap.reset();
        if (state.Decoder == nullptr) return;
        std::shared_ptr<const Bitmap> decoded = state.Decoder->DecodeShared(file);
        // A failed decode is retried by the next pass; no message.
        if (!decoded || decoded->Empty()) return;
        state.PictureBitmap = std::move(decoded);
        state.PictureBitmapFile = file;
        state.PictureChanged = false;
    }
    const Bitmap& bitmap = OnSheetColor(state, pass.design.CalenderBackColor);

    const auto device = [&pass](const Box& b) {
        const float x1 = F(static_cast<double>(b.L) * pass.pxX + pass.OX);
        const float y1 = F(static_cast<double>(b.T) * pass.pxY + pass.OY);
        return Rect{Trunc(x1), Trunc(y1), Trunc(x1 + static_cast<double>(b.W) * pass.pxX),
                    Trunc(y1 + static_cast<double>(b.H) * pass.pxY)};
    };
    const TData& design = pass.design;
    const PictureFraming& framing = CalendarPictureFraming(design);
    const Rect boxOnDevice = device(box);
    const double unscaled = pass.percent > 0 ? 100.0 / pass.percent : 1.0;
    if (state.PictureSpots != nullptr)
        state.PictureSpots->push_back({file, boxOnDevice, bitmap.Width, bitmap.Height,
                                       state.Calendar,
                                       design.MonthPicture[design.Month].empty() ? 0 : design.Month,
                                       framing, box.W * unscaled, box.H * unscaled});

    const double bw = bitmap.Width;
    const double bh = bitmap.Height;
    if (framing.Fill != 0) {
        // The whole picture at the scale that makes its crop cover the box, cut at the box.
        const PictureCrop crop = CropOfFill(framing, bw, bh, box.W, box.H);
        const double scale = box.W / crop.Width;
        const Box whole{F(box.L - crop.Left * scale), F(box.T - crop.Top * box.H / crop.Height),
                        F(bw * scale), F(bh * box.H / crop.Height)};
        pass.canvas.StretchPictureClipped(device(whole), bitmap, IntoBleed(pass, boxOnDevice));
        return;
    }
    const float scale = std::min(F(box.W / bw), F(box.H / bh));
    box.L = F(box.L + (box.W - bw * scale) / 2);
    box.W = F(bw * scale);
    box.T = F(box.T + (box.H - bh * scale) / 2);
    box.H = F(bh * scale);
    const Rect shown = device(box);
    const Rect bled = IntoBleed(pass, shown);
    const bool same = bled.Left == shown.Left && bled.Top == shown.Top &&
                      bled.Right == shown.Right && bled.Bottom == shown.Bottom;
    if (same || shown.Right <= shown.Left || shown.Bottom <= shown.Top) {
        pass.canvas.StretchPicture(shown, bitmap);
        return;
    }
    // A whole picture at the edge has nothing past it: it is drawn as much larger as covers
    // its place with the bleed, around the same middle.
    const double grow =
        std::max(static_cast<double>(bled.Right - bled.Left) / (shown.Right - shown.Left),
                 static_cast<double>(bled.Bottom - bled.Top) / (shown.Bottom - shown.Top));
    const double cx = (bled.Left + bled.Right) / 2.0;
    const double cy = (bled.Top + bled.Bottom) / 2.0;
    const double halfW = (shown.Right - shown.Left) * grow / 2;
    const double halfH = (shown.Bottom - shown.Top) * grow / 2;
    pass.canvas.StretchPictureClipped(
        {Trunc(cx - halfW), Trunc(cy - halfH), Trunc(cx + halfW + 1), Trunc(cy + halfH + 1)},
        bitmap, bled);
}

void DrawCutFrame(RenderPass& pass) {
    Canvas& canvas = pass.canvas;
    const int ox = pass.OX;
    const int oy = pass.OY;
    const int r = ox + Trunc(static_cast<double>(pass.W) * pass.pxX) - 1;
    const int b = oy + Trunc(static_cast<double>(pass.H) * pass.pxY) - 1;
    canvas.MoveTo(ox, oy);
    canvas.LineTo(r, oy);
    canvas.MoveTo(ox, oy);
    canvas.LineTo(ox, b);
    canvas.MoveTo(r, oy);
    canvas.LineTo(r, b);
    canvas.MoveTo(ox, b);
    canvas.LineTo(r, b);
}

}  // namespace orv
