#pragma once
// vCard (2.1, 3.0 and 4.0, as phones and address books export contacts): birthdays and
// anniversaries as every-year days.
#include <string_view>

#include "model/MemorialImport.h"

namespace orv {

// 「山田 太郎 誕生日」 and 「山田 太郎 記念日」 for each contact's BDAY and ANNIVERSARY (also
// X-ANNIVERSARY and an Apple X-ABDATE labelled as one); a date without a year (--0412, or Apple's
// X-APPLE-OMIT-YEAR) reads as one with. Values in quoted-printable and in a CHARSET of their own
// are decoded.
ImportedDays ReadVCards(std::string_view text);

}  // namespace orv
