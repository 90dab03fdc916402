#include "output/PictureCache.h"

namespace orv {

std::optional<Bitmap> PictureCache::Decode(const std::string& path) const {
    std::shared_ptr<const Bitmap> picture = DecodeShared(path);
    if (!picture) return std::nullopt;
    return *picture;
}

std::shared_ptr<const Bitmap> PictureCache::DecodeShared(const std::string& path) const {
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(path, error);
    auto found = pictures_.find(path);
    if (found != pictures_.end() && found->second.modified == modified &&
        found->second.size == size) {
        return found->second.picture;
    }
    std::shared_ptr<const Bitmap> picture = inner_ != nullptr ? inner_->DecodeShared(path) : nullptr;
    pictures_[path] = Kept{modified, size, picture};
    return picture;
}

}  // namespace orv
