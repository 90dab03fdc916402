#pragma once
// Qt's own texts (standard dialogs and buttons) in Japanese, whatever the system locale: every
// other text of the program is Japanese, and a half-English dialog reads as a fault.

namespace orv {

// Loads Debian's qtbase_ja into the application; false when it is not installed (the dialogs
// then stay in English).
bool InstallJapaneseQtTexts();

}  // namespace orv
