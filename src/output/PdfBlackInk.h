#pragma once
// Greys of a page's drawing in black ink alone. Qt writes every colour as RGB, and a press's
// colour management makes RGB black a rich black of all four inks, which shows coloured fringes
// round thin text and lines when the plates do not meet exactly. Greys (red = green = blue) are
// rewritten as DeviceCMYK with K only before the conversion, which leaves DeviceCMYK as it is.
#include <qpdf/QPDFPageObjectHelper.hh>

namespace orv {

void DrawGreysInBlackInk(QPDFPageObjectHelper& page);

}  // namespace orv
