#pragma once
// The registry of picture formats by file extension: what the illustration of a design can be.
// JPEG, PNG and bitmap files are decoded by our own decoders, every further format Qt reads is
// registered when first asked for (listing Qt's plug-ins costs milliseconds of every start). The open-picture dialogs build their filter from it, the renderer
// decodes through it (RegistryPictureDecoder) and the dialogs test a chosen file with TestLoad.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/Bitmap.h"
#include "render/RenderState.h"

namespace orv {

struct PictureFormat {
    std::string Extension;    // upper case, without the dot: "JPG"
    std::string Description;  // for dialog filters: "JPEG イメージファイル"
    // Decodes a file; throws PictureError (or std::bad_alloc) when it cannot.
    std::function<Bitmap(const std::string& path)> Decode;
};

class PictureFormats {
  public:
    // A later registration of an extension replaces the earlier one.
    void Register(PictureFormat format);
    // JPEG (".JPG", ".JPEG"), PNG and bitmap files through our own decoders.
    void RegisterBuiltIn();
    // Every format Qt reads whose extension is not registered yet.
    void RegisterQtFormats();
    // Qt's formats, registered the first time a look-up needs more than what is registered: an
    // extension not found, the whole list or the dialog filter.
    void RegisterQtFormatsWhenAsked();

    // The format for an extension given with or without its dot, in any case; null when none.
    const PictureFormat* Find(const std::string& extension) const;
    // The format a file name's extension selects; null when none.
    const PictureFormat* ForFile(const std::string& path) const;
    const std::vector<PictureFormat>& All() const;

    // A QFileDialog name filter: every registered extension first, then one entry per
    // description, e.g. "すべて (*.jpg *.jpeg *.png ...);;JPEG イメージファイル (*.jpg
    // *.jpeg);;...".
    std::string DialogFilter() const;

    // The picture in `path` by its extension; throws PictureError when it has none registered or
    // the file cannot be decoded.
    Bitmap DecodeOrThrow(const std::string& path) const;
    // The picture, or nothing when the file cannot be decoded for any reason.
    std::optional<Bitmap> Decode(const std::string& path) const noexcept;
    // Whether the file decodes: what the dialogs check before they warn
    // "この画像ファイルは対応できないフォーマットです。". The picture is not kept.
    bool TestLoad(const std::string& path) const noexcept;

  private:
    const PictureFormat* FindRegistered(const std::string& extension) const;
    void RegisterAsked() const;

    std::vector<PictureFormat> formats_;
    struct Pending;
    std::shared_ptr<Pending> pending_;  // Qt's formats not yet listed
};

// The registry of the running program: built-in formats, and Qt's from the first look-up that
// needs them (after the QGuiApplication exists, so that Qt's plug-ins are found).
const PictureFormats& StandardPictureFormats();

// The test load of the open-picture dialogs, over the program's registry.
bool TestLoadPicture(const std::string& path);

// The decoder the renderer asks (RenderState::Decoder), over a registry that outlives it.
class RegistryPictureDecoder : public PictureDecoder {
  public:
    explicit RegistryPictureDecoder(const PictureFormats& formats = StandardPictureFormats())
        : formats_(formats) {}
    std::optional<Bitmap> Decode(const std::string& path) const override {
        return formats_.Decode(path);
    }

  private:
    const PictureFormats& formats_;
};

}  // namespace orv
