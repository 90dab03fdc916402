#pragma once
// Keeps decoded pictures by file, so that a picture drawn many times (every entry of an
// imposition, every repaint, every band of an export) is decoded once. A file that has changed
// on disk since it was decoded is decoded again; Clear() forgets everything.
#include <filesystem>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "render/RenderState.h"

namespace orv {

class PictureCache : public PictureDecoder {
  public:
    // `inner` decodes what is not kept yet; with none, nothing decodes.
    explicit PictureCache(const PictureDecoder* inner) : inner_(inner) {}

    std::optional<Bitmap> Decode(const std::string& path) const override;
    std::shared_ptr<const Bitmap> DecodeShared(const std::string& path) const override;
    void Clear() { pictures_.clear(); }

  private:
    struct Kept {
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        std::shared_ptr<const Bitmap> picture;  // null: the file did not decode
    };
    const PictureDecoder* inner_;
    mutable std::map<std::string, Kept> pictures_;
};

}  // namespace orv
