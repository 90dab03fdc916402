// An output reads the window and the imposition entries' settings files once, however many bands,
// pages or repaints draw it: an A3 export at 1200 dpi is drawn in 17 bands.
#include <sys/inotify.h>
#include <unistd.h>

#include <QDir>
#include <QImageReader>
#include <QTest>
#include <map>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "output/BandedExport.h"

namespace orv::test {

namespace {

// Counts the opens of the files in one folder while it lives, as the system reports them.
class OpenCounter {
  public:
    explicit OpenCounter(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(fd_, folder.toLocal8Bit().constData(), IN_OPEN);
    }
    ~OpenCounter() { close(fd_); }
    std::map<std::string, int> Opens() {
        alignas(inotify_event) char buffer[65536];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) ++opens_[event->name];
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return opens_;
    }

  private:
    int fd_;
    std::map<std::string, int> opens_;
};

}  // namespace

class PlacedOnceTest : public QObject {
    Q_OBJECT
  private slots:
    void AnA3ExportIn17BandsReadsEachEntryAndTheControlsOnce() {
        WindowFiles files;
        QDir().mkpath(files.Path("entries"));
        // Sixteen cards of 74 x 105 mm, four across: an A3 sheet.
        TData design = NewDesign();
        design.Year = 2027;
        design.Month = 1;
        design.SizeIndex = -1;
        design.SizeX = 74;
        design.SizeY = 105;
        design.Print = 1;
        design.Cols = 4;
        design.Interval = 0;
        for (int k = 1; k <= 15; ++k) {
            TData look = NewDesign();
            look.WeekdayColor = 0x101010 * (k % 8);
            const QString entry = files.Path(QString("entries/card%1.sav").arg(k));
            SaveDesign(look, entry);
            TMatrix& m = design.Matrixs.Add();
            m.Number = k;
            m.MonthOffset = k;
            m.ConfigFile = entry.toStdString();
        }
        SaveDesign(design, files.Path("cards.sav"));
        TestWindow w(files);
        QVERIFY(w.window->OpenDesignFile(files.Path("cards.sav")));
        QCoreApplication::processEvents();

        const int jobs = w.window->JobsBuilt();
        OpenCounter counter(files.Path("entries"));
        w.dialogs.saveAnswers.push_back(files.Path("cards.png"));
        w.dialogs.saveFilterAnswer = "PNGﾌｧｲﾙ(*.png)";
        w.dialogs.textAnswers.push_back("1200");
        w.window->mnuPicSaveClick();
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QString("保存しました。"));

        // 296 x 420 mm at 1200 dpi, in bands of 64 MB.
        const QSize written = QImageReader(files.Path("cards.png")).size();
        QCOMPARE(written, QSize(13984, 19840));
        const int bandRows = BandRows(written.width(), kBandBytes);
        QCOMPARE((written.height() + bandRows - 1) / bandRows, 17);
        const std::map<std::string, int> opens = counter.Opens();
        QCOMPARE(static_cast<int>(opens.size()), 15);
        for (const auto& [name, count] : opens) QVERIFY2(count == 1, name.c_str());
        QCOMPARE(w.window->JobsBuilt() - jobs, 1);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(PlacedOnceTest);

}  // namespace orv::test

#include "PlacedOnceTest.moc"
