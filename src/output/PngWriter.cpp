#include "PngWriter.h"

#include <png.h>
#include <zlib.h>

#include <bit>
#include <cerrno>
#include <csetjmp>
#include <vector>

#include "AtomicFile.h"
#include "Errors.h"
#include "StagedFile.h"

namespace orv {

static_assert(std::endian::native == std::endian::little,
              "rows are handed to libpng as B, G, R, filler bytes");

struct PngState {
    std::unique_ptr<StagedFile> file;
    png_structp png = nullptr;
    png_infop info = nullptr;
    int width = 0;
    int height = 0;
    int rowsWritten = 0;
    std::vector<uint8_t> pending;  // deflated bytes not yet on disk
    std::string error;             // why libpng stopped, for the exception

    ~PngState() {
        if (png != nullptr) png_destroy_write_struct(&png, &info);
    }
};

namespace {

constexpr size_t kFlushSize = 1 << 18;

using State = PngState;

void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<State*>(png_get_error_ptr(png));
    if (state->error.empty()) state->error = message;
    longjmp(png_jmpbuf(png), 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Moves the pending bytes to the file; false with the reason kept when that fails.
bool FlushPending(State& state) noexcept {
    try {
        state.file->Append(state.pending.data(), state.pending.size());
        state.pending.clear();
        return true;
    } catch (const std::exception& e) {
        state.error = e.what();
        return false;
    }
}

void OnWrite(png_structp png, png_bytep data, size_t size) {
    auto* state = static_cast<State*>(png_get_io_ptr(png));
    state->pending.insert(state->pending.end(), data, data + size);
    // Nothing with a destructor may be alive here when png_error jumps out.
    if (state->pending.size() >= kFlushSize && !FlushPending(*state)) png_error(png, "write");
}

void OnFlush(png_structp) {}

// The libpng calls, each behind its own setjmp; no C++ object lives in these frames.
bool WriteHeader(State& state) {
    if (setjmp(png_jmpbuf(state.png))) return false;
    png_set_write_fn(state.png, &state, OnWrite, OnFlush);
    png_set_IHDR(state.png, state.info, static_cast<png_uint_32>(state.width),
                 static_cast<png_uint_32>(state.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_filter(state.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(state.png, Z_DEFAULT_COMPRESSION);
    png_write_info(state.png, state.info);
    // The rows come as B, G, R and an unused byte per pixel.
    png_set_bgr(state.png);
    png_set_filler(state.png, 0, PNG_FILLER_AFTER);
    return true;
}

bool WriteRowsOf(State& state, const uint32_t* pixels, int rows, size_t stride) {
    if (setjmp(png_jmpbuf(state.png))) return false;
    for (int r = 0; r < rows; ++r) {
        png_write_row(state.png, reinterpret_cast<png_const_bytep>(pixels + stride * r));
    }
    return true;
}

bool WriteEnd(State& state) {
    if (setjmp(png_jmpbuf(state.png))) return false;
    png_write_end(state.png, nullptr);
    return true;
}

}  // namespace

PngWriter::PngWriter() = default;
PngWriter::~PngWriter() {
    Abort();
}

namespace {

[[noreturn]] void Fail(std::unique_ptr<State>& state, const std::string& target) {
    const std::string reason = state->error.empty() ? SystemErrorText(EIO) : state->error;
    if (state->file) state->file->Discard();
    state.reset();
    // A file error already names the file; libpng's own texts do not.
    throw IoError(reason.rfind(target, 0) == 0 ? reason : target + ": " + reason);
}

}  // namespace

void PngWriter::Begin(const std::string& path, int width, int height) {
    Abort();
    if (width < 1 || height < 1) throw IoError(path + ": " + SystemErrorText(EINVAL));
    auto state = std::make_unique<PngState>();
    state->width = width;
    state->height = height;
    state->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state.get(), OnError, OnWarning);
    if (state->png != nullptr) state->info = png_create_info_struct(state->png);
    if (state->info == nullptr) throw IoError(path + ": " + SystemErrorText(ENOMEM));
    state->file = std::make_unique<StagedFile>(path);
    state->pending.reserve(kFlushSize + 65536);
    if (!WriteHeader(*state)) Fail(state, path);
    state_ = std::move(state);
}

void PngWriter::WriteRows(const uint32_t* pixels, int rows, size_t stride) {
    if (!state_) throw IoError("PNG: " + SystemErrorText(EBADF));
    if (rows <= 0) return;
    const std::string& target = state_->file->Target();
    if (rows > state_->height - state_->rowsWritten) {
        state_->error = SystemErrorText(EOVERFLOW);
        Fail(state_, std::string(target));
    }
    if (!WriteRowsOf(*state_, pixels, rows, stride)) Fail(state_, std::string(target));
    state_->rowsWritten += rows;
}

void PngWriter::Finish() {
    if (!state_) throw IoError("PNG: " + SystemErrorText(EBADF));
    const std::string target = state_->file->Target();
    if (state_->rowsWritten != state_->height) {
        state_->error = SystemErrorText(ENODATA);
        Fail(state_, target);
    }
    if (!WriteEnd(*state_) || !FlushPending(*state_)) Fail(state_, target);
    try {
        state_->file->Commit();
    } catch (...) {
        state_.reset();
        throw;
    }
    state_.reset();
}

void PngWriter::Abort() noexcept {
    if (state_ && state_->file) state_->file->Discard();
    state_.reset();
}

}  // namespace orv
