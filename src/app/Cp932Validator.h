#pragma once
// Refuses, as it is typed or pasted, any character that a Shift_JIS settings file cannot hold, so
// a design never meets an unsaveable text later.
#include <QValidator>

class QWidget;

namespace orv {

class Cp932Validator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Gives every line edit below `root` the validator.
void InstallCp932Validators(QWidget* root);

}  // namespace orv
