#include "model/ProgramPaths.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

#include "model/AtomicFile.h"

#ifndef ORV_DATA_DIR
#define ORV_DATA_DIR "/usr/local/share/orvalinden"
#endif
// The installed data folder as seen from the installed programs' folder, so that a tree
// installed under another prefix than the configured one still finds its data.
#ifndef ORV_DATA_DIR_FROM_PROGRAMS
#define ORV_DATA_DIR_FROM_PROGRAMS "../share/orvalinden"
#endif

namespace orv {

namespace {

bool CanWrite(const std::string& path) {
    return access(path.c_str(), W_OK) == 0;
}

// Our folder under an XDG base folder: $VARIABLE when it is absolute, else $HOME/homeFallback.
std::string XdgFolder(const char* variable, const char* homeFallback) {
    const char* xdg = std::getenv(variable);
    std::string base;
    if (xdg != nullptr && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + homeFallback;
    }
    return base + "/orvalinden/";
}

std::string ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

}  // namespace

std::string ExecutableFolder() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "./";
    std::string path(buffer, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}

std::string AutoSaveFilePath() {
    const std::string folder = ExecutableFolder();
    const std::string beside = folder + kAutoSaveFileName;
    if (CanWrite(folder) && (!FileExists(beside) || CanWrite(beside))) return beside;
    const std::string config = ConfigFolder();
    mkdir(config.substr(0, config.size() - 1 - std::string("orvalinden").size()).c_str(), 0755);
    mkdir(config.c_str(), 0755);
    return config + kAutoSaveFileName;
}

namespace {

std::string DataFilePath(const std::string& name) {
    const std::string folder = ExecutableFolder();
    const std::string candidates[] = {
        folder + name,
        folder + ORV_DATA_DIR_FROM_PROGRAMS + "/" + name,
        std::string(ORV_DATA_DIR) + "/" + name,
    };
    for (const std::string& path : candidates) {
        if (FileExists(path)) return path;
    }
    return candidates[0];
}

}  // namespace

std::string OldCalendarDataPath() {
    return DataFilePath(kOldCalendarFileName);
}

std::string ManualPath() {
    return DataFilePath("manual/index.html");
}

std::vector<std::string> TemplateFolders() {
    const auto isFolder = [](const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    };
    std::vector<std::string> folders;
    const std::string folder = ExecutableFolder();
    for (const std::string& program :
         {folder + "templates/", folder + ORV_DATA_DIR_FROM_PROGRAMS + "/templates/",
          std::string(ORV_DATA_DIR) + "/templates/"}) {
        if (isFolder(program)) {
            folders.push_back(program);
            break;
        }
    }
    const std::string own = XdgFolder("XDG_DATA_HOME", "/.local/share") + "templates/";
    if (isFolder(own)) folders.push_back(own);
    return folders;
}

std::string InstalledHolidayListPath() {
    for (const std::string& folder :
         {ExecutableFolder(), XdgFolder("XDG_DATA_HOME", "/.local/share")}) {
        if (FileExists(folder + kHolidayListFileName)) return folder + kHolidayListFileName;
    }
    return {};
}

}  // namespace orv
