#include "ZoomList.h"

namespace orv {

std::span<const char* const> ZoomEntries() {
    static constexpr const char* kEntries[] = {"200%", "190%", "180%", "170%", "160%",
                                               "150%", "140%", "130%", "120%", "110%",
                                               "100%", "90%",  "80%",  "70%",  "60%",
                                               "50%",  "40%",  "30%",  "20%",  "10%"};
    return kEntries;
}

}  // namespace orv
