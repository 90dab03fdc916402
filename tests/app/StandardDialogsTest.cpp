// The standard dialogs speak Japanese: Qt's own texts come from Debian's translations, and the
// question before changes are lost has the program's buttons. Real dialogs, closed by the test.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QTest>
#include <QTimer>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/QtTranslations.h"

namespace orv::test {

namespace {

struct SeenDialog {
    QString title;
    QStringList texts;
};

// Waits for the next modal dialog, notes its title and button texts, and hands it to `close`.
void WhenADialogOpens(SeenDialog& seen, std::function<void(QWidget*)> close) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, close] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        seen.title = dialog->windowTitle();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            seen.texts << button->text();
        close(dialog);
    });
    poll->start(20);
}

}  // namespace

class StandardDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void TheFileDialogOfTheWindowIsInJapanese() {
        QVERIFY(InstallJapaneseQtTexts());
        WindowFiles files;
        TestWindow w(files);
        w.window->SetDialogs(nullptr);
        SeenDialog seen;
        WhenADialogOpens(seen, [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        w.window->mnuFileOpenClick();
        QVERIFY2(seen.texts.filter("開く").size() + seen.texts.filter("キャンセル").size() > 0,
                 qPrintable(seen.texts.join(',')));
        QCOMPARE(seen.title, QString("開く"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TheSaveQuestionOffersSaveDontSaveAndCancel() {
        QtWindowDialogs dialogs;
        const QList<std::pair<QString, SaveAnswer>> answers{{"保存", SaveAnswer::Save},
                                                            {"保存しない", SaveAnswer::Discard},
                                                            {"キャンセル", SaveAnswer::Cancel}};
        for (const auto& [button, answer] : answers) {
            SeenDialog seen;
            WhenADialogOpens(seen, [button](QWidget* dialog) {
                for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                    if (b->text() == button) b->click();
            });
            QCOMPARE(dialogs.AskSaveChanges(nullptr, "DESIGN.sav"), answer);
            QCOMPARE(seen.texts, QStringList({"保存", "保存しない", "キャンセル"}));
        }
    }
};

ORV_REGISTER_TEST(StandardDialogsTest);

// Run by design_mime_type_test.sh over a mime database that holds the installed type.
class DesignMimeTypeTest : public QObject {
    Q_OBJECT

  private slots:
    void DesignsAreKnownByTheirContent() {
        if (qEnvironmentVariableIsEmpty("ORV_MIME_DATABASE")) QSKIP("needs its mime database");
        WindowFiles files;
        SaveDesign(NewDesign(), files.Path("design.sav"));
        SaveDesign(NewDesign(), files.Path("design"));
        QFile other(files.Path("survey.sav"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("$FL2@(#) SPSS DATA FILE");
        other.close();
        QMimeDatabase mime;
        const QString design = QStringLiteral("application/x-orvalinden-design");
        QCOMPARE(mime.mimeTypeForFile(files.Path("design.sav")).name(), design);
        QCOMPARE(mime.mimeTypeForFile(files.Path("design")).name(), design);
        QCOMPARE(mime.mimeTypeForFile(files.Path("survey.sav")).name(),
                 QString("application/x-spss-sav"));
    }
};

ORV_REGISTER_TEST(DesignMimeTypeTest);

}  // namespace orv::test

#include "StandardDialogsTest.moc"
