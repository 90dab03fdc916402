#include "model/MessageSink.h"

namespace orv {

std::string WithHeading(const std::string& heading, const std::string& detail) {
    return heading + "\r\n" + detail;
}

}  // namespace orv
