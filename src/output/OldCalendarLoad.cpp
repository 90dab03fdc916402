#include "output/OldCalendarLoad.h"

#include <utility>

#include "model/OldCalendar.h"

namespace orv {

OldCalendarLoad::OldCalendarLoad(std::string path)
    : done_(std::async(std::launch::async, [this, path = std::move(path)] {
          LoadOldCalendarFile(path, rokuyo_, solarTerms_, almanac_, messages_);
          LoadInstalledHolidayList(holidays_, messages_);
      })) {}

void OldCalendarLoad::MoveInto(RenderState& state, MessageSink& sink) {
    done_.wait();
    messages_.PassOn(sink);
    state.RokuyoList = std::move(rokuyo_);
    state.SolarTermList = std::move(solarTerms_);
    state.Almanac = std::move(almanac_);
    state.Holidays = std::move(holidays_);
}

}  // namespace orv
