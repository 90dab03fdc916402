#include "model/ProgramVersion.h"

namespace orv {

const char* ProgramVersion() {
    return ORV_PROGRAM_VERSION;
}

}  // namespace orv
