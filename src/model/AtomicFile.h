#pragma once
// Whole-file reads and writes. A write never destroys what was there: the bytes go to a temporary
// file in the same folder, are flushed to disk, and only then replace the target.
#include <sys/types.h>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

// Writes some bytes to a file descriptor as ::write does (returns the count or -1 with errno).
using WriteChunkFunction = std::function<ssize_t(int fd, const char* data, size_t size)>;

// Replaces `path` with `bytes` atomically. On failure the previous file is untouched, the temporary
// file is removed, and IoError carries the operating system's reason. `writeChunk` exists so that
// tests can make a write fail half-way.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const WriteChunkFunction& writeChunk = {});

// Reads a whole file; IoError with the reason when it cannot, when the path names something
// other than a regular file (a folder, a FIFO, a device), or when the file holds more than
// `maxBytes`. Nothing beyond that is read.
std::string ReadWholeFile(const std::string& path, uint64_t maxBytes = UINT64_MAX);

bool FileExists(const std::string& path);

// Why `path` is not a file to read: empty for a regular file, the system's reason when nothing
// can be found there, else what it is (a folder, a FIFO, a device).
std::string NotRegularFileReason(const std::string& path);

// "reason" text for errno, e.g. "No such file or directory".
std::string SystemErrorText(int error);

}  // namespace orv
