#include "Cp932Validator.h"

#include <QLineEdit>

#include "Codec.h"

namespace orv {

QValidator::State Cp932Validator::validate(QString& input, int&) const {
    return IsCp932Encodable(input.toStdString()) ? Acceptable : Invalid;
}

void InstallCp932Validators(QWidget* root) {
    for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
        // Editable combo boxes have line edits of their own; ours are all drop-down lists.
        if (edit->validator() == nullptr) edit->setValidator(new Cp932Validator(edit));
    }
}

}  // namespace orv
