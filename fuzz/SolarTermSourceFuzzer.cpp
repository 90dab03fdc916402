// The data-creation tool's solar-term source tables (HTML pages). The first byte picks the year.
#include <cstdint>
#include <string_view>

#include "model/DataCreation.h"
#include "model/Errors.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int year = kDataCreationFirstYear + data[0] % 14;
    try {
        ReadSolarTermSource(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1),
                            year);
    } catch (const Error&) {
        // A source the run refuses; anything else escaping is a fault.
    }
    return 0;
}
