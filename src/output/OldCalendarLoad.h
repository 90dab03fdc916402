#pragma once
// The old-calendar data file read on a thread of its own, so that a program brings up Qt, its
// fonts and its window meanwhile.
#include <future>
#include <string>

#include "model/AlmanacData.h"
#include "model/HeldMessages.h"
#include "model/Memorials.h"
#include "model/MessageSink.h"
#include "render/RenderState.h"

namespace orv {

class OldCalendarLoad {
  public:
    // Starts reading `path` (LoadOldCalendarFile), and the installed holiday list if there is one.
    explicit OldCalendarLoad(std::string path);
    // Waits while the read is still going on.
    ~OldCalendarLoad() = default;

    // Waits for the data and moves it into `state`; its messages go to `sink` now, at the place
    // where a load made here would have reported them. Once only.
    void MoveInto(RenderState& state, MessageSink& sink);

  private:
    HeldMessages messages_;
    TMemorials rokuyo_;
    TMemorials solarTerms_;
    AlmanacData almanac_;
    HolidaySource holidays_;
    std::future<void> done_;  // last: the thread starts once the rest is built
};

}  // namespace orv
