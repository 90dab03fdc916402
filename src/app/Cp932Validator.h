#pragma once
// Refuses, as it is typed or pasted, any character that a Shift_JIS settings file cannot hold, so
// a design never meets an unsaveable text later.
#include <QValidator>
#include <functional>

class QLineEdit;
class QWidget;

namespace orv {

// Told the first character that was refused, and the edit it was typed into.
using RefusedCharacter = std::function<void(QLineEdit* edit, const QString& character)>;

class Cp932Validator : public QValidator {
  public:
    Cp932Validator(QLineEdit* edit, RefusedCharacter refused);
    State validate(QString& input, int& pos) const override;

  private:
    QLineEdit* edit_;
    RefusedCharacter refused_;
};

// Gives every line edit below `root` the validator; `refused` shows why a character did not go
// in (only while the user types: a text the program sets is not the user's).
void InstallCp932Validators(QWidget* root, RefusedCharacter refused = {});

// The hint shown for a refused character.
QString RefusedCharacterHint(const QString& character);

}  // namespace orv
