#pragma once
// Long work: a status text, the wait cursor, and one pass of the event loop so that both show
// before the work starts; all undone when the work ends.
#include "app/MainUnit.h"
#include "app/UiHelpers.h"

namespace orv {

class LongWork {
  public:
    LongWork(TfrmMain& window, const char* status) : window_(window) {
        window_.ShowStatus(status);
        window_.SetWaitCursor(true);
        DoEvents();
    }
    ~LongWork() {
        window_.SetWaitCursor(false);
        window_.ShowStatus("");
    }

  private:
    TfrmMain& window_;
};

}  // namespace orv
