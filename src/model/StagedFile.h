#pragma once
// A file written as a temporary beside its target and renamed onto it only when it is complete,
// so that a failed or cancelled write never leaves a partial file behind (and never destroys a
// file that was there before). The temporary has no name until it is complete where the file
// system allows; otherwise it is "NAME.orvtmp-XXXXXX", removed on SIGINT, SIGTERM and SIGHUP and,
// when a kill left it, by the next write of the same target.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/AtomicFile.h"

namespace orv {

class StagedFile {
  public:
    // Creates the temporary file beside the file that will be replaced (the end of the target's
    // symbolic links); IoError with the reason when it cannot, or when the file that is there
    // must not be written (no write permission bit, even for root; a device, a FIFO or a folder,
    // also through a symbolic link). A replaced file keeps its
    // permissions and owner; a new one gets 0666 less the umask.
    explicit StagedFile(std::string target);
    // Appends through `writeChunk` (when set) instead of the system's write; tests make writes
    // fail with it.
    StagedFile(std::string target, WriteChunkFunction writeChunk);
    // Discards the temporary file unless Commit succeeded.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Appends at the end of what was appended so far.
    void Append(const void* data, size_t size);
    // Writes at an absolute offset (the file grows as needed); the append position is unchanged.
    void WriteAt(uint64_t offset, const void* data, size_t size);
    // Flushes to disk and renames onto the target. IoError on failure; the temporary is gone then.
    void Commit();
    // Removes the temporary file; never throws. Nothing further may be written.
    void Discard() noexcept;

    const std::string& Target() const { return target_; }
    // The temporary's name; empty while it is unnamed.
    const std::string& TemporaryPath() const { return temporary_; }

  private:
    [[noreturn]] void Fail(int error);
    // Gives the unnamed temporary its name for the rename.
    void LinkUnnamed();

    std::string target_;
    std::string written_;  // the target with its symbolic links followed
    std::string temporary_;
    std::string prefix_;  // the temporary's path up to its random suffix
    int slot_ = -1;       // its entry in the table the signal handler removes
    int fd_ = -1;
    uint64_t appendOffset_ = 0;
    WriteChunkFunction writeChunk_;
    bool done_ = false;
};

}  // namespace orv
