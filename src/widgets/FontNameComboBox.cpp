#include "widgets/FontNameComboBox.h"

#include <QAbstractItemView>
#include <QFontInfo>
#include <QListView>
#include <QResizeEvent>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "output/FontSubstitutes.h"
#include "widgets/FontTable.h"

namespace orv {

namespace {

FontItemState StateOf(const QStyleOption& option) {
    FontItemState state;
    state.selected = option.state.testFlag(QStyle::State_Selected);
    state.enabled = option.state.testFlag(QStyle::State_Enabled);
    return state;
}

TFontNameFilters AttributesAt(const QModelIndex& index) {
    return TFontNameFilters::fromInt(index.data(TFontNameComboBox::kAttributesRole).toInt());
}

class FontNameItemDelegate : public QStyledItemDelegate {
  public:
    explicit FontNameItemDelegate(TFontNameComboBox* picker)
        : QStyledItemDelegate(picker), picker_(picker) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        PaintFontItem(*painter, option.rect, index.data().toString(), AttributesAt(index),
                      index.data(TFontNameComboBox::kOnPrinterRole).toBool(), picker_->font(),
                      option.palette, picker_->Look(), StateOf(option));
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const QString family = index.data().toString();
        const QFont font =
            picker_->TextFontFace() ? FaceFont(family, picker_->font()) : picker_->font();
        const int width = QFontMetrics(font).horizontalAdvance(family);
        return {FontItemTextIndent(picker_->Look()) + width + 4, picker_->ItemHeight()};
    }

    // A sizeHintChanged with no row makes the popup lay its rows out again.
    void RowsResized() { emit sizeHintChanged(QModelIndex()); }

  private:
    TFontNameComboBox* picker_;
};

}  // namespace

TFontNameComboBox::TFontNameComboBox(QWidget* parent) : QComboBox(parent) {
    auto* list = new QListView(this);
    list->setUniformItemSizes(true);  // hundreds of families: rows are measured once
    setView(list);
    setItemDelegate(new FontNameItemDelegate(this));
    connect(this, &QComboBox::activated, this, [this] { emit Change(); });
    Fill();
}

QString TFontNameComboBox::GetValue() const {
    return currentIndex() < 0 ? QString() : itemText(currentIndex());
}

int TFontNameComboBox::IndexOf(const QString& name) const {
    const QString ascii = AsciiFamilyName(name);
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(ascii, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

void TFontNameComboBox::SetValue(const QString& name) {
    int index = IndexOf(name);
    if (index < 0 && count() > 0) index = 0;
    if (index == currentIndex()) return;
    setCurrentIndex(index);
    emit Change();
}

void TFontNameComboBox::Fill() {
    const QString kept = GetValue();
    auto* items = new QStandardItemModel(this);
    for (const FontFamily& family : InstalledFontTable()) {
        if (!IsOffered(family.name, family.attributes, filters_)) continue;
        auto* item = new QStandardItem(family.name);
        item->setData(static_cast<int>(family.attributes.toInt()), kAttributesRole);
        item->setData(family.onPrinter, kOnPrinterRole);
        item->setEditable(false);
        items->appendRow(item);
    }
    const QPointer<QAbstractItemModel> old = model();
    setModel(items);  // one model swap instead of a row insertion per family
    if (old && old->parent() == this) old->deleteLater();

    const int index = kept.isEmpty() ? -1 : IndexOf(kept);
    setCurrentIndex(index);
    if (!kept.isEmpty() && index < 0) {
        setCurrentIndex(count() > 0 ? 0 : -1);
        emit Change();
    }
}

void TFontNameComboBox::SetCollectFilters(TFontNameFilters value) {
    filters_.collect = value;
    Fill();
}

void TFontNameComboBox::SetExclusiveFilters(TFontNameFilters value) {
    filters_.exclusive = value;
    Fill();
}

void TFontNameComboBox::SetInvisibleFontNames(const QStringList& value) {
    filters_.invisible = value;
    Fill();
}

void TFontNameComboBox::SetVisibleFontNames(const QStringList& value) {
    filters_.visible = value;
    Fill();
}

void TFontNameComboBox::SetTextFontFace(bool value) {
    look_.textFontFace = value;
    Relayout();
}

void TFontNameComboBox::SetIconVisible(bool value) {
    look_.iconVisible = value;
    Relayout();
}

void TFontNameComboBox::SetIconPriority(TFontIconPriority value) {
    look_.iconPriority = value;
    update();
}

void TFontNameComboBox::SetItemHeight(int value) {
    if (value < 1) return;
    itemHeight_ = value;
    const int fontPixels = QFontInfo(font()).pixelSize();
    const int lowered = std::max(12, itemHeight_);
    if (fontPixels > itemHeight_ && lowered < fontPixels) {
        QFont smaller = font();
        smaller.setPixelSize(lowered);
        setFont(smaller);
    }
    Relayout();
}

void TFontNameComboBox::SetChangeControl(QWidget* control) {
    changeControl_ = control;
    if (control) SetValue(control->font().family());
}

void TFontNameComboBox::Relayout() {
    static_cast<FontNameItemDelegate*>(itemDelegate())->RowsResized();
    updateGeometry();
    update();
}

void TFontNameComboBox::resizeEvent(QResizeEvent* e) {
    QComboBox::resizeEvent(e);
    if (e->size().height() > 6 && e->size().height() - 6 != itemHeight_) {
        SetItemHeight(e->size().height() - 6);
    }
}

void TFontNameComboBox::changeEvent(QEvent* e) {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::FontChange) Relayout();
}

void TFontNameComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;

    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QModelIndex index = model()->index(currentIndex(), modelColumn(), rootModelIndex());
    FontItemState state;
    state.enabled = isEnabled();
    state.fill = false;
    PaintFontItem(painter, field, index.data().toString(), AttributesAt(index),
                  index.data(kOnPrinterRole).toBool(), font(), palette(), look_, state);
}

}  // namespace orv
