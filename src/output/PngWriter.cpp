#include "output/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "model/AtomicFile.h"
#include "model/Errors.h"
#include "model/StagedFile.h"
#include "output/Adler32.h"

namespace orv {

static_assert(std::endian::native == std::endian::little, "pixels are read as B, G, R, filler");

namespace {

constexpr size_t kWindowBytes = 32768;  // deflate's window: what primes the next stretch
constexpr size_t kChunkBytes = 8192;    // IDAT chunks as libpng cuts them
constexpr size_t kScratchBytes = 1 << 17;

// One stretch of the filtered rows (a 0 byte before each row of R, G, B), deflated on its own:
// primed with the 32 KB before it, so it compresses as if the stream had run on, and ended with a
// sync flush (the last one with the stream's end) so the pieces join into one zlib stream.
// Filtered rows, left uninitialised until written: a band's worth passes through every export.
struct RowBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;

    explicit RowBytes(size_t capacity = 0)
        : data(capacity > 0 ? std::make_unique_for_overwrite<uint8_t[]>(capacity) : nullptr) {}
};

struct Stretch {
    RowBytes raw;
    size_t rawSize = 0;
    std::vector<uint8_t> dictionary;
    bool last = false;
    std::vector<uint8_t> deflated;
    uLong adler = 0;
    bool done = false;
    bool failed = false;
};

// `scratch` is the worker's own output buffer: pages of a buffer the size of the input, fresh for
// every stretch, cost more than deflating the mostly white rows.
void Deflate(z_stream& stream, Stretch& stretch, std::vector<uint8_t>& scratch) {
    stretch.adler = Adler32(1, stretch.raw.data.get(), stretch.raw.size);
    if (deflateReset(&stream) != Z_OK) {
        stretch.failed = true;
        return;
    }
    if (!stretch.dictionary.empty() &&
        deflateSetDictionary(&stream, stretch.dictionary.data(),
                             static_cast<uInt>(stretch.dictionary.size())) != Z_OK) {
        stretch.failed = true;
        return;
    }
    const int flush = stretch.last ? Z_FINISH : Z_SYNC_FLUSH;
    stream.next_in = stretch.raw.data.get();
    stream.avail_in = static_cast<uInt>(stretch.raw.size);
    int rc = Z_OK;
    do {
        stream.next_out = scratch.data();
        stream.avail_out = static_cast<uInt>(scratch.size());
        rc = deflate(&stream, flush);
        if (rc == Z_STREAM_ERROR) break;
        stretch.deflated.insert(stretch.deflated.end(), scratch.data(),
                                scratch.data() + (scratch.size() - stream.avail_out));
    } while (stream.avail_out == 0);
    if (rc != (stretch.last ? Z_STREAM_END : Z_OK) || stream.avail_in != 0) {
        stretch.failed = true;
    }
}

uint32_t Crc(const uint8_t* data, size_t size, uint32_t crc) {
    return static_cast<uint32_t>(crc32(crc, data, static_cast<uInt>(size)));
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    const uint8_t bytes[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    out.insert(out.end(), bytes, bytes + 4);
}

// R, G, B of each pixel.
void PixelsToRgb(const uint32_t* in, size_t width, uint8_t* out) {
    // 0xFFRRGGBB byte-swapped and shifted is R, G, B, 0 in memory: four bytes stored, three kept.
    for (size_t x = 0; x + 1 < width; ++x) {
        const uint32_t rgb = __builtin_bswap32(in[x]) >> 8;
        std::memcpy(out, &rgb, 4);
        out += 3;
    }
    const uint32_t last = in[width - 1];
    out[0] = static_cast<uint8_t>(last >> 16);
    out[1] = static_cast<uint8_t>(last >> 8);
    out[2] = static_cast<uint8_t>(last);
}

// A row as the file holds it: filter byte 0, then R, G, B of each pixel.
void FilteredRowPlain(const uint32_t* in, size_t width, uint8_t* out) {
    out[0] = 0;
    PixelsToRgb(in, width, out + 1);
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels a step: 16 bytes stored, 12 kept, as long as the row has room for the other 4.
__attribute__((target("ssse3"))) void FilteredRowSsse3(const uint32_t* in, size_t width,
                                                       uint8_t* out) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    size_t x = 0;
    for (; x + 6 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 1 + 3 * x),
                         _mm_shuffle_epi8(pixels, order));
    }
    out[0] = 0;
    PixelsToRgb(in + x, width - x, out + 1 + 3 * x);
}

void FilteredRow(const uint32_t* in, size_t width, uint8_t* out) {
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) {
        FilteredRowSsse3(in, width, out);
    } else {
        FilteredRowPlain(in, width, out);
    }
}
#else
void FilteredRow(const uint32_t* in, size_t width, uint8_t* out) {
    FilteredRowPlain(in, width, out);
}
#endif

void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, size_t size) {
    PutBe32(out, static_cast<uint32_t>(size));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) out.insert(out.end(), data, data + size);
    PutBe32(out, Crc(out.data() + start, out.size() - start, 0));
}

}  // namespace

