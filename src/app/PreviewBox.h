#pragma once
// The preview surface inside the scroll box. Its paint event hands the widget to the window,
// which draws the calendar on it.
#include <QWidget>
#include <functional>

namespace orv {

class PreviewBox : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewBox(QWidget* parent = nullptr) : QWidget(parent) {}

    void SetPainter(std::function<void(QWidget&)> painter) { painter_ = std::move(painter); }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (painter_) painter_(*this);
    }

  private:
    std::function<void(QWidget&)> painter_;
};

}  // namespace orv
