#include "model/StagedFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

#include "model/AtomicFile.h"
#include "model/Errors.h"

namespace orv {

namespace {

constexpr const char* kReadOnlyReason = "読み取り専用のファイルです";

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at, so that the link itself stays a link; a link
// whose end does not exist yet gives the path that it would create.
std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = readlink(current.c_str(), link.data(), link.size());
        if (n < 0) return current;
        link.resize(static_cast<size_t>(n));
        current = link.front() == '/' ? link : FolderOf(current) + "/" + link;
    }
    return current;
}

// A temporary name in `folder` that the file system accepts whatever the target's length:
// the target's name shortened (at a character boundary) to leave room for the suffix.
std::string TemporaryPattern(const std::string& folder, const std::string& name) {
    constexpr size_t kSuffix = 7;  // ".XXXXXX"
    long maxName = pathconf(folder.c_str(), _PC_NAME_MAX);
    if (maxName <= 0 || maxName > NAME_MAX) maxName = NAME_MAX;
    size_t keep = std::min(name.size(), static_cast<size_t>(maxName) - kSuffix);
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return folder + "/" + name.substr(0, keep) + ".XXXXXX";
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
    written_ = FollowLinks(target_);
    struct stat existing {};
    const bool replacing = stat(written_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    // The rename would replace a file whatever its permissions, and root may write any file:
    // the permission bits are what says a file is not to be changed.
    if (replacing && (existing.st_mode & 0222) == 0) {
        done_ = true;
        throw IoError(target_ + ": " + kReadOnlyReason);
    }
    if (replacing && eaccess(written_.c_str(), W_OK) != 0 && errno == EACCES) {
        done_ = true;
        throw IoError(target_ + ": " + SystemErrorText(EACCES));
    }
    temporary_ = TemporaryPattern(FolderOf(written_), NameOf(written_));
    fd_ = mkstemp(temporary_.data());
    if (fd_ < 0) {
        const int error = errno;
        temporary_.clear();
        done_ = true;
        throw IoError(target_ + ": " + SystemErrorText(error));
    }
    if (replacing) {
        // The file that replaces another keeps its owner and permissions.
        if (existing.st_uid != geteuid() || existing.st_gid != getegid()) {
            [[maybe_unused]] const int ignored = fchown(fd_, existing.st_uid, existing.st_gid);
        }
        fchmod(fd_, existing.st_mode & 07777);
    } else {
        // mkstemp makes 0600; a new file carries the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd_, 0666 & ~mask);
    }
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
    if (rename(temporary_.c_str(), written_.c_str()) != 0) Fail(errno);
    done_ = true;
    // Make the rename itself durable.
    const int dir = open(FolderOf(written_).c_str(), O_RDONLY | O_DIRECTORY);
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
