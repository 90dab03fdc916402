#pragma once
// What a font family is, in the terms of the font picker's filters, and which families a picker
// with given filters offers.
#include <QFlags>
#include <QString>
#include <QStringList>

namespace orv {

enum TFontNameFilter : unsigned {
    fnfDevice = 1u << 0,
    fnfVector = 1u << 1,
    fnfRaster = 1u << 2,
    fnfTrueType = 1u << 3,
    fnfPrinter = 1u << 4,  // offered by the printer only
    fnfSymbolFont = 1u << 5,
    fnfJapanese = 1u << 6,
    fnfFixedPitch = 1u << 7,
    fnfLyingFont = 1u << 8,  // vertical-writing variant, named "@..."
};
Q_DECLARE_FLAGS(TFontNameFilters, TFontNameFilter)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontNameFilters)

constexpr TFontNameFilters kFontTypeFilters{fnfDevice | fnfVector | fnfRaster | fnfTrueType};
constexpr TFontNameFilters kAllFontNameFilters{kFontTypeFilters | fnfPrinter | fnfSymbolFont |
                                               fnfJapanese | fnfFixedPitch | fnfLyingFont};
// Everything but the vertical-writing variants.
constexpr TFontNameFilters kDefaultCollectFilters{kAllFontNameFilters &
                                                  ~TFontNameFilters(fnfLyingFont)};

struct FontNameFilters {
    TFontNameFilters collect = kDefaultCollectFilters;  // kinds that may be offered
    TFontNameFilters exclusive;                         // kinds every offered family must have
    QStringList invisible;                              // never offered...
    QStringList visible;                                // ...and always offered, whatever else
};

// Names compare without regard to case, in their ASCII form.
bool IsOffered(const QString& family, TFontNameFilters attributes, const FontNameFilters& filters);

}  // namespace orv
