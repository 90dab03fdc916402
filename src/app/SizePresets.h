#pragma once
// The named calendar sizes of the size list, in list order (the saved SizeIndex is a place in
// this table).
#include <span>

namespace orv {

struct SizePreset {
    const char* Name;
    int Width;   // mm
    int Height;  // mm
};

std::span<const SizePreset> SizePresets();

// The preset whose name is `name`, or nullptr (an empty name matches none).
const SizePreset* FindSizePreset(const char* name);

}  // namespace orv
