// The registry the dialogs and the renderer go through: which decoder a file name selects, the
// dialog filter, the test load, and that nothing a file holds escapes as an exception.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "PictureDecoding.h"
#include "PictureFiles.h"
#include "PictureFormats.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::Quadrants;
using test::TempDir;

TEST(PictureFormats, TheExtensionInAnyCaseChoosesTheDecoder) {
    TempDir dir;
    const std::string jpeg = test::JpegBytes(Quadrants(16, 16));
    const PictureFormats& formats = StandardPictureFormats();
    for (const char* name : {"a.jpg", "b.JPG", "c.jpeg", "d.JpEg"}) {
        EXPECT_TRUE(formats.TestLoad(dir.Write(name, jpeg))) << name;
    }
    EXPECT_EQ(formats.ForFile("/x/photo.JPEG")->Description, "JPEG イメージファイル");
    EXPECT_EQ(formats.ForFile("/x/photo.png")->Description, "PNG Format");
    EXPECT_EQ(formats.Find(".bmp"), formats.Find("BMP"));
    EXPECT_EQ(formats.ForFile("/a.dir/no-extension"), nullptr);

    // The extension decides, not the content: a JPEG named .png is no PNG.
    EXPECT_FALSE(formats.TestLoad(dir.Write("jpeg.png", jpeg)));
    EXPECT_FALSE(formats.TestLoad(dir.Write("jpeg.unknown", jpeg)));
    // Qt's formats are there, ours are not replaced by them.
    ASSERT_NE(formats.Find("WEBP"), nullptr);
    ASSERT_NE(formats.Find("GIF"), nullptr);
    EXPECT_TRUE(formats.TestLoad(dir.Write("q.webp", test::QtImageBytes(Quadrants(4, 4), "webp"))));
}

TEST(PictureFormats, TheDialogFilterListsEveryRegisteredFormat) {
    const std::string filter = StandardPictureFormats().DialogFilter();
    EXPECT_EQ(filter.rfind("すべて (*.jpg *.jpeg *.png *.bmp ", 0), 0u) << filter;
    EXPECT_NE(filter.find(";;JPEG イメージファイル (*.jpg *.jpeg);;"), std::string::npos);
    EXPECT_NE(filter.find(";;PNG Format (*.png);;"), std::string::npos);
    EXPECT_NE(filter.find(";;WebP イメージファイル (*.webp)"), std::string::npos);
    EXPECT_NE(filter.find(";;TIFF イメージファイル (*.tif *.tiff)"), std::string::npos);
    const std::string all = filter.substr(0, filter.find(";;"));
    for (const PictureFormat& format : StandardPictureFormats().All()) {
        std::string pattern = "*.";
        for (char c : format.Extension) pattern += static_cast<char>(std::tolower(c));
        EXPECT_NE(all.find(pattern + " "), all.find(pattern + ")")) << pattern;
    }
}

TEST(PictureFormats, TestLoadTellsUsableFromUnusableFiles) {
    TempDir dir;
    const std::string good = test::JpegBytes(Quadrants(32, 32));
    EXPECT_TRUE(TestLoadPicture(dir.Write("good.jpg", good)));
    EXPECT_FALSE(TestLoadPicture(dir.Write("cut.jpg", good.substr(0, good.size() / 2))));
    EXPECT_FALSE(TestLoadPicture(dir.Write("empty.png", "")));
    EXPECT_FALSE(TestLoadPicture(dir.File("missing.bmp")));
    EXPECT_FALSE(TestLoadPicture(dir.Path()));  // a folder
    EXPECT_FALSE(TestLoadPicture(""));
}

TEST(PictureFormats, DecodersAddedAtStartUpAreUsedAndCannotThrowThrough) {
    TempDir dir;
    PictureFormats formats;
    formats.RegisterBuiltIn();
    Bitmap one;
    one.Width = one.Height = 1;
    one.Pixels = {0xFF123456};
    formats.Register({".xyz", "XYZ picture", [&](const std::string&) { return one; }});
    formats.Register(
        {"bad", "throws", [](const std::string&) -> Bitmap { throw std::bad_alloc(); }});
    formats.Register({"odd", "throws",
                      [](const std::string&) -> Bitmap { throw std::logic_error("unexpected"); }});
    const std::string file = dir.Write("a.XYZ", "anything");
    ASSERT_TRUE(formats.Decode(file));
    EXPECT_EQ(formats.Decode(file)->Pixels, one.Pixels);
    EXPECT_FALSE(formats.Decode(dir.Write("a.bad", "x")));
    EXPECT_FALSE(formats.Decode(dir.Write("a.odd", "x")));
    EXPECT_THROW(formats.DecodeOrThrow(dir.Write("a.bad", "x")), std::bad_alloc);
    EXPECT_THROW(formats.DecodeOrThrow(dir.Write("a.none", "x")), PictureError);

    // A later registration replaces the earlier one.
    formats.Register(
        {"XYZ", "XYZ again", [](const std::string&) -> Bitmap { throw PictureError("no"); }});
    EXPECT_FALSE(formats.Decode(file));
    EXPECT_EQ(formats.Find("xyz")->Description, "XYZ again");
}

TEST(PictureFormats, TheRenderersDecoderReturnsThePictureOrNothing) {
    TempDir dir;
    const RegistryPictureDecoder decoder;
    const PictureDecoder& asked = decoder;
    const auto picture =
        asked.Decode(dir.Write("p.png", test::QtImageBytes(Quadrants(4, 2), "png")));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width, 4);
    EXPECT_EQ(picture->At(3, 1), 0xFFFFFFFFu);
    EXPECT_FALSE(asked.Decode(dir.File("deleted-after-it-was-chosen.png")));
}

}  // namespace
}  // namespace orv
