#pragma once
// The places "beside the program": the executable's folder first, as on Windows, then the
// per-user configuration folder or the installed data folder.
#include <string>
#include <vector>

namespace orv {

// The running executable's folder, with a trailing "/".
std::string ExecutableFolder();

// Where the design on screen is saved at close and restored at start: beside the program when
// that folder can be written, else $XDG_CONFIG_HOME/orvalinden/ (default ~/.config/orvalinden/).
std::string AutoSaveFilePath();

// The old-calendar data file: beside the program, else in the data folder of the tree the program
// is installed in (<program folder>/../share/orvalinden), else in the data folder of the
// configured install prefix. Returns the first that exists, or the one beside the program when
// none does.
std::string OldCalendarDataPath();
// The manual (manual/index.html), looked for in the same places.
std::string ManualPath();

// The Cabinet Office's holiday list a user installed: syukujitsu.csv beside the program, else in
// $XDG_DATA_HOME/orvalinden/ (default ~/.local/share/orvalinden/); empty when there is none.
std::string InstalledHolidayListPath();

// The folders designs to start from are kept in, each with a trailing "/": the program's
// (templates/ beside the program, else in the installed data folder) and the user's own
// ($XDG_DATA_HOME/orvalinden/templates/); only those that exist.
std::vector<std::string> TemplateFolders();

inline constexpr const char* kAutoSaveFileName = "Orvalinden.bak";
inline constexpr const char* kHolidayListFileName = "syukujitsu.csv";
inline constexpr const char* kOldCalendarFileName = "旧暦.ini";

}  // namespace orv
