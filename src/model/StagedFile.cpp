#include "StagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "AtomicFile.h"
#include "Errors.h"

namespace orv {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Hands the bytes to `write` (a write(2)-like call) until all are taken; 0, or the errno of the
// failure.
template <class Write>
int WriteFully(const void* data, size_t size, Write write) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(bytes, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

StagedFile::StagedFile(std::string target) : target_(std::move(target)) {
    temporary_ = target_ + ".XXXXXX";
    fd_ = mkstemp(temporary_.data());
    if (fd_ < 0) {
        const int error = errno;
        temporary_.clear();
        done_ = true;
        throw IoError(target_ + ": " + SystemErrorText(error));
    }
    // mkstemp makes 0600; an exported picture should carry the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
}

StagedFile::StagedFile(std::string target, WriteChunkFunction writeChunk)
    : StagedFile(std::move(target)) {
    writeChunk_ = std::move(writeChunk);
}

StagedFile::~StagedFile() {
    Discard();
}

void StagedFile::Fail(int error) {
    Discard();
    throw IoError(target_ + ": " + SystemErrorText(error));
}

void StagedFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (done_) throw IoError(target_ + ": " + SystemErrorText(EBADF));
    const int error = WriteFully(data, size, [&](const char* bytes, size_t left) {
        const ssize_t n = pwrite(fd_, bytes, left, static_cast<off_t>(offset));
        if (n > 0) offset += static_cast<uint64_t>(n);
        return n;
    });
    if (error != 0) Fail(error);
}

void StagedFile::Append(const void* data, size_t size) {
    if (!writeChunk_) {
        WriteAt(appendOffset_, data, size);
        appendOffset_ += size;
        return;
    }
    if (done_) throw IoError(target_ + ": " + SystemErrorText(EBADF));
    const int error = WriteFully(data, size, [&](const char* bytes, size_t left) {
        const ssize_t n = writeChunk_(fd_, bytes, left);
        if (n > 0) appendOffset_ += static_cast<uint64_t>(n);
        return n;
    });
    if (error != 0) Fail(error);
}

void StagedFile::Commit() {
    if (done_) throw IoError(target_ + ": " + SystemErrorText(EBADF));
    if (fsync(fd_) != 0) Fail(errno);
    const int rc = close(fd_);
    fd_ = -1;
    if (rc != 0) Fail(errno);
    if (rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
    done_ = true;
    // Make the rename itself durable.
    const int dir = open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

void StagedFile::Discard() noexcept {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!done_ && !temporary_.empty()) unlink(temporary_.c_str());
    done_ = true;
}

}  // namespace orv
