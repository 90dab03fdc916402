// The font-name picker: which families it offers and under which names, how a design's font name
// is selected, and how its items are drawn.
#include <QFontDatabase>
#include <QFontInfo>
#include <QListView>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "output/FontSubstitutes.h"
#include "widgets/FontItemPainter.h"
#include "widgets/FontNameComboBox.h"
#include "widgets/FontTable.h"

namespace orv {
namespace {

QStringList Items(const TFontNameComboBox& picker) {
    QStringList items;
    for (int i = 0; i < picker.count(); ++i) items << picker.itemText(i);
    return items;
}

QStringList Names(const std::vector<FontFamily>& table) {
    QStringList names;
    for (const FontFamily& family : table) names << family.name;
    return names;
}

TFontNameFilters AttributesOf(const std::vector<FontFamily>& table, const QString& name) {
    for (const FontFamily& family : table) {
        if (family.name == name) return family.attributes;
    }
    return {};
}

bool AllItemsHave(const TFontNameComboBox& picker, TFontNameFilter attribute) {
    for (int i = 0; i < picker.count(); ++i) {
        const auto attributes = TFontNameFilters::fromInt(
            picker.itemData(i, TFontNameComboBox::kAttributesRole).toInt());
        if (!attributes.testFlag(attribute)) return false;
    }
    return true;
}

// The family's name as Qt reports it here: "IPA Pゴシック" for "IPAPGothic" under a Japanese
// locale.
QString Reported(const QString& ascii) {
    for (const QString& family : QFontDatabase::families()) {
        if (AsciiFamilyName(family) == ascii) return family;
    }
    return ascii;
}

// One popup row of the picker drawn as its list draws it.
QImage RowImage(TFontNameComboBox& picker, int row) {
    QStyleOptionViewItem option;
    option.initFrom(picker.view());
    option.rect = QRect(0, 0, 200, picker.ItemHeight());
    option.state &= ~QStyle::State_Selected;
    QImage image(option.rect.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    picker.view()->itemDelegate()->paint(&painter, option, picker.model()->index(row, 0));
    return image;
}

}  // namespace

class FontNameComboBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void TheTableHoldsEachFamilyOnceInAsciiFormSorted() {
        const auto table = BuildFontTable(
            {Reported("IPAPGothic"), "DejaVu Sans Mono", "ipapgothic", "IPA Pゴシック",
             "Courier [Adobe]", "Courier [URW]", "@IPAGothic", "DejaVu Sans"},
            {});
        QCOMPARE(Names(table), QStringList({"@IPAGothic", "Courier", "DejaVu Sans",
                                            "DejaVu Sans Mono", "IPAPGothic"}));
        QCOMPARE(Names(BuildFontTable({"IPA明朝"}, {})), QStringList({"IPAMincho"}));

        const TFontNameFilters pGothic = AttributesOf(table, "IPAPGothic");
        QVERIFY(pGothic.testFlag(fnfJapanese));
        QVERIFY(pGothic.testFlag(fnfTrueType));
        QVERIFY(!pGothic.testFlag(fnfFixedPitch));
        QVERIFY(!AttributesOf(table, "DejaVu Sans").testFlag(fnfJapanese));
        QVERIFY(AttributesOf(BuildFontTable({Reported("IPAGothic")}, {}), "IPAGothic")
                    .testFlag(fnfFixedPitch));
        QVERIFY(AttributesOf(table, "DejaVu Sans Mono").testFlag(fnfFixedPitch));
        QVERIFY(AttributesOf(table, "@IPAGothic").testFlag(fnfLyingFont));
    }