// Workers deflate the stretches while the caller draws and converts the next rows; the caller
// writes the finished ones in order.
struct PngState {
    std::unique_ptr<StagedFile> file;
    int width = 0;
    int height = 0;
    int rowsWritten = 0;
    size_t stretchRows = 1;
    RowBytes raw;                  // the stretch being filled
    std::vector<uint8_t> window;   // the last 32 KB of filtered rows handed on
    uLong adler = 1;               // of all filtered rows written so far
    std::vector<uint8_t> idat;     // deflated bytes not yet cut into chunks
    std::vector<uint8_t> pending;  // chunk bytes not yet on disk

    std::mutex mutex;
    std::condition_variable workToDo;
    std::condition_variable workDone;
    std::deque<std::unique_ptr<Stretch>> stretches;  // in file order, finished or not
    std::vector<RowBytes> spare;  // row buffers deflated, for the next stretches: fresh pages cost
    size_t nextToStart = 0;       // index into stretches
    size_t inFlight = 0;          // bytes of rows in stretches
    bool stopping = false;
    std::vector<std::thread> workers;

    ~PngState() {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        workToDo.notify_all();
        for (std::thread& worker : workers) worker.join();
    }

    void Work() {
        z_stream stream{};
        std::vector<uint8_t> scratch(kScratchBytes);
        const bool ready = deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8,
                                        Z_DEFAULT_STRATEGY) == Z_OK;
        std::unique_lock lock(mutex);
        while (true) {
            workToDo.wait(lock, [&] { return stopping || nextToStart < stretches.size(); });
            if (stopping) break;
            Stretch& stretch = *stretches[nextToStart++];
            lock.unlock();
            if (ready) {
                Deflate(stream, stretch, scratch);
            } else {
                stretch.failed = true;
            }
            lock.lock();
            spare.push_back(std::move(stretch.raw));
            stretch.done = true;
            workDone.notify_all();
        }
        if (ready) deflateEnd(&stream);
    }
};

namespace {

using State = PngState;

constexpr size_t kFlushSize = 1 << 18;
// Rows may wait for the workers up to about a band's worth, so that the next band is drawn while
// this one is deflated.
constexpr size_t kInFlightBytes = size_t{48} << 20;

int WorkerCount() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

// Hands the filled stretch to the workers.
void Submit(State& state, bool last) {
    auto stretch = std::make_unique<Stretch>();
    stretch->dictionary = state.window;
    stretch->last = last;
    // The window moves on by the stretch's bytes.
    const uint8_t* const begin = state.raw.data.get();
    const uint8_t* const end = begin + state.raw.size;
    if (state.raw.size >= kWindowBytes) {
        state.window.assign(end - kWindowBytes, end);
    } else {
        state.window.insert(state.window.end(), begin, end);
        if (state.window.size() > kWindowBytes) {
            state.window.erase(state.window.begin(),
                               state.window.end() - static_cast<std::ptrdiff_t>(kWindowBytes));
        }
    }
    stretch->rawSize = state.raw.size;
    stretch->raw = std::move(state.raw);
    {
        std::lock_guard lock(state.mutex);
        state.inFlight += stretch->rawSize;
        state.stretches.push_back(std::move(stretch));
        if (!last && !state.spare.empty()) {
            state.raw = std::move(state.spare.back());
            state.spare.pop_back();
            state.raw.size = 0;
        }
    }
    if (!last && !state.raw.data) {
        state.raw = RowBytes(state.stretchRows * (1 + 3 * static_cast<size_t>(state.width)));
    }
    state.workToDo.notify_one();
}

void Flush(State& state) {
    state.file->Append(state.pending.data(), state.pending.size());
    state.pending.clear();
}

// Cuts the deflated bytes into IDAT chunks; with `all`, the short rest too.
void EmitChunks(State& state, bool all) {
    size_t at = 0;
    while (state.idat.size() - at >= kChunkBytes || (all && at < state.idat.size())) {
        const size_t size = std::min(kChunkBytes, state.idat.size() - at);
        PutChunk(state.pending, "IDAT", state.idat.data() + at, size);
        at += size;
    }
    state.idat.erase(state.idat.begin(), state.idat.begin() + static_cast<std::ptrdiff_t>(at));
    if (state.pending.size() >= kFlushSize) Flush(state);
}

// Takes the finished stretches at the front into the file; waits while more than `keep` bytes of
// rows are still in the workers' hands (so memory stays bounded) or, with 0, until all are done.
void Collect(State& state, size_t keep) {
    while (true) {
        std::unique_ptr<Stretch> front;
        {
            std::unique_lock lock(state.mutex);
            if (state.stretches.empty()) return;
            if (state.inFlight > keep) {
                state.workDone.wait(lock, [&] { return state.stretches.front()->done; });
            } else if (!state.stretches.front()->done) {
                return;
            }
            front = std::move(state.stretches.front());
            state.stretches.pop_front();
            --state.nextToStart;
            state.inFlight -= front->rawSize;
        }
        if (front->failed) throw IoError(SystemErrorText(ENOMEM));
        state.adler = adler32_combine(state.adler, front->adler, front->rawSize);
        state.idat.insert(state.idat.end(), front->deflated.begin(), front->deflated.end());
        EmitChunks(state, false);
    }
}

}  // namespace

