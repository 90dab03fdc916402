#include "model/StagedFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <random>

#include "model/AtomicFile.h"
#include "model/Errors.h"

namespace orv {

namespace {

constexpr const char* kReadOnlyReason = "読み取り専用のファイルです";
constexpr const char* kNotRegularReason = "通常のファイルではありません";

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

// A temporary of ours is "NAME.orvtmp-XXXXXX" beside its target, so that one an earlier run left
// (killed before it could remove it) is recognised and removed by the next write of that target.
constexpr const char* kTemporaryMark = ".orvtmp-";
constexpr size_t kRandomLength = 6;

// The name that temporaries of `name` in `folder` start with, whatever the target's length: the
// target's name shortened (at a character boundary) to leave room for the mark and the suffix.
std::string TemporaryPrefix(const std::string& folder, const std::string& name) {
    const size_t suffix = std::strlen(kTemporaryMark) + kRandomLength;
    long maxName = pathconf(folder.c_str(), _PC_NAME_MAX);
    if (maxName <= 0 || maxName > NAME_MAX) maxName = NAME_MAX;
    size_t keep = std::min(name.size(), static_cast<size_t>(maxName) - suffix);
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return name.substr(0, keep) + kTemporaryMark;
}

// The named temporaries of this process, for the signal handler to remove: a fixed table that
// the handler may read without locks or allocation.
constexpr int kSlots = 16;
std::atomic<int> slotState[kSlots];  // 0 free, 1 being filled, 2 holds a path
char slotPath[kSlots][PATH_MAX];

int Register(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = 0;
        if (!slotState[i].compare_exchange_strong(expected, 1)) continue;
        std::memcpy(slotPath[i], path.c_str(), path.size() + 1);
        slotState[i].store(2);
        return i;
    }
    return -1;
}

void Unregister(int slot) {
    if (slot >= 0) slotState[slot].store(0);
}

extern "C" void RemoveTemporariesAndDie(int signal) {
    for (int i = 0; i < kSlots; ++i) {
        if (slotState[i].load() == 2) unlink(slotPath[i]);
    }
    ::signal(signal, SIG_DFL);
    raise(signal);
}

// Interrupted (Ctrl+C, kill, a closed terminal), a program removes its temporaries before it
// ends; signals that a program handles itself are left to it.
void RemoveTemporariesOnSignals() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction current {};
            if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = RemoveTemporariesAndDie;
            sigemptyset(&action.sa_mask);
            sigaction(signal, &action, nullptr);
        }
    });
}

// Removes temporaries of `prefix` in `folder` that no running write holds (each holds a lock on
// its own while it lives).
void RemoveStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + kRandomLength || !name.starts_with(prefix)) continue;
        const std::string path = folder + "/" + std::string(name);
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlink(path.c_str());
        }
        close(fd);
    }
    closedir(dir);
}

std::string RandomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random(std::random_device{}());
    std::string suffix(kRandomLength, 'a');
    for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
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
    if (stat(written_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        // Renaming onto a device or a FIFO would replace the node itself.
        done_ = true;
        throw IoError(target_ + ": " +
                      (S_ISDIR(existing.st_mode) ? SystemErrorText(EISDIR) : kNotRegularReason));
    }
    const std::string folder = FolderOf(written_);
    prefix_ = folder + "/" + TemporaryPrefix(folder, NameOf(written_));
    RemoveTemporariesOnSignals();
    RemoveStaleTemporaries(folder, NameOf(prefix_));
    // Unnamed until it is complete, where the file system can: nothing is left behind by a kill.
    fd_ = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        temporary_ = prefix_ + "XXXXXX";
        fd_ = mkstemp(temporary_.data());
        if (fd_ < 0) {
            const int error = errno;
            temporary_.clear();
            done_ = true;
            throw IoError(target_ + ": " + SystemErrorText(error));
        }
        slot_ = Register(temporary_);
    }
    flock(fd_, LOCK_EX | LOCK_NB);
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
    if (temporary_.empty()) LinkUnnamed();
    const int rc = close(fd_);
    fd_ = -1;
    if (rc != 0) Fail(errno);
    if (rename(temporary_.c_str(), written_.c_str()) != 0) Fail(errno);
    done_ = true;
    Unregister(slot_);
    slot_ = -1;
    // Make the rename itself durable.
    const int dir = open(FolderOf(written_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

void StagedFile::LinkUnnamed() {
    // A name for the rename, beside the target; taken names are tried again.
    const std::string fdPath = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix_ + RandomSuffix();
        slot_ = Register(name);
        if (linkat(AT_FDCWD, fdPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = std::move(name);
            return;
        }
        const int error = errno;
        Unregister(slot_);
        slot_ = -1;
        if (error != EEXIST) Fail(error);
    }
    Fail(EEXIST);
}

void StagedFile::Discard() noexcept {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!done_ && !temporary_.empty()) unlink(temporary_.c_str());
    Unregister(slot_);
    slot_ = -1;
    done_ = true;
}

}  // namespace orv
