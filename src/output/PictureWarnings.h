#pragma once
// Pictures that an output will draw without: the drawing goes on, but the user is told which file
// and why, so that a page without its photo is never reported as a plain success.
#include <set>
#include <string>

#include "model/MessageSink.h"
#include "output/Placement.h"
#include "render/RenderState.h"

namespace orv {

// Warns once for each picture of `layout` that is missing, no file or does not decode through
// `decoder`. With `said`, a file named there already is not named again (a run of months), and
// each named file is added.
void WarnOfUnusablePictures(const PlacedLayout& layout, const PictureDecoder* decoder,
                            MessageSink& sink, std::set<std::string>* said = nullptr);

}  // namespace orv
