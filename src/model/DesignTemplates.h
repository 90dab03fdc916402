#pragma once
// Designs to start from: .sav files in the template folders, shown by their file names (a
// leading "NN-" orders them and is not shown). One is opened as a new, unnamed design.
#include <string>
#include <vector>

#include "model/CivilDate.h"
#include "model/DataUnit.h"
#include "model/MessageSink.h"

namespace orv {

struct DesignTemplate {
    std::string Path;
    std::string Title;
};

// The templates of `folders`, each folder's in the order of their names; a name met again in a
// later folder (the user's own) takes the earlier one's place.
std::vector<DesignTemplate> FindTemplates(const std::vector<std::string>& folders);

// The template as a new design: no file name, a picture named relative to the template found
// beside it, and its month in the year to come (this year's while the month is still ahead or
// now, otherwise next year's). False when it could not be read (reported through `sink`).
bool LoadTemplate(const std::string& path, CivilDate today, TData& design, MessageSink& sink);

}  // namespace orv
