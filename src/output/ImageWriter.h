#pragma once
// Writers of exported pictures that take the picture band by band, top row first, so that the
// whole picture never has to be in memory. A writer stages its file under a temporary name and
// renames it onto the target only in Finish: an export that fails or is cancelled leaves no file.
#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <string>

namespace orv {

class ImageWriter {
  public:
    // Discards an unfinished file.
    virtual ~ImageWriter() = default;

    // The resolution the picture was drawn at, for formats that record it (0: none); before Begin.
    virtual void SetResolution(int /*dpi*/) {}
    // Starts the file `path` for a picture of width × height pixels (both at least 1).
    // IoError with the operating system's reason when it cannot be created.
    virtual void Begin(const std::string& path, int width, int height) = 0;
    // The next `rows` rows: pixels are 0xFFRRGGBB words (the layout of an RGB32 image, the same as
    // Bitmap), `stride` words apart from one row to the next. IoError on a write error.
    virtual void WriteRows(const uint32_t* pixels, int rows, size_t stride) = 0;
    // Completes the file and puts it in place; every row must have been written. IoError on
    // failure, with no file left behind.
    virtual void Finish() = 0;
    // Finish, done on a thread of its own where the writer has one to spare, so that the caller
    // can draw the next picture meanwhile; the future's get() gives what Finish would throw. The
    // writer must live until then.
    virtual std::future<void> FinishInBackground();
    // Drops the unfinished file; never throws.
    virtual void Abort() noexcept = 0;
};

enum class ImageFileFormat { Png, Bmp, Jpeg, Unsupported };

// The format of an export from the file name's extension, in any case: ".PNG", ".BMP", ".JPG"
// and ".JPEG".
ImageFileFormat ImageFormatOfFileName(const std::string& path);

// A writer for the format; nullptr for Unsupported.
std::unique_ptr<ImageWriter> MakeImageWriter(ImageFileFormat format);

}  // namespace orv
