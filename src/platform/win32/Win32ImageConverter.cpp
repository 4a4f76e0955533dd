#include "platform/win32/Win32ImageConverter.h"

#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "imaging/ExifOrientation.h"
#include "imaging/Picture.h"
#include "imaging/WebpDecode.h"
#include "platform/win32/Win32DropMoments.h"
#include "platform/win32/Win32SpooledFile.h"
#include "platform/win32/Win32WorkProgress.h"

namespace qm {
namespace {

using Microsoft::WRL::ComPtr;

constexpr float kJpegQuality = 0.9f;
constexpr UINT kBgraBytes = 4;
constexpr UINT kBgrBytes = 3;
// Beyond the pixels' own bytes, what a PNG or JPEG may need: headers, a colour profile, and the
// little a PNG of noise can grow past its pixels (a filter byte a row, the compressor's blocks).
constexpr std::uint64_t kEncodedHeadroomBytes = 64 * 1024;
constexpr std::uint64_t kEncodedGrowthShare = 64;
// What a memory stream's size can hold.
constexpr std::uint64_t kMostStreamBytes = 0xFFFFFFFF;
static_assert(kMostPixels * kBgraBytes + kMostPixels * kBgraBytes / kEncodedGrowthShare +
                  kEncodedHeadroomBytes <
              kMostStreamBytes);

// COM for this thread while a conversion runs; the window's thread usually has it already.
class ComForThisCall {
 public:
  ComForThisCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComForThisCall() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComForThisCall(const ComForThisCall&) = delete;
  ComForThisCall& operator=(const ComForThisCall&) = delete;
  // Another thread model on this thread still lets COM be used.
  bool ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

// The first colour profile the frame carries, as its bytes.
std::vector<std::uint8_t> profileOf(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
  std::vector<std::uint8_t> profile;
  ComPtr<IWICColorContext> context;
  UINT count = 0;
  if (FAILED(factory->CreateColorContext(&context))) return profile;
  IWICColorContext* contexts[] = {context.Get()};
  if (FAILED(frame->GetColorContexts(1, contexts, &count)) || count == 0) return profile;
  WICColorContextType type = WICColorContextUninitialized;
  UINT size = 0;
  if (FAILED(context->GetType(&type)) || type != WICColorContextProfile ||
      FAILED(context->GetProfileBytes(0, nullptr, &size)) || size == 0) {
    return profile;
  }
  profile.resize(size);
  if (FAILED(context->GetProfileBytes(size, profile.data(), &size))) profile.clear();
  return profile;
}

std::optional<Picture> decodeWithWic(IWICImagingFactory* factory,
                                     std::span<const std::uint8_t> bytes, ImageFormat from) {
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  UINT frames = 0;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder)) ||
      FAILED(decoder->GetFrameCount(&frames))) {
    return std::nullopt;
  }
  // A picture of several frames or pages would lose all but one.
  if (frames != 1 || FAILED(decoder->GetFrame(0, &frame))) return std::nullopt;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || !fitsInMemory(width, height)) return std::nullopt;
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.bgra.resize(picture.stride() * height);
  if (FAILED(converter->CopyPixels(nullptr, static_cast<UINT>(picture.stride()),
                                   static_cast<UINT>(picture.bgra.size()), picture.bgra.data()))) {
    return std::nullopt;
  }
  picture.iccProfile = profileOf(factory, frame.Get());
  applyOrientation(picture, orientationOf(from, bytes));
  return picture;
}

// The profile goes along where the encoder takes one; a picture without it is still right.
void keepProfile(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame,
                 const std::vector<std::uint8_t>& profile) {
  ComPtr<IWICColorContext> context;
  if (profile.empty() || FAILED(factory->CreateColorContext(&context)) ||
      FAILED(context->InitializeFromMemory(profile.data(), static_cast<UINT>(profile.size())))) {
    return;
  }
  IWICColorContext* contexts[] = {context.Get()};
  frame->SetColorContexts(1, contexts);
}

// Room for the encoded file, made at once: a memory stream grows its block to the exact size at
// every write, copying the whole block each time, and the encoders write a few kilobytes at a
// time, so a large picture spent far longer in those copies than in its encoding.
ULARGE_INTEGER encodedRoom(const Picture& picture) {
  const std::uint64_t pixels = picture.bgra.size();
  ULARGE_INTEGER room{};
  room.QuadPart =
      pixels + pixels / kEncodedGrowthShare + kEncodedHeadroomBytes + picture.iccProfile.size();
  return room;
}

