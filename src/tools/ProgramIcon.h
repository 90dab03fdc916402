#pragma once
// The program's own icon, the one installed for the launcher.
#include <QIcon>

namespace orv {

QIcon ProgramIcon();

}  // namespace orv
