#pragma once
// A push button whose face is filled with a colour, optionally with a picture and a caption. The
// main window uses it as a 21 x 17 colour swatch (ColorChange off, no picture, no caption): a
// click opens the colour dialog, and the chosen colour comes back through SetColor.
//
// Colours are 0x00BBGGRR; negative values are Windows system colours (see SystemColors.h), kept
// as they are by Color() and shown in the palette's colour of their role.
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace orv {

class TPictureButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TButtonStyle ButtonStyle READ ButtonStyle WRITE SetButtonStyle)
    Q_PROPERTY(bool ColorChange READ ColorChange WRITE SetColorChange)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFocusStyle FocusStyle READ FocusStyle WRITE SetFocusStyle)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(int InColor READ InColor WRITE SetInColor)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int PictureLeft READ PictureLeft WRITE SetPictureLeft)
    Q_PROPERTY(int PictureTop READ PictureTop WRITE SetPictureTop)
    Q_PROPERTY(int CaptionLeft READ CaptionLeft WRITE SetCaptionLeft)
    Q_PROPERTY(int CaptionTop READ CaptionTop WRITE SetCaptionTop)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)

  public:
    enum TButtonStyle {
        bsNone,
        bsLowered,
        bsRaised,
        bsFrame,
        bsGroove,
        bsIELike,
        bsSpBtnLike,
        bsStdButton
    };
    Q_ENUM(TButtonStyle)
    enum TFocusStyle { bfsNone, bfsStdButton, bfsInColor };
    Q_ENUM(TFocusStyle)

    // A new button is 36 x 36 and takes the keyboard focus by tab and by click.
    explicit TPictureButton(QWidget* parent = nullptr);

    // The swatch colour. SetColor stores a different value and repaints; the same value again
    // does nothing at all.
    int32_t Color() const { return color_; }
    void SetColor(int32_t value);

    // Hot-tracking and pressed colour (default: the button highlight system colour).
    int32_t InColor() const { return inColor_; }
    void SetInColor(int32_t value);

    TButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TButtonStyle value);
    TFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TFocusStyle value);
    // While on, the face shows InColor as long as the pointer is over the button.
    bool ColorChange() const { return colorChange_; }
    void SetColorChange(bool value);

    // "&" marks the accelerator character ("&&" is a plain "&").
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // Drawn transparent: by its alpha, or, without one, leaving out its bottom-left pixel's colour.
    QPixmap Picture() const { return picture_; }
    void SetPicture(const QPixmap& value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // Positions inside the button in pixels; -1 centres on that axis.
    int PictureLeft() const { return pictureLeft_; }
    void SetPictureLeft(int value);
    int PictureTop() const { return pictureTop_; }
    void SetPictureTop(int value);
    int CaptionLeft() const { return captionLeft_; }
    void SetCaptionLeft(int value);
    int CaptionTop() const { return captionTop_; }
    void SetCaptionTop(int value);

    QSize sizeHint() const override { return {36, 36}; }

  signals:
    // A left click released over the button, space released after pressing it here, Enter, or
    // the caption's accelerator.
    void clicked();

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    enum class Holder { None, Mouse, Space };

    // Held, with the pointer over the button (the pressed look).
    bool PressedLook() const { return holder_ != Holder::None && !pointerOutside_; }
    void Release();
    void UpdateShortcut();
    QRect PaintBevels(QPainter& painter) const;
    void PaintPicture(QPainter& painter, const QRect& face, int shift) const;
    void PaintCaption(QPainter& painter, int shift) const;
    void PaintStdFrame(QPainter& painter) const;
    void PaintFocusRect(QPainter& painter) const;

    int32_t color_;
    int32_t faceColor_;  // the colour the face shows when neither held nor focused in colour
    int32_t inColor_;
    TButtonStyle buttonStyle_ = bsStdButton;
    TFocusStyle focusStyle_ = bfsStdButton;
    bool colorChange_ = true;
    QString caption_;
    QPixmap picture_;
    QPixmap shownPicture_;  // picture_ with its transparent colour masked out
    bool stretch_ = false;
    int pictureLeft_ = -1;
    int pictureTop_ = -1;
    int captionLeft_ = -1;
    int captionTop_ = -1;

    Holder holder_ = Holder::None;
    bool pointerOutside_ = false;  // held by the mouse, dragged off the button
    bool hovered_ = false;
    int shortcutId_ = 0;
};

}  // namespace orv
