#pragma once
// The preview zoom entries, largest first; "100%" is the one chosen at start.
#include <span>

namespace orv {

std::span<const char* const> ZoomEntries();
inline constexpr int kDefaultZoomIndex = 10;

}  // namespace orv
