// The registry the dialogs and the renderer go through: which decoder a file name selects, the
// dialog filter, the test load, and that nothing a file holds escapes as an exception.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <random>
#include <stdexcept>

#include "PictureFiles.h"
#include "output/PictureDecoding.h"
#include "output/PictureFormats.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::Quadrants;

TEST(PictureFormats, TheExtensionInAnyCaseChoosesTheDecoder) {
    test::TempDir dir;
    const std::string jpeg = test::JpegBytes(Quadrants(16, 16));
    const PictureFormats& formats = StandardPictureFormats();
    for (const char* name : {"a.jpg", "b.JPG", "c.jpeg", "d.JpEg"}) {
        EXPECT_TRUE(formats.TestLoad(dir.Write(name, jpeg))) << name;
    }
    EXPECT_EQ(formats.ForFile("/x/photo.JPEG")->Description, "JPEG イメージファイル");
    EXPECT_EQ(formats.ForFile("/x/photo.png")->Description, "PNG Format");
    EXPECT_EQ(formats.Find(".bmp"), formats.Find("BMP"));
    EXPECT_EQ(formats.ForFile("/a.dir/no-extension"), nullptr);
    // The extension decides, not the content.
    EXPECT_FALSE(formats.TestLoad(dir.Write("jpeg.png", jpeg)));
    EXPECT_FALSE(formats.TestLoad(dir.Write("jpeg.unknown", jpeg)));
    // Qt's formats come in beside ours.
    EXPECT_TRUE(formats.TestLoad(dir.Write("q.webp", test::QtImageBytes(Quadrants(4, 4), "webp"))));
    EXPECT_NE(formats.Find("GIF"), nullptr);
}

TEST(PictureFormats, TheDialogFilterListsEveryRegisteredFormat) {
    const std::string filter = StandardPictureFormats().DialogFilter();
    EXPECT_EQ(filter.rfind("すべて (*.jpg *.jpeg *.png *.bmp ", 0), 0u) << filter;
    for (const char* entry :
         {";;JPEG イメージファイル (*.jpg *.jpeg", ";;PNG Format (*.png);;",
          ";;ビットマップ (*.bmp);;", ";;TIFF イメージファイル (*.tif *.tiff)"}) {
        EXPECT_NE(filter.find(entry), std::string::npos) << entry;
    }
    const std::string all = filter.substr(0, filter.find(";;")) + " ";
    for (const PictureFormat& format : StandardPictureFormats().All()) {
        std::string pattern = "*." + format.Extension;
        for (char& c : pattern) c = static_cast<char>(std::tolower(c));
        EXPECT_TRUE(all.find(pattern + " ") != std::string::npos ||
                    all.find(pattern + ")") != std::string::npos)
            << pattern;
    }
}

TEST(PictureFormats, TestLoadTellsUsableFromUnusableFiles) {
    test::TempDir dir;
    const std::string good = test::JpegBytes(Quadrants(32, 32));
    EXPECT_TRUE(TestLoadPicture(dir.Write("good.jpg", good)));
    EXPECT_FALSE(TestLoadPicture(dir.Write("cut.jpg", good.substr(0, good.size() / 2))));
    EXPECT_FALSE(TestLoadPicture(dir.Write("empty.png", "")));
    EXPECT_FALSE(TestLoadPicture(dir.File("deleted-after-it-was-chosen.bmp")));
    EXPECT_FALSE(TestLoadPicture(dir.Path()));
    EXPECT_FALSE(TestLoadPicture(""));
    // The renderer's decoder answers the same way.
    const RegistryPictureDecoder decoder;
    EXPECT_EQ(static_cast<const PictureDecoder&>(decoder).Decode(dir.File("good.jpg"))->Width, 32);
    EXPECT_FALSE(static_cast<const PictureDecoder&>(decoder).Decode(dir.File("cut.jpg")));
}

// A FIFO would block the decoder and a device would never end.
TEST(PictureFormats, WhatIsNoRegularFileIsRefusedUnread) {
    test::TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.jpg").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", dir.File("zero.bmp").c_str()), 0);
    ASSERT_EQ(mkdir(dir.File("folder.png").c_str(), 0700), 0);
    for (const char* name : {"pipe.jpg", "zero.bmp", "folder.png"}) {
        try {
            StandardPictureFormats().DecodeOrThrow(dir.File(name));
            ADD_FAILURE() << name;
        } catch (const PictureError& e) {
            EXPECT_EQ(e.what(), dir.File(name) + ": 通常のファイルではありません");
        }
    }
}

