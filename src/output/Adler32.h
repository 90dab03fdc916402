#pragma once
// Adler-32 as zlib computes it, several times faster where the processor has SSSE3: the PNG
// writer checksums every filtered byte of an export, hundreds of megabytes at print sizes.
#include <cstddef>
#include <cstdint>

namespace orv {

// `adler` is the checksum of the bytes before these (1 for none).
uint32_t Adler32(uint32_t adler, const uint8_t* data, size_t size);

}  // namespace orv
