// The pictures in the preview: dragging one that fills its box moves its crop, Ctrl+wheel zooms
// it, its context menu switches how it sits; the shown picture's resolution on paper beside the
// picture settings.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "app/MainUnit.h"
#include "app/basic/BasicTab.h"
#include "ui_MainWindow.h"

namespace orv {

namespace {

bool Contains(const Rect& r, QPoint p) {
    return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

// One Ctrl+wheel notch zooms the crop by a tenth.
constexpr int kZoomStep = 10;

}  // namespace

const PictureSpot* TfrmMain::PictureSpotAt(QPoint point) const {
    // The last drawn lies on top.
    for (auto spot = pictureSpots_.rbegin(); spot != pictureSpots_.rend(); ++spot) {
        if (Contains(spot->Box, point)) return &*spot;
    }
    return nullptr;
}

bool TfrmMain::SetPictureFraming(const PictureSpot& spot, const PictureFraming& framing) {
    TData& data = Data();
    if (spot.Month != 0) {
        if (data.MonthPicture.Frame(spot.Month) == framing) return false;
        data.MonthPicture.SetFrame(spot.Month, framing);
        return true;
    }
    PictureFraming* target = &data.PictureFrame;
    if (spot.Calendar != 0) {
        TMatrix* entry = data.Matrixs.FindByNumber(spot.Calendar);
        // An entry without a picture of its own shows the design's, unless its settings file
        // brings one: that one is the file's to frame.
        if (entry == nullptr || (entry->ImageFile.empty() && !entry->ConfigFile.empty())) {
            return false;
        }
        if (!entry->ImageFile.empty()) target = &entry->Framing;
    }
    if (*target == framing) return false;
    *target = framing;
    if (target == &data.PictureFrame) basic_->SetPictureFill(framing.Fill != 0);
    return true;
}

bool TfrmMain::PicturePointerEvent(QEvent* event) {
    QWidget* box = ui_->PaintBox1;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const PictureSpot* spot = PictureSpotAt(mouse->position().toPoint());
            if (mouse->button() != Qt::LeftButton || spot == nullptr || spot->Framing.Fill == 0 ||
                exporting_) {
                return false;
            }
            History().Flush();
            drag_ = PictureDrag{*spot, mouse->position().toPoint()};
            box->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!drag_) {
                const PictureSpot* spot = PictureSpotAt(mouse->position().toPoint());
                box->setCursor(spot != nullptr && spot->Framing.Fill != 0 ? Qt::OpenHandCursor
                                                                          : Qt::ArrowCursor);
                return false;
            }
            const QPoint by = mouse->position().toPoint() - drag_->start;
            const PictureSpot& spot = drag_->spot;
            const PictureFraming moved = FramingMovedBy(
                spot.Framing, spot.PictureWidth, spot.PictureHeight, spot.Box.Right - spot.Box.Left,
                spot.Box.Bottom - spot.Box.Top, by.x(), by.y());
            // Drawn at once, recorded when the button is let go: the whole drag is one step.
            if (SetPictureFraming(spot, moved)) box->update();
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (!drag_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
                return false;
            }
            drag_.reset();
            box->setCursor(Qt::OpenHandCursor);
            RepaintPreview();
            return true;
        case QEvent::Wheel: {
            auto* wheel = static_cast<QWheelEvent*>(event);
            const PictureSpot* spot = PictureSpotAt(wheel->position().toPoint());
            if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0 ||
                spot == nullptr || spot->Framing.Fill == 0 || drag_ || exporting_) {
                return false;
            }
            PictureFraming zoomed = spot->Framing;
            zoomed.Zoom =
                std::clamp(zoomed.Zoom + (wheel->angleDelta().y() > 0 ? kZoomStep : -kZoomStep),
                           100, PictureFraming::kZoomMax);
            if (SetPictureFraming(*spot, zoomed)) RepaintPreview();
            return true;
        }
        case QEvent::ContextMenu: {
            auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            const PictureSpot* found = PictureSpotAt(menuEvent->pos());
            if (found == nullptr || exporting_) return false;
            const PictureSpot spot = *found;
            QMenu menu(this);
            QAction* whole = menu.addAction(QStringLiteral("全体を表示"));
            QAction* fill = menu.addAction(QStringLiteral("枠いっぱい"));
            whole->setCheckable(true);
            fill->setCheckable(true);
            (spot.Framing.Fill != 0 ? fill : whole)->setChecked(true);
            menu.addSeparator();
            QAction* centre = menu.addAction(QStringLiteral("中央に戻す"));
            centre->setEnabled(spot.Framing.Fill != 0);
            QAction* chosen = Dialogs().PopupMenu(menu, menuEvent->globalPos());
            PictureFraming framing = spot.Framing;
            if (chosen == whole) framing.Fill = 0;
            if (chosen == fill) framing.Fill = 1;
            if (chosen == centre) framing = PictureFraming{1};
            if (chosen != nullptr && SetPictureFraming(spot, framing)) RepaintPreview();
            return true;
        }
        default:
            return false;
    }
}

void TfrmMain::ShowPictureDpi() {
    // The design's own calendar: what the picture settings are about.
    for (const PictureSpot& spot : pictureSpots_) {
        if (spot.Calendar != 0) continue;
        const double dpi = EffectiveDpi(spot.Framing, spot.PictureWidth, spot.PictureHeight,
                                        spot.WidthMm, spot.HeightMm);
        const bool low = dpi < kLowPictureDpi;
        QString text = QStringLiteral("%1 × %2 画素、紙の上で約 %3 dpi")
                           .arg(spot.PictureWidth)
                           .arg(spot.PictureHeight)
                           .arg(std::lround(dpi));
        if (spot.Month != 0) text = QStringLiteral("%1月の画像: ").arg(spot.Month) + text;
        if (low) text += QStringLiteral("（%1 dpi 未満は印刷で粗く見えます）").arg(kLowPictureDpi);
        basic_->ShowPictureDpi(text, low);
        return;
    }
    basic_->ShowPictureDpi(QString(), false);
}

}  // namespace orv
