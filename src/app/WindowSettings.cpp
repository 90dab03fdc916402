#include "app/WindowSettings.h"

#include "model/ProgramPaths.h"

namespace orv {

WindowSettings WindowSettings::BesideTheProgram() {
    WindowSettings settings{AutoSaveFilePath(), OldCalendarDataPath()};
    settings.TemplateFolders = orv::TemplateFolders();
    return settings;
}

}  // namespace orv
