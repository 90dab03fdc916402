#pragma once
// The fixed texts of titles and weekday rows; the window also builds its title-style samples
// from them.
#include <string>

namespace orv {

// English month name: Variant 0 the full name ("January"), 1 the three-letter form ("Jan").
// A month outside 1..12 or another variant gives the empty text.
std::string MonthNameEnglish(int Month, int Variant);

// Caption of weekday column Column (1..7 from the left) under WeekStyle 0..9: styles 0..4 start
// the week on Sunday, 5..9 on Monday, with the caption forms 日 / Sunday / Sun / Su / S in that
// order. A column outside 1..7 or a style outside 0..9 gives the empty text.
std::string WeekdayCaption(int Column, int WeekStyle);

}  // namespace orv
