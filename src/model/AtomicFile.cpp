#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Errors.h"

namespace orv {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& path, int error) {
    throw IoError(path + ": " + SystemErrorText(error));
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : path_(target + ".XXXXXX") {
        fd_ = mkstemp(path_.data());
        if (fd_ < 0) Fail(target, errno);
    }
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!kept_) unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    int Close() {
        const int rc = close(fd_);
        fd_ = -1;
        return rc;
    }
    void Keep() { kept_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

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
    TemporaryFile temp(path);
    // mkstemp makes 0600; a saved design should carry the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(temp.Fd(), 0666 & ~mask);

    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = writeChunk ? writeChunk(temp.Fd(), bytes.data() + written, bytes.size() - written)
                                     : write(temp.Fd(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        if (n == 0) Fail(path, EIO);
        written += static_cast<size_t>(n);
    }
    if (fsync(temp.Fd()) != 0) Fail(path, errno);
    if (temp.Close() != 0) Fail(path, errno);
    if (rename(temp.Path().c_str(), path.c_str()) != 0) Fail(path, errno);
    temp.Keep();
    // Make the rename itself durable.
    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

std::string ReadWholeFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) Fail(path, errno);
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        close(fd);
        Fail(path, error);
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    while (true) {
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
