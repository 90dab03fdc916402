#pragma once
// The files the window reads and writes outside the designs the user picks. Tests point them at a
// temporary folder; the program takes the places beside the executable.
#include <string>
#include <vector>

namespace orv {

struct WindowSettings {
    // The design on screen is written here at close and restored from here at start.
    std::string AutoSaveFile;
    // Rokuyo and solar terms.
    std::string OldCalendarFile;
    // The design is also written to AutoSaveFile this long after the last change.
    int AutoSaveDelayMs = 2000;
    // The window's own preferences (recent files); empty means the user's config folder.
    std::string PreferencesFile = {};
    // Where 新規作成 looks for designs to start from.
    std::vector<std::string> TemplateFolders = {};

    static WindowSettings BesideTheProgram();
};

}  // namespace orv
