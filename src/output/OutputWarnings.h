#pragma once
// What an output will draw without — a picture, a year's almanac data: the drawing goes on, but
// the user is told what and why, so that a page without them is never reported as a plain success.
#include <set>
#include <string>
#include <vector>

#include "model/MessageSink.h"
#include "output/Placement.h"
#include "render/RenderState.h"

namespace orv {

// Warns once for each picture of `layout` that is missing, no file or does not decode through
// `decoder`. With `said`, a file named there already is not named again (a run of months), and
// each named file is added.
void WarnOfUnusablePictures(const PlacedLayout& layout, const PictureDecoder* decoder,
                            MessageSink& sink, std::set<std::string>* said = nullptr);

// Warns once for each year (or month) that a calendar of `layout` shows rokuyo, solar terms or
// old-calendar dates for, when the data read holds no rokuyo for the month's days (a file empty,
// damaged, cut short or made for other years). `said` as above.
void WarnOfMissingAlmanacData(const PlacedLayout& layout, const RenderState& state,
                              MessageSink& sink, std::set<std::string>* said = nullptr);

// Warns once for each picture of `spots` that is printed with fewer than kLowPictureDpi pixels
// per inch, naming it and its resolution. `said` as above.
void WarnOfCoarsePictures(const std::vector<PictureSpot>& spots, MessageSink& sink,
                          std::set<std::string>* said = nullptr);

}  // namespace orv
