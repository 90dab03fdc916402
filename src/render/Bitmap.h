#pragma once
// A decoded picture in memory: what the picture decoders produce and the renderer stretches onto
// a canvas. Plain data, so that the renderer knows nothing of the toolkit.
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct Bitmap {
    int Width = 0;
    int Height = 0;
    // Row-major, top row first, one 0xFFRRGGBB word per pixel (the layout of an RGB32 image).
    std::vector<uint32_t> Pixels;
    // For a picture with transparency, each pixel's opacity (0 clear .. 255 opaque) in the same
    // order, and Pixels are laid on white; empty for an opaque picture.
    std::vector<uint8_t> Alpha = {};
    // A JPEG file that holds exactly these pixels as they are shown (grey or colour, not turned),
    // which a PDF can carry as it is, with its components (1 or 3); empty otherwise.
    std::string JpegFile = {};
    int JpegComponents = 0;

    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint32_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

}  // namespace orv
