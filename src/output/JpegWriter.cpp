#include "output/JpegWriter.h"

#include <cerrno>
#include <cstdio>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "model/Errors.h"
#include "model/StagedFile.h"

namespace orv {

namespace {

[[noreturn]] void ThrowJpegError(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    throw IoError(text);
}

constexpr size_t kBufferBytes = size_t{1} << 16;

}  // namespace

// The compressor writes into a buffer that goes to the staged file whenever it fills.
struct JpegState {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::unique_ptr<StagedFile> file;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kBufferBytes);
    std::vector<JSAMPLE> row;
    int height = 0;
    int rowsWritten = 0;

    JpegState() {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = ThrowJpegError;
        jpeg_create_compress(&info);
        info.client_data = this;
        destination.init_destination = [](j_compress_ptr c) { Self(c).Reset(); };
        destination.empty_output_buffer = [](j_compress_ptr c) -> boolean {
            JpegState& s = Self(c);
            s.file->Append(s.buffer.data(), s.buffer.size());
            s.Reset();
            return TRUE;
        };
        destination.term_destination = [](j_compress_ptr c) {
            JpegState& s = Self(c);
            s.file->Append(s.buffer.data(), s.buffer.size() - s.destination.free_in_buffer);
        };
        info.dest = &destination;
    }
    ~JpegState() { jpeg_destroy_compress(&info); }
    JpegState(const JpegState&) = delete;
    JpegState& operator=(const JpegState&) = delete;

    static JpegState& Self(j_compress_ptr c) { return *static_cast<JpegState*>(c->client_data); }
    void Reset() {
        destination.next_output_byte = buffer.data();
        destination.free_in_buffer = buffer.size();
    }
};

JpegWriter::JpegWriter() = default;
JpegWriter::~JpegWriter() {
    Abort();
}

void JpegWriter::Begin(const std::string& path, int width, int height) {
    Abort();
    if (width < 1 || height < 1) throw IoError(path + ": " + SystemErrorText(EINVAL));
    if (width > kMostPixels || height > kMostPixels) {
        throw IoError(path + ": JPEG の画像は縦横とも " + std::to_string(kMostPixels) +
                      " ピクセルまでです（" + std::to_string(width) + " x " +
                      std::to_string(height) + " ピクセル）。PNG で保存してください。");
    }
    auto state = std::make_unique<JpegState>();
    state->file = std::make_unique<StagedFile>(path);
    state->height = height;
    state->row.resize(static_cast<size_t>(width) * 3);
    jpeg_compress_struct& info = state->info;
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    try {
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, kQuality, TRUE);
        for (int c = 0; c < 3; ++c) {
            info.comp_info[c].h_samp_factor = 1;
            info.comp_info[c].v_samp_factor = 1;
        }
        info.write_JFIF_header = TRUE;
        if (dpi_ > 0 && dpi_ <= 65535) {
            info.density_unit = 1;  // dots per inch
            info.X_density = static_cast<UINT16>(dpi_);
            info.Y_density = static_cast<UINT16>(dpi_);
        }
        jpeg_start_compress(&info, TRUE);
    } catch (...) {
        state->file->Discard();
        throw;
    }
    state_ = std::move(state);
}

void JpegWriter::WriteRows(const uint32_t* pixels, int rows, size_t stride) {
    if (!state_) throw IoError("JPEG: " + SystemErrorText(EBADF));
    if (rows > state_->height - state_->rowsWritten) {
        const std::string target = state_->file->Target();
        Abort();
        throw IoError(target + ": " + SystemErrorText(EOVERFLOW));
    }
    try {
        const size_t width = state_->row.size() / 3;
        for (int r = 0; r < rows; ++r) {
            const uint32_t* source = pixels + stride * static_cast<size_t>(r);
            JSAMPLE* out = state_->row.data();
            for (size_t x = 0; x < width; ++x) {
                out[0] = static_cast<JSAMPLE>(source[x] >> 16);
                out[1] = static_cast<JSAMPLE>(source[x] >> 8);
                out[2] = static_cast<JSAMPLE>(source[x]);
                out += 3;
            }
            JSAMPROW row = state_->row.data();
            jpeg_write_scanlines(&state_->info, &row, 1);
        }
    } catch (...) {
        Abort();
        throw;
    }
    state_->rowsWritten += rows;
}

void JpegWriter::Finish() {
    if (!state_) throw IoError("JPEG: " + SystemErrorText(EBADF));
    if (state_->rowsWritten != state_->height) {
        const std::string target = state_->file->Target();
        Abort();
        throw IoError(target + ": " + SystemErrorText(ENODATA));
    }
    try {
        jpeg_finish_compress(&state_->info);
        state_->file->Commit();
    } catch (...) {
        Abort();
        throw;
    }
    state_.reset();
}

void JpegWriter::Abort() noexcept {
    if (state_ && state_->file) state_->file->Discard();
    state_.reset();
}

}  // namespace orv
