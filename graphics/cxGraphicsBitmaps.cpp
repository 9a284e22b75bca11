// The bitmap classes of cxGraphics: nested updates and the compressed
// stream of TcxBitmap, the pixel operations of TcxBitmap32, and turning and
// mirroring pixels.
#include <algorithm>

#include "controls/dxCore.h"
#include "graphics/ColorChannels.h"
#include "graphics/cxGraphics.h"
#include "graphics/cxGraphicsState.h"
#include "host/Streams.h"
#include "platform/ScopeExit.h"

namespace {

constexpr TcxResourceString scxWrongPixelFormat{u"scxWrongPixelFormat", u"Wrong PixelFormat"};

// AChange inside BeginUpdate and EndUpdate(AForceUpdate); an exception
// cancels the update instead, so that the bitmap is not left locked.
template <typename TChange>
void WithinUpdate(TcxBitmap& ABitmap, bool AForceUpdate, TChange AChange) {
  const int pending = std::uncaught_exceptions();
  ABitmap.BeginUpdate();
  TScopeExit end([&] {
    if (std::uncaught_exceptions() > pending) ABitmap.CancelUpdate();
    else ABitmap.EndUpdate(AForceUpdate);
  });
  AChange();
}

// AChange applied to every pixel, read and written back in one piece each.
template <typename TChange>
void ChangePixels(TcxBitmap32& ABitmap, TChange AChange) {
  TRGBColors colors;
  ABitmap.GetBitmapColors(colors);
  for (TRGBQuad& color : colors) AChange(color);
  ABitmap.SetBitmapColors(colors);
}

template <typename TChange>
void ChangeColorChannels(TRGBQuad& AColor, TChange AChange) {
  AColor.rgbBlue = ClampByte(AChange(AColor.rgbBlue));
  AColor.rgbGreen = ClampByte(AChange(AColor.rgbGreen));
  AColor.rgbRed = ClampByte(AChange(AColor.rgbRed));
}

}  // namespace

// --- TcxBitmap -------------------------------------------------------------------

HOST_CLASS_INFO(TcxBitmap, TBitmap, &CreateDefault<TcxBitmap>)

TcxBitmap::TcxBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat) {
  Initialize(AWidth, AHeight, APixelFormat);
}

TcxBitmap::TcxBitmap(const TRect& ARect, TPixelFormat APixelFormat)
    : TcxBitmap(cxRectWidth(ARect), cxRectHeight(ARect), APixelFormat) {}

void TcxBitmap::Initialize(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat) {
  WithinUpdate(*this, true, [&] {
    SetPixelFormat(APixelFormat);
    SetSize(AWidth, AHeight);
  });
}

void TcxBitmap::EndUpdate(bool AForceUpdate) {
  if (FLockCount == 0) return;
  if (--FLockCount == 0 && (AForceUpdate || FModified)) Changed(this);
}

void TcxBitmap::CancelUpdate() {
  if (FLockCount == 0) return;
  if (--FLockCount == 0) FModified = false;
}

void TcxBitmap::Changed(TObject* Sender) {
  if (FLockCount > 0) {
    FModified = true;
    return;
  }
  TBitmap::Changed(Sender);
  Update();
  FModified = false;
}

void TcxBitmap::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == GetWidth() && AHeight == GetHeight()) return;
  WithinUpdate(*this, false, [&] { TBitmap::SetSize(AWidth, AHeight); });
}

void TcxBitmap::CopyBitmap(TBitmap* ASrcBitmap, DWORD ACopyMode) {
  CopyBitmap(ASrcBitmap, GetClientRect(), cxNullPoint, ACopyMode);
}

void TcxBitmap::CopyBitmap(TBitmap* ASrcBitmap, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ACopyMode) {
  if (GetEmpty() || !IsGlyphAssigned(ASrcBitmap)) return;
  cxDrawBitmap(CanvasDC(this), ASrcBitmap, ADestRect, ASrcTopLeft, ACopyMode);
}

void TcxBitmap::Rotate(TcxRotationAngle ARotationAngle, bool AFlipVertically) {
  WithinUpdate(*this, true, [&] { cxRotateBitmap(this, ARotationAngle, AFlipVertically); });
}

void TcxBitmap::WriteData(TStream* Stream) {
  if (!FCompressData) return TBitmap::WriteData(Stream);
  TMemoryStream data;
  TBitmap::WriteData(&data);
  cxWriteCompressedBitmapData(Stream, data.GetMemory(), data.GetSize(), cxGetBitmapPixelFormat(this));
}

void TcxBitmap::ReadData(TStream* Stream) {
  std::vector<Byte> data;
  if (!cxReadCompressedBitmapData(Stream, data)) return TBitmap::ReadData(Stream);
  TMemoryStream stream;
  stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
  stream.SetPosition(0);
  TBitmap::ReadData(&stream);
}

// --- TcxBitmap32 -----------------------------------------------------------------

HOST_CLASS_INFO(TcxBitmap32, TcxBitmap, &CreateDefault<TcxBitmap32>)

TcxBitmap32::TcxBitmap32(Integer AWidth, Integer AHeight, bool AClear) : TcxBitmap(AWidth, AHeight, pf32bit) {
  if (AClear) Clear();
}

TcxBitmap32::TcxBitmap32(const TRect& ARect, bool AClear)
    : TcxBitmap32(cxRectWidth(ARect), cxRectHeight(ARect), AClear) {}

