#pragma once
// One scratch file per fuzzing process, for readers that only take a path. It lives in the
// temporary folder (a RAM disk when there is one) and is removed when the process ends.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orv::fuzz {

class ScratchFile {
  public:
    explicit ScratchFile(const char* suffix) {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr ? dir : "/tmp") + "/orv-fuzz-XXXXXX" + suffix;
        const int fd = mkstemps(path_.data(), static_cast<int>(std::string(suffix).size()));
        if (fd < 0) std::abort();
        close(fd);
    }
    ~ScratchFile() { unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's bytes; returns its path.
    const std::string& Write(const uint8_t* data, size_t size) const {
        FILE* f = std::fopen(path_.c_str(), "wb");
        if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
            std::abort();
        }
        return path_;
    }

  private:
    std::string path_;
};

}  // namespace orv::fuzz