    void WindowsFacesStandForTheirInstalledSubstitute() {
        const auto table =
            BuildFontTable({Reported("IPAPGothic"), "DejaVu Sans"},
                           {"ＭＳ Ｐゴシック", "ＭＳ 明朝", "ms pgothic", "ＭＳ Ｐゴシック"});
        // "ＭＳ 明朝" stands for IPAMincho, which this list does not have.
        QCOMPARE(Names(table),
                 QStringList({"DejaVu Sans", "IPAPGothic", "ms pgothic", "ＭＳ Ｐゴシック"}));
        QCOMPARE(AttributesOf(table, "ＭＳ Ｐゴシック"), AttributesOf(table, "IPAPGothic"));
    }

    void EveryInstalledFamilyButTheVerticalOnesIsOffered() {
        const TFontNameFilters lying = fnfTrueType | fnfJapanese | fnfLyingFont;
        QVERIFY(!IsOffered("@IPAGothic", lying, FontNameFilters{}));
        FontNameFilters asked;
        asked.visible = {"@ipagothic"};
        QVERIFY(IsOffered("@IPAGothic", lying, asked));

        TFontNameComboBox picker;
        const QStringList items = Items(picker);
        for (const QString& item : items) QVERIFY2(!item.startsWith('@'), qPrintable(item));
        for (QString family : QFontDatabase::families()) {
            family.remove(QRegularExpression(" \\[.*\\]$"));  // "C059 [UKWN]"
            if (family.startsWith('@')) continue;
            QVERIFY2(items.contains(AsciiFamilyName(family)), qPrintable(family));
        }
    }

    void AWindowsDesignKeepsItsFaceNames() {
        TFontNameComboBox picker;
        for (const QString& face : SubstitutedWindowsFaceNames()) {
            picker.SetValue(face);
            QCOMPARE(picker.GetValue(), face);
        }
        picker.SetValue("ｍｓ ｐゴシック");
        QCOMPARE(picker.GetValue(), QString("ＭＳ Ｐゴシック"));
        // The picker's table registers the substitutes, so the item draws in Japanese.
        const QFont face = FaceFont("ＭＳ Ｐゴシック", picker.font());
        QCOMPARE(AsciiFamilyName(QFontInfo(face).family()), QString("IPAPGothic"));
    }

    void SetValueFindsTheFamilyWhateverItsCaseOrLanguage() {
        TFontNameComboBox picker;
        QSignalSpy changes(&picker, &TFontNameComboBox::Change);
        QCOMPARE(picker.GetValue(), QString());

        picker.SetValue("ipagothic");
        QCOMPARE(picker.GetValue(), QString("IPAGothic"));
        QCOMPARE(changes.count(), 1);
        picker.SetValue("IPAGOTHIC");
        QCOMPARE(changes.count(), 1);  // the same family: no change

        picker.SetValue("IPA明朝");  // as Qt names it under a Japanese locale
        QCOMPARE(picker.GetValue(), QString("IPAMincho"));
        QCOMPARE(changes.count(), 2);
        QCOMPARE(picker.property("Value").toString(), QString("IPAMincho"));
    }

    void AMissingFamilySelectsTheFirstAndSaysSo() {
        TFontNameComboBox picker;
        picker.SetValue("IPAGothic");
        QSignalSpy changes(&picker, &TFontNameComboBox::Change);
        picker.SetValue("No Such Family");
        QCOMPARE(picker.GetValue(), picker.itemText(0));
        QCOMPARE(changes.count(), 1);
        picker.SetValue("Still Not Installed");
        QCOMPARE(changes.count(), 1);
    }

    void EveryUserSelectionSaysChange() {
        TFontNameComboBox picker;
        picker.SetValue("IPAGothic");
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QSignalSpy changes(&picker, &TFontNameComboBox::Change);
        const int before = picker.currentIndex();
        QTest::keyClick(&picker, Qt::Key_Down);
        QCOMPARE(picker.currentIndex(), before + 1);
        QCOMPARE(changes.count(), 1);
        QTest::keyClick(&picker, Qt::Key_Up);
        QCOMPARE(picker.GetValue(), QString("IPAGothic"));
        QCOMPARE(changes.count(), 2);
        picker.setCurrentIndex(0);  // the program's own doing, not a selection
        QCOMPARE(changes.count(), 2);
    }

