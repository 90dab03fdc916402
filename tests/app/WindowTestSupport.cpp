#include "WindowTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>

#include "model/SettingsKeys.h"

namespace orv::test {

QString MessageLog::Unexpected() const {
    QStringList lines;
    for (const Message& m : messages_)
        lines << "unexpected message: " + QString::fromStdString(m.text);
    return lines.join('\n');
}

namespace {

// The next scripted answer; an empty queue answers as a cancelled dialog.
template <typename Answer>
Answer Next(std::deque<Answer>& answers) {
    if (answers.empty()) return {};
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& filter, const QString& initialFile) {
    openInitialFiles << initialFile;
    openFilters << filter;
    return Next(openAnswers);
}

QStringList ScriptedDialogs::OpenPictureFileNames(QWidget*, const QString&, const QString& folder) {
    openInitialFiles << folder;
    return Next(openManyAnswers);
}

QString ScriptedDialogs::ExistingFolder(QWidget*, const QString&, const QString& folder) {
    openInitialFiles << folder;
    return Next(folderAnswers);
}

QString ScriptedDialogs::SaveFileName(QWidget*, const QString& filter, const QString& initialFile,
                                      const QString&, QString* selectedFilter) {
    saveInitialFiles << initialFile;
    saveFilters << filter;
    if (saveAnswers.empty()) return {};
    if (selectedFilter != nullptr) *selectedFilter = saveFilterAnswer;
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

std::optional<int32_t> ScriptedDialogs::ChooseColor(QWidget*, int32_t initial) {
    colorInitials.push_back(initial);
    if (colorAnswers.empty()) return std::nullopt;
    std::optional<int32_t> answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::InputText(QWidget*, const QString& caption,
                                                  const QString& prompt, const QString& value) {
    lastCaption = caption;
    lastPrompt = prompt;
    lastTextValue = value;
    if (onInputText) onInputText();
    if (textAnswers.empty()) return std::nullopt;
    const QString answer = textAnswers.front();
    textAnswers.pop_front();
    if (answer.isNull()) return std::nullopt;
    return answer;
}

bool ScriptedDialogs::PrintDialog(QWidget*, QPrinter& printer) {
    if (printToFileAnswers.empty()) {
        if (printAnswersOk == 0) return false;
        --printAnswersOk;
        return true;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToFileAnswers.front());
    printToFileAnswers.pop_front();
    return true;
}

SaveAnswer ScriptedDialogs::AskSaveChanges(QWidget*, const QString& fileName) {
    saveQuestions << fileName;
    if (saveChangesAnswers.empty()) return SaveAnswer::Discard;
    const SaveAnswer answer = saveChangesAnswers.front();
    saveChangesAnswers.pop_front();
    return answer;
}

ClashAnswer ScriptedDialogs::AskMemorialClash(QWidget*, const QString& date,
                                              const QString& existing, const QString& added) {
    clashQuestions << date + "|" + existing + "|" + added;
    if (clashAnswers.empty()) return ClashAnswer::Cancel;
    const ClashAnswer answer = clashAnswers.front();
    clashAnswers.pop_front();
    return answer;
}

WindowFiles::WindowFiles() {
    dir_.setAutoRemove(true);
}

void WindowFiles::LeaveAutoSave(const TData& design) const {
    SaveDesign(design, QString::fromStdString(AutoSave()));
}

WindowSettings WindowFiles::Settings() const {
    WindowSettings settings{
        AutoSave(), oldCalendarFile.empty() ? Path("旧暦.ini").toStdString() : oldCalendarFile,
        autoSaveDelayMs};
    settings.PreferencesFile = Path("orvalinden.ini").toStdString();
    settings.TemplateFolders = {ORV_PROGRAM_DIR "/templates/", Path("templates").toStdString()};
    return settings;
}

TestWindow::TestWindow(const WindowFiles& files)
    : window(std::make_unique<TfrmMain>(files.Settings())) {
    window->SetMessageSink(&log);
    window->SetDialogs(&dialogs);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(!window->FirstActivationPending());
    window->activateWindow();
    QApplication::processEvents();
}

TestWindow::~TestWindow() {
    if (window && window->isVisible()) {
        // Closing writes the auto-save file; nothing of it is checked here.
        window->close();
    }
}

TData TestWindow::Design() {
    TData data;
    window->ControlsToData(data);
    data.Memorials.Assign(window->Data().Memorials);
    data.Matrixs.Assign(window->Data().Matrixs);
    return data;
}

void TestWindow::Close() {
    window->close();
}

QStringList DesignLines(const TData& data, bool withLists) {
    QStringList lines;
    for (const SettingKey& key : SettingKeys()) {
        const QString name = QString("%1.%2=").arg(key.section, key.key);
        switch (key.kind) {
            case SettingKey::Kind::Integer:
                lines << name + QString::number(data.*key.integerField);
                break;
            case SettingKey::Kind::Text:
                lines << name + QString::fromStdString(data.*key.textField);
                break;
            case SettingKey::Kind::Lists:
                break;
        }
    }
    if (withLists) {
        for (int i = 0; i < data.Memorials.Count(); ++i) {
            const TMemorial& m = data.Memorials.Items(i);
            lines << QString::fromStdString("Memorial " + m.Date + "=" + m.GetProperty());
        }
        for (int i = 0; i < data.Matrixs.Count(); ++i) {
            const TMatrix& m = data.Matrixs.Items(i);
            lines << QString("Matrix %1=%2")
                         .arg(m.Number)
                         .arg(QString::fromStdString(m.GetProperty()));
        }
    }
    return lines;
}

void SaveDesign(TData data, const QString& path) {
    NullMessageSink sink;
    QVERIFY(data.SaveToFile(path.toStdString(), sink));
}

void TypeText(QWidget* widget, const QString& text) {
    for (const uint codePoint : text.toUcs4()) {
        const QString character =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &release);
    }
}

void TypeOver(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void MoveFocus(QWidget* from, QWidget* to) {
    from->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    to->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

}  // namespace orv::test

#include "AppTests.h"

namespace orv::test {

std::vector<TestClass>& AllTestClasses() {
    static std::vector<TestClass> classes;
    return classes;
}

}  // namespace orv::test
