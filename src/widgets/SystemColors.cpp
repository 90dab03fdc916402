#include "widgets/SystemColors.h"

#include <array>
#include <optional>

namespace orv {

namespace {

struct PaletteSlot {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr PaletteSlot Active(QPalette::ColorRole role) {
    return {QPalette::Active, role};
}

// Windows system colour indices (COLOR_SCROLLBAR = 0 ...) and the palette role that plays the
// same part on this desktop. Index 25 is unused by Windows.
constexpr std::array<std::optional<PaletteSlot>, 31> kSystemColors = {{
    Active(QPalette::Button),                               // scroll bar
    Active(QPalette::Dark),                                 // desktop
    Active(QPalette::Highlight),                            // active caption
    Active(QPalette::Mid),                                  // inactive caption
    Active(QPalette::Window),                               // menu
    Active(QPalette::Base),                                 // window
    Active(QPalette::Shadow),                               // window frame
    Active(QPalette::WindowText),                           // menu text
    Active(QPalette::Text),                                 // window text
    Active(QPalette::HighlightedText),                      // caption text
    Active(QPalette::Window),                               // active border
    Active(QPalette::Window),                               // inactive border
    Active(QPalette::Dark),                                 // application workspace
    Active(QPalette::Highlight),                            // highlight
    Active(QPalette::HighlightedText),                      // highlight text
    Active(QPalette::Button),                               // button face
    Active(QPalette::Dark),                                 // button shadow
    PaletteSlot{QPalette::Disabled, QPalette::Text},        // grey text
    Active(QPalette::ButtonText),                           // button text
    PaletteSlot{QPalette::Inactive, QPalette::WindowText},  // inactive caption text
    Active(QPalette::Light),                                // button highlight
    Active(QPalette::Shadow),                               // 3-D dark shadow
    Active(QPalette::Midlight),                             // 3-D light
    Active(QPalette::ToolTipText),                          // tool tip text
    Active(QPalette::ToolTipBase),                          // tool tip background
    std::nullopt,
    Active(QPalette::Link),       // hot-tracked item
    Active(QPalette::Highlight),  // gradient of the active caption
    Active(QPalette::Mid),        // gradient of the inactive caption
    Active(QPalette::Highlight),  // menu highlight
    Active(QPalette::Window),     // menu bar
}};

}  // namespace

QColor ResolveColor(int32_t color, const QPalette& palette) {
    if (!IsSystemColor(color)) {
        return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    }
    const unsigned index = static_cast<uint32_t>(color) & 0xFF;
    if (index >= kSystemColors.size() || !kSystemColors[index]) return QColor(0, 0, 0);
    const PaletteSlot slot = *kSystemColors[index];
    return palette.color(slot.group, slot.role);
}

int32_t ColorValue(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<int32_t>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

}  // namespace orv
