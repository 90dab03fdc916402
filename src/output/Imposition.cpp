#include "output/Imposition.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace orv {

YearMonth ShiftedMonth(int year, int month, int offset) {
    const int64_t index = static_cast<int64_t>(year) * 12 + (month - 1) + offset;
    int64_t shiftedYear = index / 12;
    int64_t shiftedMonth = index % 12;
    if (shiftedMonth < 0) {
        shiftedMonth += 12;
        shiftedYear -= 1;
    }
    return {static_cast<int>(shiftedYear), static_cast<int>(shiftedMonth) + 1};
}

MmPoint CalendarOrigin(int k, int cols, int interval, int sizeX, int sizeY, int zoom,
                       MmPoint base) {
    if (cols < 1) cols = 1;
    const int64_t col = k % cols;
    const int64_t row = k / cols;
    // Long lists of large sheets reach past int; such a place is refused when it is drawn.
    const auto place = [](int64_t pitch, int64_t n, int zoom, int base) {
        return static_cast<int>(
            std::clamp<int64_t>(pitch * n * zoom / 100 + base, INT_MIN, INT_MAX));
    };
    return {place(int64_t{interval} + sizeX, col, zoom, base.X),
            place(int64_t{interval} + sizeY, row, zoom, base.Y)};
}

}  // namespace orv
