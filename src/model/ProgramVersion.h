#pragma once
// The programs' release, as the package names it (not the design files' format version).

namespace orv {

const char* ProgramVersion();

}  // namespace orv
