// Illustration pictures, which come from anywhere: one decoder per program, chosen when it is
// built (ORV_DECODE names the function). A picture either decodes to a whole bitmap or is refused
// with PictureError; anything else is a fault.
#include <cstdint>
#include <cstdlib>

#include "ScratchFile.h"
#include "output/BmpDecoder.h"
#include "output/JpegDecoder.h"
#include "output/PictureDecoding.h"
#include "output/PngDecoder.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file(ORV_PICTURE_SUFFIX);
    try {
        const Bitmap bitmap = ORV_DECODE(file.Write(data, size));
        if (bitmap.Empty() ||
            bitmap.Pixels.size() != static_cast<size_t>(bitmap.Width) * bitmap.Height) {
            std::abort();
        }
    } catch (const PictureError&) {
    }
    return 0;
}