PngWriter::PngWriter(size_t stretchBytes) : stretchBytes_(std::max<size_t>(stretchBytes, 1)) {}

PngWriter::~PngWriter() {
    Abort();
}

namespace {

[[noreturn]] void Fail(std::unique_ptr<State>& state, const std::string& target,
                       const std::string& reason) {
    if (state->file) state->file->Discard();
    state.reset();
    // A file error already names the file.
    throw IoError(reason.rfind(target, 0) == 0 ? reason : target + ": " + reason);
}

}  // namespace

void PngWriter::Begin(const std::string& path, int width, int height) {
    Abort();
    if (width < 1 || height < 1) throw IoError(path + ": " + SystemErrorText(EINVAL));
    auto state = std::make_unique<PngState>();
    state->width = width;
    state->height = height;
    const size_t rowBytes = 1 + 3 * static_cast<size_t>(width);
    state->stretchRows =
        std::clamp<size_t>(stretchBytes_ / rowBytes, 1, static_cast<size_t>(height));
    state->file = std::make_unique<StagedFile>(path);
    try {
        state->raw = RowBytes(state->stretchRows * rowBytes);
        static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        state->pending.assign(kSignature, kSignature + 8);
        std::vector<uint8_t> header;
        PutBe32(header, static_cast<uint32_t>(width));
        PutBe32(header, static_cast<uint32_t>(height));
        // 8 bits, truecolour, deflate, adaptive filtering (each row's filter byte), no interlace.
        header.insert(header.end(), {8, 2, 0, 0, 0});
        PutChunk(state->pending, "IHDR", header.data(), header.size());
        if (dpi_ > 0) {
            // Pixels per metre across and down, the metre as the unit.
            const auto perMetre = static_cast<uint32_t>(std::lround(dpi_ / 0.0254));
            std::vector<uint8_t> physical;
            PutBe32(physical, perMetre);
            PutBe32(physical, perMetre);
            physical.push_back(1);
            PutChunk(state->pending, "pHYs", physical.data(), physical.size());
        }
        // The zlib stream's header: deflate with a 32 KB window at the default level.
        state->idat = {0x78, 0x9C};
        for (int i = 0; i < WorkerCount(); ++i) {
            state->workers.emplace_back([s = state.get()] { s->Work(); });
        }
    } catch (const std::bad_alloc&) {
        Fail(state, path, SystemErrorText(ENOMEM));
    } catch (const std::system_error& e) {
        Fail(state, path, e.what());
    }
    state_ = std::move(state);
}

void PngWriter::WriteRows(const uint32_t* pixels, int rows, size_t stride) {
    if (!state_) throw IoError("PNG: " + SystemErrorText(EBADF));
    if (rows <= 0) return;
    const std::string target = state_->file->Target();
    if (rows > state_->height - state_->rowsWritten)
        Fail(state_, target, SystemErrorText(EOVERFLOW));
    State& state = *state_;
    const size_t width = static_cast<size_t>(state.width);
    const size_t rowBytes = 1 + 3 * width;
    try {
        for (int r = 0; r < rows; ++r) {
            FilteredRow(pixels + stride * static_cast<size_t>(r), width,
                        state.raw.data.get() + state.raw.size);
            state.raw.size += rowBytes;
            ++state.rowsWritten;
            const bool last = state.rowsWritten == state.height;
            if (state.raw.size / rowBytes >= state.stretchRows || last) {
                Submit(state, last);
                Collect(state, std::max(kInFlightBytes, 2 * state.workers.size() * stretchBytes_));
            }
        }
    } catch (const IoError& e) {
        Fail(state_, target, e.what());
    } catch (const std::bad_alloc&) {
        Fail(state_, target, SystemErrorText(ENOMEM));
    }
}

void PngWriter::Finish() {
    if (!state_) throw IoError("PNG: " + SystemErrorText(EBADF));
    const std::string target = state_->file->Target();
    if (state_->rowsWritten != state_->height) Fail(state_, target, SystemErrorText(ENODATA));
    State& state = *state_;
    try {
        Collect(state, 0);
        PutBe32(state.idat, static_cast<uint32_t>(state.adler));
        EmitChunks(state, true);
        PutChunk(state.pending, "IEND", nullptr, 0);
        Flush(state);
        state.file->Commit();
    } catch (const IoError& e) {
        Fail(state_, target, e.what());
    } catch (const std::bad_alloc&) {
        Fail(state_, target, SystemErrorText(ENOMEM));
    }
    state_.reset();
}

std::future<void> PngWriter::FinishInBackground() {
    return std::async(std::launch::async, [this] { Finish(); });
}

void PngWriter::Abort() noexcept {
    if (state_ && state_->file) state_->file->Discard();
    state_.reset();
}

}  // namespace orv
