#pragma once
// The font families the pickers offer, gathered once per process from Qt's font database.
//
// Names are kept in their ASCII form ("IPAPGothic", never the "IPA Pゴシック" that Qt reports under
// a Japanese locale), so that what a picker returns is what a design file on any machine holds.
// Windows face names that have an installed substitute ("ＭＳ Ｐゴシック", ...) are families of
// their own with their substitute's attributes: a Windows design keeps its face names.
// Printers add no families on this platform (Qt draws on a printer in the screen's fonts).
#include <QString>
#include <QStringList>
#include <vector>

#include "widgets/FontNameFilter.h"

namespace orv {

struct FontFamily {
    QString name;
    TFontNameFilters attributes;
    bool onPrinter = false;  // the printer offers it too
};

// The table for families as Qt reports them (a "[foundry]" suffix is dropped, a name met again
// without regard to case is skipped) and for Windows face names standing for one of them (those
// whose substitute is not among the families are left out). Sorted without regard to case.
std::vector<FontFamily> BuildFontTable(const QStringList& reportedFamilies,
                                       const QStringList& windowsFaces);

// The installed families, built on first use and kept to the end of the process. Registers the
// Windows face substitutes with Qt. Needs a QGuiApplication.
const std::vector<FontFamily>& InstalledFontTable();

}  // namespace orv
