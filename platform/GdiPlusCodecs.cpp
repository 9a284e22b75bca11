// Loading and saving images through the codecs, and the list of encoders.
#include "platform/GdiPlusCodecs.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace Gdiplus {

namespace {

using TDecoder = GpStatus (*)(const BYTE*, size_t, TDecodedImage&);
using TEncoder = GpStatus (*)(const GpBitmap&, std::vector<BYTE>&);

struct TCodec {
  CLSID Clsid;
  GUID Format;
  std::u16string_view Name;
  std::u16string_view Description;
  std::u16string_view Extensions;
  std::u16string_view MimeType;
  std::string_view Signature;
  TDecoder Decode;
  TEncoder Encode;
};

constexpr TCodec Codecs[] = {
    {BmpEncoderClsid, ImageFormatBMP, u"Built-in BMP Codec", u"BMP", u"*.BMP;*.DIB;*.RLE", u"image/bmp", {"BM", 2},
     DecodeBmp, EncodeBmp},
    {JpegEncoderClsid, ImageFormatJPEG, u"Built-in JPEG Codec", u"JPEG", u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg",
     {"\xFF\xD8", 2}, DecodeJpeg, EncodeJpeg},
    {PngEncoderClsid, ImageFormatPNG, u"Built-in PNG Codec", u"PNG", u"*.PNG", u"image/png",
     {"\x89PNG\r\n\x1A\n", 8}, DecodePng, EncodePng},
};

// Streams larger than this are not images anyone can decode here.
constexpr size_t MaxStreamBytes = size_t{1} << 30;

// What the stream holds after its position, when it can tell.
bool Remaining(IStream* stream, ULONGLONG& remaining) {
  STATSTG stat;
  ULONGLONG position = 0;
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek(0, STREAM_SEEK_CUR, &position)))
    return false;
  remaining = stat.cbSize > position ? stat.cbSize - position : 0;
  return true;
}

// From the position to the end: in one read when the stream tells its size,
// else in chunks until one comes short.
GpStatus ReadToEnd(IStream* stream, std::vector<BYTE>& bytes) {
  ULONGLONG remaining = 0;
  const bool sized = Remaining(stream, remaining);
  if (remaining > MaxStreamBytes) return OutOfMemory;
  const ULONG chunk = sized ? static_cast<ULONG>(remaining) : 1u << 16;
  for (;;) {
    const size_t have = bytes.size();
    if (have + chunk > MaxStreamBytes) return OutOfMemory;
    bytes.resize(have + chunk);
    ULONG read = 0;
    const HRESULT hr = chunk ? stream->Read(bytes.data() + have, chunk, &read) : S_OK;
    bytes.resize(have + std::min(read, chunk));
    if (FAILED(hr)) return InvalidParameter;
    if (sized || read < chunk) return Ok;
  }
}

bool WriteAll(IStream* stream, const std::vector<BYTE>& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const auto count = static_cast<ULONG>(std::min<size_t>(bytes.size() - done, 1u << 30));
    ULONG written = 0;
    if (FAILED(stream->Write(bytes.data() + done, count, &written)) || written == 0 || written > count) return false;
    done += written;
  }
  return true;
}

std::vector<const TCodec*> AvailableEncoders() {
  std::vector<const TCodec*> encoders;
  for (const TCodec& codec : Codecs)
    if (EncoderAvailable(codec.Clsid)) encoders.push_back(&codec);
  return encoders;
}

size_t StringBytes(std::u16string_view s) { return (s.size() + 1) * sizeof(char16_t); }

// What follows the records: five strings (no library name) and the
// signature with its mask.
size_t TrailingBytes(const TCodec& codec) {
  return StringBytes(codec.Name) + StringBytes(codec.Description) + StringBytes(codec.Extensions) +
         StringBytes(codec.MimeType) + 2 * codec.Signature.size();
}

size_t EncodersSize(const std::vector<const TCodec*>& encoders) {
  size_t size = encoders.size() * sizeof(ImageCodecInfo);
  for (const TCodec* codec : encoders) size += TrailingBytes(*codec);
  return size;
}

}  // namespace

