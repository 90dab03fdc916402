#pragma once
// Where each calendar of an imposition layout goes and which month it shows.
// Calendar 0 is the window's design; calendar k >= 1 is the imposition entry numbered k.

namespace orv {

struct YearMonth {
    int Year = 0;
    int Month = 0;
    bool operator==(const YearMonth&) const = default;
};

// The month `offset` months after year/month, the year carried both ways (an offset that reaches
// back before January counts into the previous years).
YearMonth ShiftedMonth(int year, int month, int offset);

struct MmPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const MmPoint&) const = default;
};

// Calendar k's origin in millimetres: column k mod cols, row k div cols, one sheet plus the gap
// apart, that pitch scaled by zoom percent; in integers, products left to right and divided once.
// Cols below 1 count as 1.
MmPoint CalendarOrigin(int k, int cols, int interval, int sizeX, int sizeY, int zoom, MmPoint base);

}  // namespace orv