void TcxBitmap32::Update() {
  if (cxGetBitmapPixelFormat(this) != 32) throw EdxException(cxGetResourceString(&scxWrongPixelFormat));
}

void TcxBitmap32::LoadFromStream(TStream* Stream) {
  WithinUpdate(*this, true, [&] {
    TcxBitmap::LoadFromStream(Stream);
    SetPixelFormat(pf32bit);
  });
}

void TcxBitmap32::Clear() {
  if (GetEmpty()) return;
  const TRect all = GetClientRect();
  FillRect(CanvasDC(this), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void TcxBitmap32::AlphaBlend(TBitmap* ADestBitmap, const TRect& ADestRect, bool ASmoothImage, Byte AConstantAlpha) {
  cxAlphaBlend(ADestBitmap, this, ADestRect, GetClientRect(), ASmoothImage, AConstantAlpha);
}

void TcxBitmap32::Darken(Integer APercent) {
  // Whole numbers throughout: the exact quotient, truncated.
  ChangePixels(*this, [=](TRGBQuad& color) {
    ChangeColorChannels(color, [=](Int64 c) { return APercent * c / 100; });
  });
}

void TcxBitmap32::Lighten(Integer APercent) {
  ChangePixels(*this, [=](TRGBQuad& color) {
    ChangeColorChannels(color, [=](Int64 c) { return (25500 - APercent * (255 - c)) / 100; });
  });
}

void TcxBitmap32::Filter(TBitmap* AMaskBitmap) {
  // The destination where the mask's bits are clear (DSna).
  cxBitBlt(CanvasDC(this), CanvasDC(AMaskBitmap), GetClientRect(), cxNullPoint, 0x00220326);
}

void TcxBitmap32::Invert() {
  HDC dc = CanvasDC(this);
  cxBitBlt(dc, dc, GetClientRect(), cxNullPoint, NOTSRCCOPY);
}

void TcxBitmap32::SetAlphaChannel(Byte AAlpha) {
  ChangePixels(*this, [=](TRGBQuad& color) { color.rgbReserved = AAlpha; });
}

void TcxBitmap32::RecoverTransparency(TColor ATransparentColor) {
  const TRGBQuad transparent = dxColorToRGBQuad(ATransparentColor);
  ChangePixels(*this, [&](TRGBQuad& color) {
    if (color.rgbRed == transparent.rgbRed && color.rgbGreen == transparent.rgbGreen &&
        color.rgbBlue == transparent.rgbBlue)
      color = ClrTransparent;
    else if (color.rgbReserved == 0)
      color.rgbReserved = 255;
  });
}

void TcxBitmap32::Resize(Integer ANewWidth, Integer ANewHeight, bool AStretch, bool ASmooth, TColor AFillColor) {
  TcxBitmap32 old(GetWidth(), GetHeight());
  old.CopyBitmap(this);
  SetSize(ANewWidth, ANewHeight);
  if (AStretch || AFillColor == clNone) Clear();
  else FillRectByColor(CanvasDC(this), GetClientRect(), AFillColor);
  if (AStretch) cxAlphaBlend(this, &old, GetClientRect(), old.GetClientRect(), ASmooth);
  else CopyBitmap(&old, cxRectCenter(GetClientRect(), old.GetWidth(), old.GetHeight()), cxNullPoint);
}

// --- Turning and mirroring ----------------------------------------------------------

void cxRotateBitmap(TBitmap* ABitmap, TcxRotationAngle ARotationAngle, bool AFlipVertically) {
  if (ARotationAngle == ra0 && !AFlipVertically) return;
  TRGBColors source;
  if (!GetBitmapBits(ABitmap, source, true)) return;
  const Integer width = ABitmap->GetWidth(), height = ABitmap->GetHeight();
  const bool quarter = ARotationAngle == raPlus90 || ARotationAngle == raMinus90;
  const Integer newWidth = quarter ? height : width, newHeight = quarter ? width : height;
  TRGBColors result(source.size());
  for (Integer y = 0; y < height; ++y)
    for (Integer x = 0; x < width; ++x) {
      TPoint to{x, y};
      switch (ARotationAngle) {
        case raPlus90: to = {y, width - 1 - x}; break;
        case raMinus90: to = {height - 1 - y, x}; break;
        case ra180: to = {width - 1 - x, height - 1 - y}; break;
        case ra0: break;
      }
      if (AFlipVertically) to.Y = newHeight - 1 - to.Y;
      result[static_cast<size_t>(to.Y) * newWidth + to.X] = source[static_cast<size_t>(y) * width + x];
    }
  if (quarter) {
    // Nothing of the old image needs keeping on the way to the new size.
    ABitmap->SetHeight(0);
    ABitmap->SetSize(newWidth, newHeight);
  }
  SetBitmapBits(ABitmap, result, true);
}

void cxFlipBitmapHorizontally(TBitmap* ABitmap) {
  TRGBColors colors;
  if (!GetBitmapBits(ABitmap, colors, true)) return;
  const auto width = static_cast<size_t>(ABitmap->GetWidth());
  for (auto row = colors.begin(); row != colors.end(); row += static_cast<std::ptrdiff_t>(width))
    std::reverse(row, row + static_cast<std::ptrdiff_t>(width));
  SetBitmapBits(ABitmap, colors, true);
}
