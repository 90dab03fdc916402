#pragma once
// TAboutBox, "バージョン情報": the program's name, version and home page.
#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

namespace orv {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // The page the link opens.
    static QString HomePage();

  private:
    std::unique_ptr<Ui::TAboutBox> ui_;
};

}  // namespace orv
