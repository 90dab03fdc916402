#pragma once
// A drop-down list of the installed font families, each drawn in its own face (FontTable.h says
// which families and under which names). The window reads the choice with GetValue, sets it from
// a design with SetValue and repaints on Change.
#include <QComboBox>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "widgets/FontItemPainter.h"
#include "widgets/FontNameFilter.h"

namespace orv {

class TFontNameComboBox : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString Value READ GetValue WRITE SetValue NOTIFY Change)
    Q_PROPERTY(bool TextFontFace READ TextFontFace WRITE SetTextFontFace)
    Q_PROPERTY(bool IconVisible READ IconVisible WRITE SetIconVisible)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(QStringList InvisibleFontNames READ InvisibleFontNames WRITE SetInvisibleFontNames)
    Q_PROPERTY(QStringList VisibleFontNames READ VisibleFontNames WRITE SetVisibleFontNames)

  public:
    // Filled with the offered families, nothing selected yet.
    explicit TFontNameComboBox(QWidget* parent = nullptr);

    // The selected family; empty when nothing is selected.
    QString GetValue() const;
    // Selects the family of that name, compared without regard to case and in ASCII form (a
    // localised name finds its family); a name that is not offered selects the first family.
    // Emits Change when the selection changed.
    void SetValue(const QString& name);

    // Changing a filter refills the list. The selected family stays selected while it is offered;
    // otherwise the first family is selected and Change is emitted.
    TFontNameFilters CollectFilters() const { return filters_.collect; }
    void SetCollectFilters(TFontNameFilters value);
    TFontNameFilters ExclusiveFilters() const { return filters_.exclusive; }
    void SetExclusiveFilters(TFontNameFilters value);
    QStringList InvisibleFontNames() const { return filters_.invisible; }
    void SetInvisibleFontNames(const QStringList& value);
    QStringList VisibleFontNames() const { return filters_.visible; }
    void SetVisibleFontNames(const QStringList& value);

    bool TextFontFace() const { return look_.textFontFace; }
    void SetTextFontFace(bool value);
    bool IconVisible() const { return look_.iconVisible; }
    void SetIconVisible(bool value);
    TFontIconPriority IconPriority() const { return look_.iconPriority; }
    void SetIconPriority(TFontIconPriority value);
    const FontItemLook& Look() const { return look_; }

    // Pixel height of the popup's rows (default 16). Resizing the picker to a height above 6
    // makes it that height less 6; a row lower than the font lowers the font (to 12 at least).
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);

    // When set, the picker takes that control's font family as its value.
    QWidget* ChangeControl() const { return changeControl_; }
    void SetChangeControl(QWidget* control);

    // Item data roles: the family's TFontNameFilters (int) and whether the printer offers it.
    static constexpr int kAttributesRole = Qt::UserRole;
    static constexpr int kOnPrinterRole = Qt::UserRole + 1;

  signals:
    // Every selection by the user, and a SetValue that changed the selection.
    void Change();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void Fill();
    int IndexOf(const QString& name) const;
    void Relayout();

    FontNameFilters filters_;
    FontItemLook look_;
    int itemHeight_ = 16;
    QPointer<QWidget> changeControl_;
};

}  // namespace orv
