#include "app/WindowDialogs.h"

#include <QMenu>

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QUrl>

#include "app/FileFilter.h"
#include "app/PictureFileDialog.h"

namespace orv {

QAction* WindowDialogs::PopupMenu(QMenu& menu, const QPoint& at) { return menu.exec(at); }

QString QtWindowDialogs::OpenFileName(QWidget* parent, const QString& filter,
                                      const QString& initialFile) {
    QFileDialog dialog(parent, QString(), initialFile, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!initialFile.isEmpty()) dialog.selectFile(initialFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString QtWindowDialogs::OpenPictureFileName(QWidget* parent, const QString& filter,
                                             const QString& initialFile) {
    PictureFileDialog dialog(parent, filter, initialFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QStringList QtWindowDialogs::OpenPictureFileNames(QWidget* parent, const QString& filter,
                                                  const QString& initialFolder) {
    PictureFileDialog dialog(parent, filter, initialFolder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

QString QtWindowDialogs::ExistingFolder(QWidget* parent, const QString& caption,
                                        const QString& initialFolder) {
    return QFileDialog::getExistingDirectory(parent, caption, initialFolder);
}

QString QtWindowDialogs::SaveFileName(QWidget* parent, const QString& filter,
                                      const QString& initialFile, const QString& defaultSuffix,
                                      QString* selectedFilter) {
    QFileDialog dialog(parent, QString(), initialFile, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(defaultSuffix);
    } else {
        // The suffix follows the chosen filter, so the overwrite question sees the real name.
        const auto follow = [&dialog](const QString& entry) {
            const QStringList patterns = FilterPatterns(entry);
            dialog.setDefaultSuffix(patterns.size() == 1 && patterns[0].startsWith("*.")
                                        ? patterns[0].mid(2)
                                        : QString());
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, follow);
        follow(dialog.selectedNameFilter());
    }
    if (!initialFile.isEmpty()) dialog.selectFile(initialFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (selectedFilter != nullptr) *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

std::optional<int32_t> QtWindowDialogs::ChooseColor(QWidget* parent, int32_t initial) {
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

std::optional<QString> QtWindowDialogs::InputText(QWidget* parent, const QString& caption,
                                                  const QString& prompt, const QString& value) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (!ok) return std::nullopt;
    return text;
}

bool QtWindowDialogs::PrintDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtWindowDialogs::PrinterSetupDialog(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtWindowDialogs::ShowModal(QDialog* dialog) {
    dialog->exec();
}

bool QtWindowDialogs::OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

SaveAnswer QtWindowDialogs::AskSaveChanges(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Orvalinden"),
                    QStringLiteral("「%1」は変更されています。保存しますか？").arg(fileName),
                    QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

ClashAnswer QtWindowDialogs::AskMemorialClash(QWidget* parent, const QString& date,
                                              const QString& existing, const QString& added) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Orvalinden"),
                    QStringLiteral("%1 には記念日「%2」があります。\n「%3」をどうしますか？")
                        .arg(date, existing, added),
                    QMessageBox::NoButton, parent);
    QPushButton* replace = box.addButton(QStringLiteral("置き換える"), QMessageBox::AcceptRole);
    QPushButton* both = box.addButton(QStringLiteral("両方残す"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(both);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == replace) return ClashAnswer::Replace;
    if (box.clickedButton() == both) return ClashAnswer::KeepBoth;
    return ClashAnswer::Cancel;
}

QColor ToQColor(int32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int32_t FromQColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace orv