// Qt's formats listed at the first look-up that needs them make the registry listed at once.
TEST(PictureFormats, QtFormatsListedWhenAskedForAreThoseListedAtOnce) {
    PictureFormats atOnce;
    atOnce.RegisterBuiltIn();
    atOnce.RegisterQtFormats();
    const auto extensions = [](const PictureFormats& formats) {
        std::vector<std::string> all;
        for (const PictureFormat& format : formats.All()) all.push_back(format.Extension);
        return all;
    };
    for (const char* first : {"xpm", "png", ""}) {
        SCOPED_TRACE(first);
        PictureFormats asked;
        asked.RegisterBuiltIn();
        asked.RegisterQtFormatsWhenAsked();
        if (*first != '\0') {
            ASSERT_NE(asked.Find(first), nullptr);
        }
        EXPECT_EQ(asked.Find("XPM")->Description, "XPM イメージファイル");
        EXPECT_EQ(asked.Find("png")->Description, "PNG Format");
        EXPECT_EQ(extensions(asked), extensions(atOnce));
        EXPECT_EQ(asked.DialogFilter(), atOnce.DialogFilter());
    }
}

TEST(PictureFormats, DecodersAddedLaterAreUsedAndCannotThrowThrough) {
    test::TempDir dir;
    PictureFormats formats;
    formats.RegisterBuiltIn();
    const Bitmap one{1, 1, {0xFF123456}};
    formats.Register({".xyz", "XYZ", [&](const std::string&) { return one; }});
    formats.Register({"nomem", "", [](const std::string&) -> Bitmap { throw std::bad_alloc(); }});
    formats.Register(
        {"odd", "", [](const std::string&) -> Bitmap { throw std::logic_error("?"); }});
    const std::string file = dir.Write("a.XYZ", "anything");
    EXPECT_EQ(formats.Decode(file)->Pixels, one.Pixels);
    EXPECT_FALSE(formats.Decode(dir.Write("a.nomem", "x")));
    EXPECT_FALSE(formats.Decode(dir.Write("a.odd", "x")));
    EXPECT_THROW(formats.DecodeOrThrow(dir.File("a.nomem")), std::bad_alloc);
    EXPECT_THROW(formats.DecodeOrThrow(dir.Write("a.none", "x")), PictureError);
    // A later registration replaces the earlier one.
    formats.Register(
        {"XYZ", "again", [](const std::string&) -> Bitmap { throw PictureError(""); }});
    EXPECT_FALSE(formats.Decode(file));
    EXPECT_EQ(formats.Find("xyz")->Description, "again");
}

// Damage of every kind at random places: any result but a crash, a hang or an exception.
TEST(PictureFormats, DamagedFilesNeverCrashTheDecoders) {
    test::TempDir dir;
    const Bitmap picture = Quadrants(24, 16);
    std::vector<uint8_t> rle;
    for (int row = 0; row < 16; ++row) rle.insert(rle.end(), {12, 1, 0, 3, 7, 8, 9, 0, 0, 0});
    rle.insert(rle.end(), {0, 1});
    const std::pair<std::string, std::string> originals[] = {
        {"jpg", test::JpegBytes(picture)},
        {"jpeg", test::JpegBytes(picture, {.progressive = true})},
        {"png", test::PngBytes(test::RgbPng(picture, true))},
        {"bmp", test::BmpBytes({24, 16, 24, 0, test::BmpRows24(picture)})},
        {"bmp", test::BmpBytes({24, 16, 8, 1, rle, std::vector<uint32_t>(16, 0x808080)})},
        {"webp", test::QtImageBytes(picture, "webp")},
    };
    std::mt19937 random(20240101);
    const PictureFormats& formats = StandardPictureFormats();
    for (const auto& [extension, bytes] : originals) {
        ASSERT_TRUE(formats.TestLoad(dir.Write("good." + extension, bytes))) << extension;
        for (int round = 0; round < 150; ++round) {
            std::string damaged = bytes;
            for (int flips = 1 + random() % 8; flips > 0; --flips) {
                damaged[random() % damaged.size()] = static_cast<char>(random());
            }
            if (round % 3 == 0) damaged.resize(random() % damaged.size());
            if (const auto decoded = formats.Decode(dir.Write("damaged." + extension, damaged))) {
                EXPECT_EQ(decoded->Pixels.size(), size_t(decoded->Width) * decoded->Height);
            }
        }
    }
}

}  // namespace
}  // namespace orv
