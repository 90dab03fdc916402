// Calendar and address-book files given to the memorial import: read, merged into a list, written
// back as a calendar and read again. The first byte picks the years of one-off events.
#include <cstdint>
#include <string_view>

#include "model/Errors.h"
#include "model/ICalendarDates.h"
#include "model/MemorialImport.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int first = 1990 + data[0] % 40;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        const ImportedDays read = ReadDates(bytes, {first, first + data[0] % 3});
        TMemorials list;
        MergeMemorials(list, read.Days, {}, ClashRule::Join);
        const ImportedDays back = ReadDates(WriteICalendar(list, first), {first, first + 2});
        TMemorials again;
        MergeMemorials(again, back.Days, {}, ClashRule::Join);
        // What was written as a calendar reads back as the same days.
        if (again.Count() != list.Count()) __builtin_trap();
    } catch (const Error&) {
        // A file that is neither kind; anything else escaping is a fault.
    }
    return 0;
}
