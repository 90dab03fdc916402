#pragma once
// Stand-in until the real swatch button lands; removed then.
#include <QPushButton>
#include <cstdint>

namespace orv {

class TPictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit TPictureButton(QWidget* parent = nullptr) : QPushButton(parent) { setFlat(false); }
    int32_t Color() const { return color_; }
    void SetColor(int32_t color) {
        if (color == color_) return;
        color_ = color;
        setStyleSheet(QStringLiteral("background-color: #%1%2%3")
                          .arg(color & 0xFF, 2, 16, QChar(u'0'))
                          .arg((color >> 8) & 0xFF, 2, 16, QChar(u'0'))
                          .arg((color >> 16) & 0xFF, 2, 16, QChar(u'0')));
    }

private:
    int32_t color_ = -2;
};

}  // namespace orv
