#include "model/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/Errors.h"
#include "model/StagedFile.h"

namespace orv {

namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
    throw IoError(path + ": " + SystemErrorText(error));
}

}  // namespace

std::string SystemErrorText(int error) {
    char buffer[256];
    // GNU strerror_r returns the text, which may not be the buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const WriteChunkFunction& writeChunk) {
    StagedFile file(path, writeChunk);
    file.Append(bytes.data(), bytes.size());
    file.Commit();
}

std::string ReadWholeFile(const std::string& path, uint64_t maxBytes) {
    // Not blocking: opening a FIFO would otherwise wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) Fail(path, errno);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int error = errno;
        close(fd);
        Fail(path, error);
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        if (S_ISDIR(st.st_mode)) Fail(path, EISDIR);
        throw IoError(path + ": 通常のファイルではありません");
    }
    const auto tooLarge = [&] {
        close(fd);
        throw IoError(path + ": " + std::to_string(maxBytes >> 20) +
                      " MB を超えるファイルは読み込めません");
    };
    if (static_cast<uint64_t>(st.st_size) > maxBytes) tooLarge();
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    while (true) {
        // A file that grows while it is read stops at the limit too.
        if (bytes.size() > maxBytes) tooLarge();
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            close(fd);
            Fail(path, error);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return bytes;
}

}  // namespace orv
