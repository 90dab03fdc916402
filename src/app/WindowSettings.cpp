#include "WindowSettings.h"

#include "ProgramPaths.h"

namespace orv {

WindowSettings WindowSettings::BesideTheProgram() {
    return WindowSettings{AutoSaveFilePath(), OldCalendarDataPath()};
}

}  // namespace orv
