#include "output/PngDecoder.h"

#include <png.h>

#include <bit>

#include "output/PictureDecoding.h"

namespace orv {

namespace {

// libpng's own reader: errors come back as a result, never as a jump through our frames.
struct PngImage {
    png_image image{};
    PngImage() { image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    [[noreturn]] void Fail() const {
        throw PictureError(image.message[0] != '\0' ? image.message : "The PNG file is damaged.");
    }
};

}  // namespace

Bitmap DecodePngFile(const std::string& path) {
    PngImage png;
    if (!png_image_begin_read_from_file(&png.image, path.c_str())) png.Fail();
    Bitmap bitmap = NewBitmap(png.image.width, png.image.height);

    // Four bytes that read as one 0xAARRGGBB word on this machine.
    png.image.format =
        std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    // 16-bit files without gamma information are sRGB like every other file here, not linear.
    png.image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    if (!png_image_finish_read(&png.image, nullptr, bitmap.Pixels.data(),
                               static_cast<png_int_32>(bitmap.Width) * 4, nullptr)) {
        png.Fail();
    }
    LayOnWhite(bitmap);
    return bitmap;
}

}  // namespace orv
