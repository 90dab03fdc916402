#pragma once
// The rows of a truecolour PNG file as libpng decodes them, one at a time, so that even a print-
// size picture is read without holding it.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace orv::test {

// Calls `row` with each row's R, G, B bytes in turn; false when libpng refuses the file.
inline bool ReadPngRows(const std::string& path,
                        const std::function<void(const uint8_t* rgb, size_t bytes)>& row) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> bytes;
    bool read = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_info(png, info);
        bytes.resize(png_get_rowbytes(png, info));
        for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) {
            png_read_row(png, bytes.data(), nullptr);
            row(bytes.data(), bytes.size());
        }
        png_read_end(png, nullptr);
        read = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return read;
}

}  // namespace orv::test
