#pragma once
// The pair of small up/down arrows beside a number edit or a label. It holds no value: the
// window's handlers decide what a step means. With focus, the arrow keys step as the buttons do.
#include <QWidget>

class QToolButton;

namespace orv {

class SpinButton : public QWidget {
    Q_OBJECT
  public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  signals:
    void UpClick();
    void DownClick();

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace orv
