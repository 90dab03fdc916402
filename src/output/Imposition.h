#pragma once
// Where each calendar of an imposition layout goes, which month it shows and which look it takes.
// Calendar 0 is the window's design; calendar k >= 1 is the imposition entry numbered k.
#include <string>

#include "model/DataUnit.h"
#include "model/MessageSink.h"

namespace orv {

class DesignSource;

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

// Fills `design` for calendar k: the window's design (ControlsToData and copies of the window's
// lists), then for an entry numbered k its settings file (whose load messages go to `sink`), the
// window's size, frame, rokuyo and solar-term switches and memorial days again, its picture (which
// then stands for every month), and its shifted month. Returns false when k is 0 or no entry has that number; `design` is then the
// window's design.
bool PrepareCalendarDesign(int k, DesignSource& source, TData& design, MessageSink& sink);

// The window's design with copies of the window's two lists and its month pictures.
void ResetToWindowDesign(DesignSource& source, TData& design);

}  // namespace orv
