#pragma once
// Stand-in until the real font picker lands; removed then.
#include <QComboBox>
#include <QFontDatabase>

#include "FontSubstitutes.h"

namespace orv {

class TFontNameComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TFontNameComboBox(QWidget* parent = nullptr) : QComboBox(parent) {
        RegisterWindowsFontSubstitutes();
        addItems(SubstitutedWindowsFaceNames());
        for (const QString& family : QFontDatabase::families()) {
            if (!family.startsWith(u'@')) addItem(family);
        }
        connect(this, &QComboBox::activated, this, &TFontNameComboBox::Change);
    }
    QString GetValue() const { return currentText(); }
    void SetValue(const QString& name) {
        int index = findText(name, Qt::MatchFixedString);
        if (index < 0) index = 0;
        if (index != currentIndex()) {
            setCurrentIndex(index);
            emit Change();
        }
    }

signals:
    void Change();
};

}  // namespace orv
