#pragma once
// The image library's flat interface ("gdiplus.dll"): start-up, bitmaps and
// the PNG, JPEG and BMP codecs. Pixels are 32-bit ARGB in a 32-bit DIB's
// byte order (blue, green, red, alpha), premultiplied where the format says
// so. Every call but start-up answers GdiplusNotInitialized before start-up
// and after the last shut-down, InvalidParameter for a null, unknown or
// out-of-range argument. Decoded images and images made here are at most
// 65535 pixels a side and 2^26 pixels in all.

#include <cstddef>

#include "platform/ComStream.h"
#include "platform/Gdi.h"

namespace Gdiplus {

enum GpStatus : int {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

using REAL = float;
using ARGB = DWORD;  // 0xAARRGGBB
using PixelFormat = INT;

// Pixel formats: index | bits << 8 | flags.
inline constexpr PixelFormat PixelFormatGDI = 0x00020000;
inline constexpr PixelFormat PixelFormatAlpha = 0x00040000;
inline constexpr PixelFormat PixelFormatPAlpha = 0x00080000;
inline constexpr PixelFormat PixelFormatCanonical = 0x00200000;
// Opaque, blue-green-red.
inline constexpr PixelFormat PixelFormat24bppRGB = 8 | (24 << 8) | PixelFormatGDI;
// Opaque; the fourth byte is not read.
inline constexpr PixelFormat PixelFormat32bppRGB = 9 | (32 << 8) | PixelFormatGDI;
inline constexpr PixelFormat PixelFormat32bppARGB =
    10 | (32 << 8) | PixelFormatAlpha | PixelFormatGDI | PixelFormatCanonical;
inline constexpr PixelFormat PixelFormat32bppPARGB =
    11 | (32 << 8) | PixelFormatAlpha | PixelFormatPAlpha | PixelFormatGDI;
constexpr UINT GetPixelFormatSize(PixelFormat format) { return (format >> 8) & 0xFF; }

// Raw formats: where an image came from.
inline constexpr GUID ImageFormatMemoryBMP{0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatBMP{0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatJPEG{0xB96B3CAE, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatPNG{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatGIF{0xB96B3CB0, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatTIFF{0xB96B3CB1, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr GUID ImageFormatIcon{0xB96B3CB5, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Encoder identifiers. GIF and TIFF have none here.
inline constexpr CLSID BmpEncoderClsid{0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr CLSID JpegEncoderClsid{0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
inline constexpr CLSID PngEncoderClsid{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// The quality JPEG images are saved with (0 to 100).
inline constexpr int DefaultJpegQuality = 75;

// Codec flags.
inline constexpr DWORD ImageCodecFlagsEncoder = 0x00000001;
inline constexpr DWORD ImageCodecFlagsDecoder = 0x00000002;
inline constexpr DWORD ImageCodecFlagsSupportBitmap = 0x00000004;
inline constexpr DWORD ImageCodecFlagsBuiltin = 0x00010000;

// The native layout of a codec record: 104 bytes in a 64-bit build (76 in a
// 32-bit one). The strings and signatures it points to follow the records.
struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName = nullptr;
  const WCHAR* DllName = nullptr;
  const WCHAR* FormatDescription = nullptr;
  const WCHAR* FilenameExtension = nullptr;
  const WCHAR* MimeType = nullptr;
  DWORD Flags = 0;
  DWORD Version = 0;
  DWORD SigCount = 0;
  DWORD SigSize = 0;
  const BYTE* SigPattern = nullptr;
  const BYTE* SigMask = nullptr;
};

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues = 0;
  ULONG Type = 0;
  void* Value = nullptr;
};
struct EncoderParameters {
  UINT Count = 0;
  EncoderParameter Parameter[1];
};

struct GpRect {
  INT X = 0;
  INT Y = 0;
  INT Width = 0;
  INT Height = 0;
};

// Lock modes.
inline constexpr UINT ImageLockModeRead = 0x0001;
inline constexpr UINT ImageLockModeWrite = 0x0002;
inline constexpr UINT ImageLockModeUserInputBuf = 0x0004;

struct BitmapData {
  UINT Width = 0;
  UINT Height = 0;
  INT Stride = 0;
  Gdiplus::PixelFormat PixelFormat = 0;
  void* Scan0 = nullptr;
  UINT_PTR Reserved = 0;
};

// Start-up.
using DebugEventProc = void (*)(int level, CHAR* message);
using NotificationHookProc = GpStatus (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

// Image handles; a bitmap is an image.
struct GpImage;
struct GpBitmap;

// --- Start-up and memory --------------------------------------------------

// Version 1 only. Start-ups nest: each has its own token, and the library
// stays started until every one is shut down. No background thread is ever
// started; when the caller suppresses it, output receives the hook pair it
// then calls (after start-up, and before shut-down), else nulls.
GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
// The last shut-down disposes of every object still alive.
void GdiplusShutdown(ULONG_PTR token);
GpStatus GdiplusNotificationHook(ULONG_PTR* token);
void GdiplusNotificationUnhook(ULONG_PTR token);
// nullptr when the library is not started.
void* GdipAlloc(size_t size);
void GdipFree(void* ptr);

// --- Bitmaps --------------------------------------------------------------

// 24bppRGB, 32bppRGB, 32bppARGB or 32bppPARGB. With scan0 the rows stay the
// caller's memory for the bitmap's life (stride: a multiple of 4 bytes,
// negative for bottom-up rows); without, the bitmap owns zeroed rows.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap);
// A 1-, 24- or 32-bit DIB section (a 1-bit one through its colour table) or
// device bitmap, as an opaque 32bppRGB bitmap that owns a copy of the
// pixels. The palette is not needed: no bitmap here has one of its own.
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, GpBitmap** bitmap);
// A new bottom-up 32-bit DIB section: the premultiplied pixels over the
// background colour (alpha 0 leaves them as they are).
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background);
// Lends the rectangle (the whole image when null) in any of the four
// formats: the bitmap's own rows when the format is its own, else a
// converted copy (or the caller's buffer with ImageLockModeUserInputBuf)
// that unlocking writes back when the mode has ImageLockModeWrite. One lock
// at a time: WrongState otherwise.
GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format,
                            BitmapData* lockedBitmapData);
GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* lockedBitmapData);

// --- Images ---------------------------------------------------------------

GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height);
GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format);
// MemoryBMP for images made in memory, else the format decoded.
GpStatus GdipGetImageRawFormat(GpImage* image, GUID* format);
// A copy that owns its pixels, in the same pixel and raw formats.
GpStatus GdipCloneImage(GpImage* image, GpImage** cloneImage);
// ObjectBusy while a graphics draws on the image.
GpStatus GdipDisposeImage(GpImage* image);

// --- Codecs ---------------------------------------------------------------

// Reads the stream from its position to its end and decodes it by its
// signature: PNG (every colour type and depth; 16-bit channels rounded to
// 8), JPEG (grey, colour, CMYK) and BMP. Opaque images come out as
// 32bppRGB; images with alpha (PNG with an alpha channel or transparency
// chunk, BMP with bit fields naming alpha) as 32bppPARGB. A 32-bit BMP
// without such bit fields is opaque, as the format defines its fourth byte
// as reserved.
// UnknownImageFormat: no known signature (GIF and TIFF have no codec here);
// InvalidParameter: a truncated or corrupt image, or a stream that fails;
// OutOfMemory: a declared size above the limits, refused before allocating.
GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image);
// Writes the image at the stream's position. PNG: 8-bit RGB, or RGBA with
// straight alpha for formats with alpha. JPEG: DefaultJpegQuality, alpha
// dropped. BMP: 24 bits, or 32 with alpha bit fields for formats with
// alpha. Encoder parameters are not supported (NotImplemented when any is
// given). UnknownImageFormat: no such encoder; Win32Error: the stream
// refused the bytes.
GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* clsidEncoder,
                               const EncoderParameters* encoderParams);
// PNG, BMP and JPEG, less those switched off for tests; size covers the
// records and the strings and signatures after them.
GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size);
// numEncoders must be the count, size at least the size reported
// (InsufficientBuffer otherwise).
GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);

}  // namespace Gdiplus