std::vector<BYTE> PixelsAs(const GpBitmap& bitmap, PixelFormat format) {
  const size_t stride = RowBytes(format, bitmap.Width);
  std::vector<BYTE> pixels(stride * static_cast<size_t>(bitmap.Height));
  for (INT y = 0; y < bitmap.Height; ++y)
    ConvertPixels(bitmap.Format, bitmap.Row(y), format, pixels.data() + static_cast<size_t>(y) * stride, bitmap.Width);
  return pixels;
}

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!stream || !image) return InvalidParameter;
  std::vector<BYTE> bytes;
  if (const GpStatus s = ReadToEnd(stream, bytes); s != Ok) return s;
  for (const TCodec& codec : Codecs) {
    if (bytes.size() < codec.Signature.size() ||
        std::memcmp(bytes.data(), codec.Signature.data(), codec.Signature.size()) != 0)
      continue;
    TDecodedImage decoded;
    if (const GpStatus s = codec.Decode(bytes.data(), bytes.size(), decoded); s != Ok) return s;
    CountDecode(codec.Format);
    auto bitmap = std::make_unique<GpBitmap>();
    bitmap->RawFormat = codec.Format;
    bitmap->Width = decoded.Width;
    bitmap->Height = decoded.Height;
    bitmap->Format = decoded.HasAlpha ? PixelFormat32bppPARGB : PixelFormat32bppRGB;
    bitmap->Stride = decoded.Width * 4;
    bitmap->Storage = std::move(decoded.Pixels);
    bitmap->Scan0 = bitmap->Storage.data();
    *image = AddObject(std::move(bitmap));
    return Ok;
  }
  return UnknownImageFormat;
}

GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                               const EncoderParameters* encoderParams) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const GpBitmap* bitmap = LookupObject<GpBitmap>(image);
  if (!bitmap || !stream || !clsidEncoder) return InvalidParameter;
  if (encoderParams && encoderParams->Count > 0) return NotImplemented;
  for (const TCodec* codec : AvailableEncoders()) {
    if (codec->Clsid != *clsidEncoder) continue;
    std::vector<BYTE> bytes;
    if (const GpStatus s = codec->Encode(*bitmap, bytes); s != Ok) return s;
    return WriteAll(stream, bytes) ? Ok : Win32Error;
  }
  return UnknownImageFormat;
}

GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  if (!numEncoders || !size) return InvalidParameter;
  const std::vector<const TCodec*> encoders = AvailableEncoders();
  *numEncoders = static_cast<UINT>(encoders.size());
  *size = static_cast<UINT>(EncodersSize(encoders));
  return Ok;
}

GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders) {
  if (const GpStatus s = EnterEntry(__func__); s != Ok) return s;
  const std::vector<const TCodec*> available = AvailableEncoders();
  if (!encoders || numEncoders != available.size()) return InvalidParameter;
  if (size < EncodersSize(available)) return InsufficientBuffer;
  auto* next = reinterpret_cast<BYTE*>(encoders + available.size());
  const auto place = [&next](const void* source, size_t bytes) {
    std::memcpy(next, source, bytes);
    const BYTE* placed = next;
    next += bytes;
    return placed;
  };
  const auto placeString = [&place](std::u16string_view s) {
    const BYTE* placed = place(s.data(), s.size() * sizeof(char16_t));
    place(u"", sizeof(char16_t));
    return reinterpret_cast<const WCHAR*>(placed);
  };
  // Strings first, then the signatures and their masks, which need no
  // alignment.
  for (size_t i = 0; i < available.size(); ++i) {
    const TCodec& codec = *available[i];
    ImageCodecInfo& record = encoders[i];
    record = ImageCodecInfo{};
    record.Clsid = codec.Clsid;
    record.FormatID = codec.Format;
    record.CodecName = placeString(codec.Name);
    record.FormatDescription = placeString(codec.Description);
    record.FilenameExtension = placeString(codec.Extensions);
    record.MimeType = placeString(codec.MimeType);
    record.Flags = ImageCodecFlagsEncoder | ImageCodecFlagsDecoder | ImageCodecFlagsSupportBitmap | ImageCodecFlagsBuiltin;
    record.Version = 1;
    record.SigCount = 1;
    record.SigSize = static_cast<DWORD>(codec.Signature.size());
  }
  for (size_t i = 0; i < available.size(); ++i) {
    const std::string_view signature = available[i]->Signature;
    encoders[i].SigPattern = place(signature.data(), signature.size());
    std::memset(next, 0xFF, signature.size());  // every bit counts
    encoders[i].SigMask = next;
    next += signature.size();
  }
  return Ok;
}

}  // namespace Gdiplus
