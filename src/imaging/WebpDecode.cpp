#include "imaging/WebpDecode.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <vector>

#include "imaging/ExifOrientation.h"

namespace qm {
namespace {

// The extended header's chunks that travel with the picture: its colour profile and its EXIF.
struct Extras {
  std::vector<std::uint8_t> iccProfile;
  int orientation = kUpright;
};

std::vector<std::uint8_t> chunk(WebPDemuxer* demuxer, const char* fourcc) {
  WebPChunkIterator found;
  std::vector<std::uint8_t> bytes;
  if (WebPDemuxGetChunk(demuxer, fourcc, 1, &found)) {
    bytes.assign(found.chunk.bytes, found.chunk.bytes + found.chunk.size);
  }
  WebPDemuxReleaseChunkIterator(&found);
  return bytes;
}

Extras extrasOf(std::span<const std::uint8_t> bytes) {
  Extras extras;
  const WebPData data{bytes.data(), bytes.size()};
  WebPDemuxer* demuxer = WebPDemux(&data);
  if (!demuxer) return extras;
  const std::uint32_t flags = WebPDemuxGetI(demuxer, WEBP_FF_FORMAT_FLAGS);
  if (flags & ICCP_FLAG) extras.iccProfile = chunk(demuxer, "ICCP");
  if (flags & EXIF_FLAG) extras.orientation = exifOrientation(chunk(demuxer, "EXIF"));
  WebPDemuxDelete(demuxer);
  return extras;
}

}  // namespace

std::optional<Picture> decodeWebp(std::span<const std::uint8_t> bytes) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) return std::nullopt;
  if (WebPGetFeatures(bytes.data(), bytes.size(), &config.input) != VP8_STATUS_OK) {
    return std::nullopt;
  }
  const WebPBitstreamFeatures& features = config.input;
  if (features.has_animation || !fitsInMemory(features.width, features.height)) return std::nullopt;

  // Into libwebp's own buffer, whose pages are touched only as rows are decoded: a file cut
  // short that announces a large picture costs little before it fails.
  config.output.colorspace = MODE_BGRA;
  const VP8StatusCode status = WebPDecode(bytes.data(), bytes.size(), &config);
  const WebPRGBABuffer& rows = config.output.u.RGBA;
  Picture picture;
  picture.width = static_cast<std::uint32_t>(config.output.width);
  picture.height = static_cast<std::uint32_t>(config.output.height);
  const bool whole = status == VP8_STATUS_OK && rows.rgba &&
                     static_cast<std::size_t>(rows.stride) == picture.stride() &&
                     rows.size >= picture.stride() * picture.height;
  if (whole) picture.bgra.assign(rows.rgba, rows.rgba + picture.stride() * picture.height);
  WebPFreeDecBuffer(&config.output);
  if (!whole) return std::nullopt;

  Extras extras = extrasOf(bytes);
  picture.iccProfile = std::move(extras.iccProfile);
  applyOrientation(picture, extras.orientation);
  return picture;
}

}  // namespace qm
