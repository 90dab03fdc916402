#pragma once
// The picture formats the open-picture dialog offers and the test load that warns about a file
// that cannot be used.
#include <QString>

namespace orv {

QString PictureDialogFilter();
// Whether the file decodes into a picture.
bool TestLoadPicture(const QString& path);

}  // namespace orv
