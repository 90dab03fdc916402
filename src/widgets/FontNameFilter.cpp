#include "widgets/FontNameFilter.h"

#include "output/FontSubstitutes.h"

namespace orv {

namespace {

bool Names(const QStringList& list, const QString& family) {
    const QString ascii = AsciiFamilyName(family);
    for (const QString& name : list) {
        if (AsciiFamilyName(name).compare(ascii, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

constexpr TFontNameFilters kCharacterFilters{fnfPrinter | fnfSymbolFont | fnfJapanese |
                                             fnfFixedPitch | fnfLyingFont};

}  // namespace

bool IsOffered(const QString& family, TFontNameFilters attributes, const FontNameFilters& filters) {
    if (Names(filters.visible, family)) return true;
    if (Names(filters.invisible, family)) return false;
    if (attributes & kCharacterFilters & ~filters.collect) return false;
    if (!(attributes & kFontTypeFilters & filters.collect)) return false;
    return (attributes & filters.exclusive) == filters.exclusive;
}

}  // namespace orv
