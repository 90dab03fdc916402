#include "model/Eras.h"

#include <array>

namespace orv {

namespace {

struct Era {
    const char* name;
    CivilDate firstDay;
};

// Newest first.
constexpr std::array kEras = {
    Era{"令和", {2019, 5, 1}},
    Era{"平成", {1989, 1, 8}},
    Era{"昭和", {1926, 12, 25}},
    Era{"大正", {1912, 7, 30}},
    Era{"明治", {1868, 1, 1}},
};

const Era* EraOf(const CivilDate& date) {
    for (const Era& era : kEras) {
        if (date >= era.firstDay) return &era;
    }
    return nullptr;
}

}  // namespace

int EraYear(const CivilDate& date) {
    const Era* era = EraOf(date);
    return era ? date.Year - era->firstDay.Year + 1 : date.Year;
}

std::string EraName(const CivilDate& date) {
    const Era* era = EraOf(date);
    return era ? era->name : "";
}

std::string EraText(const CivilDate& date) { return EraName(date) + std::to_string(EraYear(date)); }

}  // namespace orv
