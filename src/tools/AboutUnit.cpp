#include "tools/AboutUnit.h"

#include <QDesktopServices>
#include <QLayout>
#include <QUrl>

#include "tools/ProgramIcon.h"
#include "ui_AboutBox.h"

namespace orv {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TAboutBox>()) {
    ui_->setupUi(this);
    ui_->ProgramIcon->setPixmap(ProgramIcon().pixmap(48));
    setWindowIcon(ProgramIcon());
    ui_->Version->setText(QStringLiteral("Version 1.11 (Linux)"));
    ui_->Copyright->setText(QStringLiteral("このソフトはフリーソフトです。"));
    // Blue and underlined, with the hand cursor set in the form.
    ui_->lblLink->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%1</a>")
                              .arg(HomePage().toHtmlEscaped()));
    ui_->lblLink->setTextFormat(Qt::RichText);
    ui_->lblLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(ui_->lblLink, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TAboutBox::~TAboutBox() = default;

QString TAboutBox::HomePage() {
    return QStringLiteral("https://orvalinden.example.org/");
}

}  // namespace orv
