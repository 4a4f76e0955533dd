// The save format's rules as a table: what a dropped file holds (told from its bytes), whether it
// moves, and the setting decide whether it is decoded or kept, what it is named, and which filter
// the file-name dialog starts on.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PictureBytes.h"
#include "dropwindow/DropInFormat.h"
#include "dropwindow/SaveDialogFilter.h"
#include "imaging/FormatChoice.h"
#include "imaging/ImageFormat.h"

namespace qm {
namespace {

namespace pb = test::picture_bytes;

// Dropped content held in memory; it counts how far it was read.
class BytesSource : public DropSource {
 public:
  explicit BytesSource(std::string bytes) : bytes_(std::move(bytes)) {}
  CopyOutcome putAt(const std::string&, TextEncoding, bool) override { return {}; }
  std::optional<std::vector<std::uint8_t>> read(std::size_t maxBytes) override {
    if (unreadable) return std::nullopt;
    mostRead = std::max(mostRead, std::min(maxBytes, bytes_.size()));
    return std::vector<std::uint8_t>(
        bytes_.begin(),
        bytes_.begin() + static_cast<std::ptrdiff_t>(std::min(maxBytes, bytes_.size())));
  }
  bool unreadable = false;
  std::size_t mostRead = 0;

 private:
  std::string bytes_;
};

// Converts every picture it is given into a source of its own, or fails, as the script says.
class ScriptedConverter : public ImageConverter {
 public:
  std::unique_ptr<DropSource> convert(std::span<const std::uint8_t>, ImageFormat from,
                                      ImageFormat to) override {
    asked.push_back({from, to});
    if (fails) return nullptr;
    return std::make_unique<BytesSource>("converted");
  }
  bool fails = false;
  std::vector<std::pair<ImageFormat, ImageFormat>> asked;
};

TEST(SaveFormat, BytesTellTheFormatAndWhetherThePictureMoves) {
  const struct {
    const char* what;
    std::string bytes;
    ImageFormat format;
    bool animated;
  } cases[] = {
      {"PNG", pb::png(), ImageFormat::Png, false},
      {"APNG", pb::apng(), ImageFormat::Png, true},
      {"PNG with an animation chunk after its data", pb::pngWithLateAnimationChunk(),
       ImageFormat::Png, false},
      {"PNG cut inside a chunk", pb::png().substr(0, 20), ImageFormat::Png, false},
      {"GIF of one frame", pb::gif(1), ImageFormat::Gif, false},
      {"GIF of two frames", pb::gif(2), ImageFormat::Gif, true},
      {"GIF cut inside its second frame", pb::gif(2).substr(0, 55), ImageFormat::Gif, true},
      {"GIF whose local colour tables hold separator bytes", pb::gifWithLocalTables(),
       ImageFormat::Gif, true},
      {"GIF87a of one frame", "GIF87a" + pb::gif(1).substr(6), ImageFormat::Gif, false},
      {"lossy WebP", pb::webpLossy(), ImageFormat::Webp, false},
      {"extended WebP with alpha", pb::webpExtended('\x10'), ImageFormat::Webp, false},
      {"animated WebP", pb::webpExtended('\x02'), ImageFormat::Webp, true},
      {"JPEG", pb::jpeg(), ImageFormat::Jpeg, false},
      {"BMP", "BM" + std::string(60, '\0'), ImageFormat::Bmp, false},
      {"TIFF, Intel order", std::string("II*\0", 4) + std::string(8, '\0'), ImageFormat::Tiff,
       false},
      {"TIFF, Motorola order", std::string("MM\0*", 4) + std::string(8, '\0'), ImageFormat::Tiff,
       false},
      {"AVIF", pb::isoMedia("avif", "mif1miaf"), ImageFormat::Avif, false},
      {"AVIF image sequence", pb::isoMedia("avis", "avifmsf1"), ImageFormat::Avif, true},
      {"HEIF that is an AVIF by its compatible brands", pb::isoMedia("mif1", "avifmiaf"),
       ImageFormat::Avif, false},
      {"HEIC", pb::isoMedia("heic", "mif1heic"), ImageFormat::Heic, false},
      {"HEIF", pb::isoMedia("mif1", "heic"), ImageFormat::Heic, false},
      {"an MP4 video", pb::isoMedia("isom", "mp41"), ImageFormat::Other, false},
      {"JPEG XL code stream", std::string("\xFF\x0A\xFA", 3), ImageFormat::JpegXl, false},
      {"JPEG XL container", std::string("\0\0\0\x0CJXL \r\n\x87\n", 12), ImageFormat::JpegXl,
       false},
      {"a RIFF that is no WebP", std::string("RIFF\x04\x00\x00\x00WAVEfmt ", 16),
       ImageFormat::Other, false},
      {"text", "hello, world", ImageFormat::Other, false},
      {"nothing", "", ImageFormat::Other, false},
      {"half a PNG signature", "\x89PN", ImageFormat::Other, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
    EXPECT_EQ(sniffImageFormat(bytes), c.format);
    EXPECT_EQ(isAnimated(c.format, bytes), c.animated);
  }
}

TEST(SaveFormat, DecodedOrKeptWithTheNameAndTheDialogsFilter) {
  constexpr int kJpegFilter = 2;
  constexpr int kPngFilter = 5;
  constexpr int kAllFilesFilter = 6;
  const struct {
    const char* what;
    std::string bytes;
    const char* droppedName;
    SaveFormat setting;
    bool decodeFails;
    bool decoded;
    const char* savedName;
    int filterIndex;
  } cases[] = {
      {"as it is: a WebP stays a WebP", pb::webpLossy(), "photo.webp", kSaveAsIs, false, false,
       "photo.webp", kAllFilesFilter},
      {"WebP to PNG", pb::webpLossy(), "photo.webp", kSavePng, false, true, "photo.png",
       kPngFilter},
      {"WebP to JPEG", pb::webpLossy(), "photo.webp", kSaveJpeg, false, true, "photo.jpg",
       kJpegFilter},
      {"a WebP served under a JPEG name", pb::webpExtended('\x10'), "photo.jpg", kSavePng, false,
       true, "photo.png", kPngFilter},
      {"a name without extension gets one", pb::webpLossy(), "photo", kSaveJpeg, false, true,
       "photo.jpg", kJpegFilter},
      {"only the last extension changes", pb::webpLossy(), "archive.tar.webp", kSavePng, false,
       true, "archive.tar.png", kPngFilter},
      {"brackets stay for the clean-up", pb::webpLossy(), "photo[1].webp", kSavePng, false, true,
       "photo[1].png", kPngFilter},
      {"a code page 932 name", pb::webpLossy(), "表.webp", kSavePng, false, true, "表.png",
       kPngFilter},
      {"JPEG to PNG", pb::jpeg(), "photo.jpg", kSavePng, false, true, "photo.png", kPngFilter},
      {"PNG to JPEG", pb::png(), "shot.png", kSaveJpeg, false, true, "shot.jpg", kJpegFilter},
      {"BMP to PNG", "BM" + std::string(60, '\0'), "scan.bmp", kSavePng, false, true, "scan.png",
       kPngFilter},
      {"GIF of one frame to PNG", pb::gif(1), "icon.gif", kSavePng, false, true, "icon.png",
       kPngFilter},
      {"AVIF to JPEG", pb::isoMedia("avif", "mif1"), "photo.avif", kSaveJpeg, false, true,
       "photo.jpg", kJpegFilter},
      {"already PNG: kept", pb::png(), "shot.png", kSavePng, false, false, "shot.png", kPngFilter},
      {"already JPEG under .jpeg: kept with its name", pb::jpeg(), "photo.jpeg", kSaveJpeg, false,
       false, "photo.jpeg", kJpegFilter},
      {"already JPEG under .JPG: kept with its name", pb::jpeg(), "photo.JPG", kSaveJpeg, false,
       false, "photo.JPG", kAllFilesFilter},
      {"already PNG under a WebP name: kept, named as what it is", pb::png(), "shot.webp", kSavePng,
       false, false, "shot.png", kPngFilter},
      {"animated WebP: kept", pb::webpExtended('\x02'), "anim.webp", kSavePng, false, false,
       "anim.webp", kAllFilesFilter},
      {"animated GIF: kept", pb::gif(3), "anim.gif", kSaveJpeg, false, false, "anim.gif", 3},
      {"APNG to JPEG: kept", pb::apng(), "anim.png", kSaveJpeg, false, false, "anim.png",
       kPngFilter},
      {"AVIF sequence: kept", pb::isoMedia("avis", "avif"), "anim.avif", kSavePng, false, false,
       "anim.avif", kAllFilesFilter},
      {"not a picture: kept", "hello, world", "notes.txt", kSavePng, false, false, "notes.txt",
       kAllFilesFilter},
      {"a decoding that fails: kept under its name", pb::webpLossy(), "broken.webp", kSaveJpeg,
       true, false, "broken.webp", kAllFilesFilter},
      {"HEIC without a codec: kept", pb::isoMedia("heic", "mif1"), "photo.heic", kSavePng, true,
       false, "photo.heic", kAllFilesFilter},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BytesSource dropped(c.bytes);
    ScriptedConverter converter;
    converter.fails = c.decodeFails;
    const DropInFormat drop =
        inSaveFormat(c.droppedName, TextEncoding::Cp932, dropped, c.setting, converter);
    EXPECT_EQ(drop.name, c.savedName);
    EXPECT_EQ(drop.converted != nullptr, c.decoded);
    EXPECT_EQ(drop.source, c.decoded ? drop.converted.get() : &dropped);
    EXPECT_EQ(filterIndexFor(drop.name), c.filterIndex);
    if (c.setting == kSaveAsIs) {
      EXPECT_EQ(dropped.mostRead, 0u);
    }
  }
}

TEST(SaveFormat, WhatCannotBeReadOrIsTooLargeIsKept) {
  ScriptedConverter converter;
  BytesSource unreadable(pb::webpLossy());
  unreadable.unreadable = true;
  DropInFormat drop = inSaveFormat("a.webp", TextEncoding::Cp932, unreadable, kSavePng, converter);
  EXPECT_EQ(drop.name, "a.webp");
  EXPECT_EQ(drop.source, &unreadable);

  // A file of more than the limit is not read into memory to be decoded.
  BytesSource huge(pb::webpLossy() + std::string(kMostConvertedBytes, '\0'));
  drop = inSaveFormat("b.webp", TextEncoding::Cp932, huge, kSaveJpeg, converter);
  EXPECT_EQ(drop.name, "b.webp");
  EXPECT_EQ(drop.source, &huge);
  EXPECT_TRUE(converter.asked.empty());
}

TEST(SaveFormat, NamesInUtf8StepOverWholeCharacters) {
  // "写真.webp" in UTF-8; and a name whose only dot is inside no character.
  EXPECT_EQ(nameInFormat("\xE5\x86\x99\xE7\x9C\x9F.webp", ImageFormat::Png, TextEncoding::Utf8),
            "\xE5\x86\x99\xE7\x9C\x9F.png");
  EXPECT_EQ(nameInFormat("\x83\x2E", ImageFormat::Png, TextEncoding::Cp932), "\x83\x2E.png");
}

TEST(SaveFormat, AConversionIsAskedForTheChosenFormatFromTheSniffedOne) {
  const struct {
    std::string bytes;
    SaveFormat setting;
    ImageFormat from;
    ImageFormat to;
  } cases[] = {
      {pb::webpLossy(), kSavePng, ImageFormat::Webp, ImageFormat::Png},
      {pb::jpeg(), kSavePng, ImageFormat::Jpeg, ImageFormat::Png},
      {pb::gif(1), kSaveJpeg, ImageFormat::Gif, ImageFormat::Jpeg},
  };
  for (const auto& c : cases) {
    BytesSource dropped(c.bytes);
    ScriptedConverter converter;
    (void)inSaveFormat("x", TextEncoding::Cp932, dropped, c.setting, converter);
    ASSERT_EQ(converter.asked.size(), 1u);
    EXPECT_EQ(converter.asked[0].first, c.from);
    EXPECT_EQ(converter.asked[0].second, c.to);
  }
}

}  // namespace
}  // namespace qm
