#include "app/WindowSettings.h"

#include "model/ProgramPaths.h"

namespace orv {

WindowSettings WindowSettings::BesideTheProgram() {
    return WindowSettings{AutoSaveFilePath(), OldCalendarDataPath()};
}

}  // namespace orv
