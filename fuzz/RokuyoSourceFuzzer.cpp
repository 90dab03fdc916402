// The data-creation tool's rokuyo source tables (plain text, one column per month). The first
// byte picks the year, so that leap and common years are both reached.
#include <cstdint>
#include <string_view>

#include "model/DataCreation.h"
#include "model/Errors.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int year = kDataCreationFirstYear + data[0] % 14;
    try {
        ReadRokuyoSource(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), year);
    } catch (const Error&) {
        // A source the run refuses; anything else escaping is a fault.
    }
    return 0;
}
