#pragma once
// Colours are 0x00BBGGRR values, red in the low byte, as the design files hold them. A negative
// value names a Windows system colour by its index in the low byte (0x8000000F in the Basic form,
// 0xFF00000F in the Delphi form: button face); it shows the desktop palette's colour of that role.
#include <QColor>
#include <QPalette>
#include <cstdint>

namespace orv {

constexpr int32_t kClBtnFace = static_cast<int32_t>(0xFF00000F);
constexpr int32_t kClBtnHighlight = static_cast<int32_t>(0xFF000014);

constexpr bool IsSystemColor(int32_t color) {
    return color < 0;
}

// The colour `color` shows under `palette`. A system index that Windows does not know shows
// black, as Windows shows it.
QColor ResolveColor(int32_t color, const QPalette& palette);

// The 0x00BBGGRR value of an opaque colour (alpha is dropped).
int32_t ColorValue(const QColor& color);

}  // namespace orv
