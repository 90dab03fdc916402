#include "widgets/PictureButton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QStyle>

#include "widgets/SystemColors.h"

namespace orv {

namespace {

enum class Bevel { None, Lowered, Raised };

struct StyleBevels {
    Bevel outer;
    Bevel inner;
};

// Indexed by TButtonStyle.
constexpr StyleBevels kBevels[] = {
    {Bevel::None, Bevel::None},       // bsNone
    {Bevel::Lowered, Bevel::None},    // bsLowered
    {Bevel::Raised, Bevel::None},     // bsRaised
    {Bevel::Raised, Bevel::Lowered},  // bsFrame
    {Bevel::Lowered, Bevel::Raised},  // bsGroove
    {Bevel::None, Bevel::None},       // bsIELike
    {Bevel::None, Bevel::None},       // bsSpBtnLike
    {Bevel::None, Bevel::None},       // bsStdButton
};

// A one-pixel frame just inside `r`, then `r` shrinks to what is left inside it.
void Frame3D(QPainter& painter, QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    r.adjust(1, 1, -1, -1);
}

void PaintBevel(QPainter& painter, QRect& r, Bevel bevel, const QPalette& palette) {
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    if (bevel == Bevel::Raised) Frame3D(painter, r, light, dark);
    if (bevel == Bevel::Lowered) Frame3D(painter, r, dark, light);
}

// Without an alpha channel, the bottom-left pixel's colour is the transparent one.
QPixmap WithTransparency(const QPixmap& picture) {
    if (picture.isNull() || picture.hasAlphaChannel()) return picture;
    const QImage image = picture.toImage();
    const QColor key = image.pixelColor(0, image.height() - 1);
    QPixmap shown = picture;
    shown.setMask(picture.createMaskFromColor(key, Qt::MaskInColor));
    return shown;
}

// Centred on an axis of `extent` when `position` is -1.
int Place(int position, int extent, int size) {
    return position < 0 ? (extent - size) / 2 : position;
}

}  // namespace

TPictureButton::TPictureButton(QWidget* parent)
    : QWidget(parent), color_(kClBtnFace), faceColor_(kClBtnFace), inColor_(kClBtnHighlight) {
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted; Qt's backing store already gives the one-piece copy to the screen.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(36, 36);
}

void TPictureButton::SetColor(int32_t value) {
    if (value == color_) return;
    color_ = value;
    faceColor_ = value;
    update();
}

void TPictureButton::SetInColor(int32_t value) {
    if (value == inColor_) return;
    inColor_ = value;
    if (colorChange_ && hovered_) faceColor_ = value;
    update();
}

void TPictureButton::SetButtonStyle(TButtonStyle value) {
    buttonStyle_ = value;
    update();
}

void TPictureButton::SetFocusStyle(TFocusStyle value) {
    focusStyle_ = value;
    update();
}

void TPictureButton::SetColorChange(bool value) {
    colorChange_ = value;
    faceColor_ = colorChange_ && hovered_ ? inColor_ : color_;
    update();
}

void TPictureButton::SetCaption(const QString& value) {
    caption_ = value;
    UpdateShortcut();
    update();
}

void TPictureButton::SetPicture(const QPixmap& value) {
    picture_ = value;
    shownPicture_ = WithTransparency(value);
    update();
}

void TPictureButton::SetStretch(bool value) {
    stretch_ = value;
    update();
}

void TPictureButton::SetPictureLeft(int value) {
    pictureLeft_ = value;
    update();
}

void TPictureButton::SetPictureTop(int value) {
    pictureTop_ = value;
    update();
}

void TPictureButton::SetCaptionLeft(int value) {
    captionLeft_ = value;
    update();
}

void TPictureButton::SetCaptionTop(int value) {
    captionTop_ = value;
    update();
}

void TPictureButton::UpdateShortcut() {
    if (shortcutId_ != 0) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence accelerator = QKeySequence::mnemonic(caption_);
    if (!accelerator.isEmpty()) shortcutId_ = grabShortcut(accelerator);
}

void TPictureButton::Release() {
    holder_ = Holder::None;
    pointerOutside_ = false;
    update();
}

bool TPictureButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(e);
        if (shortcut->shortcutId() != shortcutId_) return QWidget::event(e);
        // Qt delivers it only to an enabled button on a showing window; two buttons with the same
        // accelerator take turns at the focus instead of clicking.
        if (shortcut->isAmbiguous()) {
            setFocus(Qt::ShortcutFocusReason);
        } else {
            emit clicked();
        }
        return true;
    }
    return QWidget::event(e);
}

void TPictureButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    setFocus(Qt::MouseFocusReason);
    holder_ = Holder::Mouse;
    pointerOutside_ = false;
    update();
}

void TPictureButton::mouseMoveEvent(QMouseEvent* e) {
    if (holder_ != Holder::Mouse) return QWidget::mouseMoveEvent(e);
    const bool outside = !rect().contains(e->position().toPoint());
    if (outside == pointerOutside_) return;
    pointerOutside_ = outside;
    update();
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || holder_ != Holder::Mouse) {
        return QWidget::mouseReleaseEvent(e);
    }
    const bool inside = rect().contains(e->position().toPoint());
    Release();
    if (inside) emit clicked();
}

void TPictureButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Space:
            if (!e->isAutoRepeat() && holder_ == Holder::None) {
                holder_ = Holder::Space;
                update();
            }
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // Shown pressed while the click's handler runs (the colour dialog is modal).
            holder_ = Holder::Space;
            pointerOutside_ = false;
            update();
            QPointer<TPictureButton> self(this);
            emit clicked();
            if (self) Release();
            return;
        }
        default:
            if (holder_ != Holder::None) Release();
            QWidget::keyPressEvent(e);
    }
}

void TPictureButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space || e->isAutoRepeat()) return QWidget::keyReleaseEvent(e);
    // Only a space that was pressed here clicks: one pressed elsewhere and released after the
    // focus moved here, or one whose press another key cancelled, does not.
    if (holder_ != Holder::Space) return;
    Release();
    emit clicked();
}

void TPictureButton::enterEvent(QEnterEvent* e) {
    hovered_ = true;
    if (colorChange_) faceColor_ = inColor_;
    update();
    QWidget::enterEvent(e);
}

void TPictureButton::leaveEvent(QEvent* e) {
    hovered_ = false;
    if (colorChange_) faceColor_ = color_;
    update();
    QWidget::leaveEvent(e);
}

void TPictureButton::focusInEvent(QFocusEvent* e) {
    update();
    QWidget::focusInEvent(e);
}

void TPictureButton::focusOutEvent(QFocusEvent* e) {
    // A space held while the focus leaves would otherwise leave the button stuck down.
    if (holder_ == Holder::Space) Release();
    update();
    QWidget::focusOutEvent(e);
}

QRect TPictureButton::PaintBevels(QPainter& painter) const {
    QRect face = rect();
    if (buttonStyle_ == bsStdButton) return face;
    StyleBevels bevels = kBevels[buttonStyle_];
    const bool flat = buttonStyle_ == bsIELike || buttonStyle_ == bsSpBtnLike;
    if (PressedLook()) {
        if (flat || bevels.outer != Bevel::None) bevels.outer = Bevel::Lowered;
    } else if (flat && hovered_) {
        bevels.outer = Bevel::Raised;
    }
    PaintBevel(painter, face, bevels.outer, palette());
    PaintBevel(painter, face, bevels.inner, palette());
    return face;
}

void TPictureButton::PaintPicture(QPainter& painter, const QRect& face, int shift) const {
    if (shownPicture_.isNull()) return;
    if (stretch_) {
        painter.drawPixmap(face, shownPicture_);
        return;
    }
    const QSize size = shownPicture_.deviceIndependentSize().toSize();
    const int x = Place(pictureLeft_, width(), size.width());
    const int y = Place(pictureTop_, height(), size.height());
    painter.drawPixmap(QRect(QPoint(x + shift, y + shift), size), shownPicture_);
}

void TPictureButton::PaintCaption(QPainter& painter, int shift) const {
    if (caption_.isEmpty()) return;
    int flags = Qt::TextSingleLine;
    flags |= style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic
                                                                             : Qt::TextHideMnemonic;
    const QSize size = fontMetrics().size(flags, caption_);
    const int x = Place(captionLeft_, width(), size.width());
    const int y = Place(captionTop_, height(), size.height());
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(QRect(QPoint(x + shift, y + shift), size), flags, caption_);
}

void TPictureButton::PaintStdFrame(QPainter& painter) const {
    const QPalette& pal = palette();
    QRect r = rect();
    if (PressedLook()) {
        Frame3D(painter, r, pal.color(QPalette::Dark), pal.color(QPalette::Dark));
        Frame3D(painter, r, pal.color(QPalette::Button), pal.color(QPalette::Button));
    } else {
        Frame3D(painter, r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        Frame3D(painter, r, pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
    }
}

void TPictureButton::PaintFocusRect(QPainter& painter) const {
    // Two pixels inside the two-pixel frame; every other pixel inverted, so it shows on any face.
    const QRect r = rect().adjusted(4, 4, -4, -4);
    if (r.width() < 2 || r.height() < 2) return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    const auto dot = [&](int x, int y) { painter.fillRect(QRect(x, y, 1, 1), Qt::white); };
    for (int x = r.left(); x <= r.right(); x += 2) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 2; y < r.bottom(); y += 2) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
    painter.restore();
}

void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Button));
    QRect face = PaintBevels(painter);

    int32_t fill = faceColor_;
    if (holder_ != Holder::None) {
        fill = pointerOutside_ ? color_ : inColor_;
    } else if (focusStyle_ == bfsInColor && hasFocus()) {
        fill = inColor_;
    }
    if (buttonStyle_ != bsStdButton && PressedLook()) face.adjust(1, 1, -1, -1);
    painter.fillRect(face, ResolveColor(fill, pal));

    const int shift = PressedLook() ? 1 : 0;
    PaintPicture(painter, face, shift);
    PaintCaption(painter, shift);
    if (buttonStyle_ == bsStdButton) PaintStdFrame(painter);
    if (focusStyle_ == bfsStdButton && hasFocus()) PaintFocusRect(painter);
}

}  // namespace orv