// The encoded file, in memory until it is parked.
ComPtr<IStream> encode(IWICImagingFactory* factory, Picture& picture, ImageFormat to) {
  const bool jpeg = to == ImageFormat::Jpeg;
  if (jpeg) layOnWhite(picture);
  const bool alpha = !jpeg && hasTransparency(picture);
  const WICPixelFormatGUID wanted =
      alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
  WICPixelFormatGUID format = wanted;

  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
      FAILED(stream->SetSize(encodedRoom(picture))) ||
      FAILED(factory->CreateEncoder(jpeg ? GUID_ContainerFormatJpeg : GUID_ContainerFormatPng,
                                    nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, &options))) {
    return nullptr;
  }
  if (jpeg) {
    PROPBAG2 option{};
    option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT quality{};
    quality.vt = VT_R4;
    quality.fltVal = kJpegQuality;
    if (FAILED(options->Write(1, &option, &quality))) return nullptr;
  }
  if (FAILED(frame->Initialize(options.Get())) ||
      FAILED(frame->SetSize(picture.width, picture.height)) ||
      FAILED(frame->SetPixelFormat(&format)) || format != wanted) {
    return nullptr;
  }
  keepProfile(factory, frame.Get(), picture.iccProfile);
  std::vector<std::uint8_t> bgr;
  if (!alpha) bgr = withoutAlpha(picture);
  std::vector<std::uint8_t>& rows = alpha ? picture.bgra : bgr;
  const UINT stride = picture.width * (alpha ? kBgraBytes : kBgrBytes);
  if (FAILED(frame->WritePixels(picture.height, stride, static_cast<UINT>(rows.size()),
                                rows.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return nullptr;
  }
  return stream;
}

// How every file of the format ends: PNG's IEND chunk, JPEG's end-of-image marker.
bool endsWhole(const std::uint8_t* bytes, std::uint64_t size, ImageFormat format) {
  static constexpr std::array<std::uint8_t, 12> kPngEnd = {0,   0,   0,    0,    'I',  'E',
                                                           'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  static constexpr std::array<std::uint8_t, 2> kJpegEnd = {0xFF, 0xD9};
  const auto ends = [&](const auto& trailer) {
    return size >= trailer.size() &&
           std::equal(trailer.begin(), trailer.end(), bytes + size - trailer.size());
  };
  return format == ImageFormat::Png ? ends(kPngEnd) : ends(kJpegEnd);
}

// The stream is larger than the file (encodedRoom); the encoders write straight on, so the file
// ends where the stream stands. Should an encoder ever go back to finish an earlier part, the
// file would not end there: it is refused, and the picture is saved as it was dropped rather
// than cut short.
std::unique_ptr<DropSource> park(IStream* encoded, ImageFormat format) {
  HGLOBAL memory = nullptr;
  const LARGE_INTEGER here{};
  ULARGE_INTEGER end{};
  if (FAILED(GetHGlobalFromStream(encoded, &memory)) ||
      FAILED(encoded->Seek(here, STREAM_SEEK_CUR, &end))) {
    return nullptr;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
  if (!bytes) return nullptr;
  if (end.QuadPart > GlobalSize(memory) || !endsWhole(bytes, end.QuadPart, format)) {
    GlobalUnlock(memory);
    return nullptr;
  }
  auto parked = std::make_unique<Win32SpooledFile>();
  const bool written = parked->create() == 0 &&
                       parked->append(bytes, static_cast<std::size_t>(end.QuadPart)) == 0 &&
                       parked->finish() == 0;
  GlobalUnlock(memory);
  if (!written) return nullptr;
  return parked;
}

}  // namespace

std::unique_ptr<DropSource> Win32ImageConverter::convert(std::span<const std::uint8_t> bytes,
                                                         ImageFormat from, ImageFormat to) {
  const TimedConversion timed;
  const ComForThisCall com;
  ComPtr<IWICImagingFactory> factory;
  if (!com.ready() || FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
    return nullptr;
  }
  // Decoding and encoding each count for half of the dropped bytes.
  noteBytesComing(bytes.size());
  std::optional<Picture> picture =
      from == ImageFormat::Webp ? decodeWebp(bytes) : decodeWithWic(factory.Get(), bytes, from);
  if (!picture) return nullptr;
  noteBytesDone(bytes.size() / 2);
  markDropMoment(DropMoment::Decoded);
  const ComPtr<IStream> encoded = encode(factory.Get(), *picture, to);
  if (!encoded) return nullptr;
  noteBytesDone(bytes.size() - bytes.size() / 2);
  return park(encoded.Get(), to);
}

}  // namespace qm
