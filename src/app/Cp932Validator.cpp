#include "app/Cp932Validator.h"

#include <QLineEdit>

#include "model/Codec.h"

namespace orv {

Cp932Validator::Cp932Validator(QLineEdit* edit, RefusedCharacter refused)
    : QValidator(edit), edit_(edit), refused_(std::move(refused)) {}

QValidator::State Cp932Validator::validate(QString& input, int&) const {
    if (IsCp932Encodable(input.toStdString())) return Acceptable;
    if (refused_ && edit_->hasFocus()) {
        for (const uint codePoint : input.toUcs4()) {
            const QString character = QString::fromUcs4(reinterpret_cast<const char32_t*>(&codePoint), 1);
            if (!IsCp932Encodable(character.toStdString())) {
                refused_(edit_, character);
                break;
            }
        }
    }
    return Invalid;
}

void InstallCp932Validators(QWidget* root, RefusedCharacter refused) {
    for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
        // Editable combo boxes have line edits of their own; ours are all drop-down lists.
        if (edit->validator() == nullptr) edit->setValidator(new Cp932Validator(edit, refused));
    }
}

QString RefusedCharacterHint(const QString& character) {
    return QStringLiteral("「%1」はShift_JISで保存できない文字のため入力できません。").arg(character);
}

}  // namespace orv