    void FiltersChooseTheFamiliesAndKeepAnOfferedSelection() {
        TFontNameComboBox picker;
        picker.SetValue("DejaVu Sans Mono");
        QSignalSpy changes(&picker, &TFontNameComboBox::Change);

        picker.SetCollectFilters(kDefaultCollectFilters & ~TFontNameFilters(fnfJapanese));
        QVERIFY(!Items(picker).contains("IPAGothic"));
        QVERIFY(!Items(picker).contains("ＭＳ Ｐゴシック"));
        QVERIFY(Items(picker).contains("DejaVu Sans"));
        QCOMPARE(picker.GetValue(), QString("DejaVu Sans Mono"));
        QCOMPARE(changes.count(), 0);

        picker.SetVisibleFontNames({"IPAGothic"});
        QVERIFY(Items(picker).contains("IPAGothic"));
        QVERIFY(!Items(picker).contains("IPAMincho"));

        picker.SetVisibleFontNames({});
        picker.SetCollectFilters(kDefaultCollectFilters);
        picker.SetExclusiveFilters(fnfFixedPitch);
        QVERIFY(AllItemsHave(picker, fnfFixedPitch));
        QVERIFY(Items(picker).contains("DejaVu Sans Mono"));
        QVERIFY(Items(picker).contains("ＭＳ ゴシック"));
        QVERIFY(!Items(picker).contains("ＭＳ Ｐゴシック"));
        QVERIFY(!Items(picker).contains("DejaVu Sans"));

        picker.SetExclusiveFilters({});
        picker.SetInvisibleFontNames({"dejavu sans mono"});
        QVERIFY(!Items(picker).contains("DejaVu Sans Mono"));
        QVERIFY(Items(picker).contains("DejaVu Sans"));
        // The selected family went away: the first one is selected, and that is a change.
        QCOMPARE(picker.GetValue(), picker.itemText(0));
        QCOMPARE(changes.count(), 1);
    }

    void RowsFollowTheItemHeightAndThePickersHeight() {
        TFontNameComboBox picker;
        QFont font = picker.font();
        font.setPixelSize(20);
        picker.setFont(font);
        picker.SetItemHeight(14);
        QCOMPARE(picker.view()->sizeHintForRow(0), 14);
        QCOMPARE(QFontInfo(picker.font()).pixelSize(), 14);
        picker.SetItemHeight(8);
        QCOMPARE(QFontInfo(picker.font()).pixelSize(), 12);

        picker.resize(150, 26);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QTRY_COMPARE(picker.ItemHeight(), picker.height() - 6);
        QCOMPARE(picker.view()->sizeHintForRow(0), picker.height() - 6);
    }

    void ItemsShowTheirFaceAndTheTrueTypeIcon() {
        TFontNameComboBox picker;
        picker.SetItemHeight(20);
        const int row = picker.findText("IPAMincho");
        QVERIFY(row >= 0);

        // The icon's front "T" is navy; nothing else in a row is.
        const auto iconColumnHasInk = [](const QImage& image) {
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < 20; ++x) {
                    if (image.pixelColor(x, y) == QColor(0, 0, 128)) return true;
                }
            }
            return false;
        };
        const QImage withIcon = RowImage(picker, row);
        QVERIFY(withIcon.pixelColor(0, 0) != QColor(Qt::magenta));  // the row is filled
        QVERIFY(iconColumnHasInk(withIcon));
        picker.SetIconVisible(false);
        const QImage withoutIcon = RowImage(picker, row);
        QVERIFY(!iconColumnHasInk(withoutIcon));

        picker.SetTextFontFace(false);
        QVERIFY(RowImage(picker, row) != withoutIcon);  // not the UI font before
    }
};

}  // namespace orv

QTEST_MAIN(orv::FontNameComboBoxTest)
#include "FontNameComboBoxTest.moc"
