#include "app/SizePresets.h"

#include <cstring>

namespace orv {

namespace {

constexpr SizePreset kPresets[] = {
    {"FDｹｰｽ", 90, 95},        {"CDｹｰｽ", 121, 121},     {"ｶｰﾄﾞ縦", 54, 86},      {"ｶｰﾄﾞ横", 86, 54},
    {"ﾊｶﾞｷ縦", 100, 148},     {"ﾊｶﾞｷ横", 148, 100},    {"A5縦", 148, 210},      {"A5横", 210, 148},
    {"A4縦", 210, 297},       {"A4横", 297, 210},      {"A3縦", 297, 420},      {"A3横", 420, 297},
    {"B5縦", 182, 257},       {"B5横", 257, 182},      {"B4縦", 257, 364},      {"B4横", 364, 257},
    {"ﾘﾌｨﾙ ﾊﾞｲﾌﾞﾙ", 95, 171}, {"ﾘﾌｨﾙ ﾐﾆ6穴", 80, 128}, {"ﾘﾌｨﾙ ﾐﾆ5穴", 61, 105},
};

}  // namespace

std::span<const SizePreset> SizePresets() {
    return kPresets;
}

const SizePreset* FindSizePreset(const char* name) {
    for (const SizePreset& preset : kPresets) {
        if (std::strcmp(preset.Name, name) == 0) return &preset;
    }
    return nullptr;
}

}  // namespace orv
