#include "model/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

namespace {

// What a path that is no regular file names, for a message.
std::string NodeReason(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return SystemErrorText(EISDIR);
    const char* kind = S_ISFIFO(st.st_mode)                         ? "（FIFO）"
                       : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "（デバイス）"
                       : S_ISSOCK(st.st_mode)                       ? "（ソケット）"
                                                                    : "";
    return std::string("通常のファイルではありません") + kind;
}

}  // namespace

std::string NotRegularFileReason(const std::string& path) {
    struct stat st {};
    if (path.empty()) return SystemErrorText(ENOENT);
    if (stat(path.c_str(), &st) != 0) return SystemErrorText(errno);
    return S_ISREG(st.st_mode) ? std::string() : NodeReason(st);
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
        throw IoError(path + ": " + NodeReason(st));
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
