// The theme library's buffered painting: a 32-bit ARGB buffer over a
// rectangle of a target DC, drawn into in the target's coordinates and put
// onto the target at the end.

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/DcGuards.h"
#include "platform/UxTheme.h"

namespace {

struct TPaintBuffer {
  TPaintBuffer(HDC ATarget, const RECT& AArea, HBITMAP ABitmap, DWORD* ABits)
      : Target(ATarget), Area(AArea), DC(ATarget, ABitmap), Bits(ABits) {}

  HDC Target;
  RECT Area;
  // Owns the bitmap the pixels live in.
  TMemoryDC DC;
  DWORD* Bits;
  bool Blend = false;
  BLENDFUNCTION BlendFunction;

  int Width() const { return Area.Right - Area.Left; }
  int Height() const { return Area.Bottom - Area.Top; }
};

std::vector<std::unique_ptr<TPaintBuffer>>& Buffers() {
  static std::vector<std::unique_ptr<TPaintBuffer>> buffers;
  return buffers;
}

int& InitCount() {
  static int count = 0;
  return count;
}

HPAINTBUFFER HandleOf(TPaintBuffer* ABuffer) { return reinterpret_cast<HPAINTBUFFER>(ABuffer); }

auto FindBuffer(HPAINTBUFFER h) {
  auto& buffers = Buffers();
  return std::find_if(buffers.begin(), buffers.end(), [&](const auto& b) { return HandleOf(b.get()) == h; });
}

TPaintBuffer* BufferOf(HPAINTBUFFER h) {
  const auto it = FindBuffer(h);
  return it == Buffers().end() ? nullptr : it->get();
}

// Applies AChange to every pixel of the buffer inside prc (target
// coordinates; null for all of it).
template <typename TChange>
HRESULT ChangePixels(HPAINTBUFFER h, const RECT* prc, TChange AChange) {
  TPaintBuffer* buffer = BufferOf(h);
  if (!buffer) return E_HANDLE;
  const RECT& area = buffer->Area;
  const RECT r = prc ? *prc : area;
  const int left = std::max(r.Left, area.Left) - area.Left, right = std::min(r.Right, area.Right) - area.Left;
  const int top = std::max(r.Top, area.Top) - area.Top, bottom = std::min(r.Bottom, area.Bottom) - area.Top;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) AChange(buffer->Bits[y * buffer->Width() + x]);
  return S_OK;
}

}  // namespace

namespace UxTheme {

HRESULT BufferedPaintInit() {
  ++InitCount();
  return S_OK;
}

HRESULT BufferedPaintUnInit() {
  if (InitCount() == 0) return E_UNEXPECTED;
  --InitCount();
  return S_OK;
}

HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                const BP_PAINTPARAMS* pPaintParams, HDC* phdc) {
  if (phdc) *phdc = nullptr;
  if (!hdcTarget || !prcTarget || !phdc || dwFormat == BPBF_TOPDOWNMONODIB) return nullptr;
  if (prcTarget->Right <= prcTarget->Left || prcTarget->Bottom <= prcTarget->Top) return nullptr;
  const int width = prcTarget->Right - prcTarget->Left, height = prcTarget->Bottom - prcTarget->Top;
  BITMAPINFO info{};
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto buffer = std::make_unique<TPaintBuffer>(hdcTarget, *prcTarget, bitmap, static_cast<DWORD*>(bits));
  std::fill_n(buffer->Bits, width * height, 0u);
  SetWindowOrgEx(buffer->DC, prcTarget->Left, prcTarget->Top, nullptr);
  if (pPaintParams && pPaintParams->pBlendFunction) {
    buffer->Blend = true;
    buffer->BlendFunction = *pPaintParams->pBlendFunction;
  }
  *phdc = buffer->DC;
  Buffers().push_back(std::move(buffer));
  return HandleOf(Buffers().back().get());
}

HRESULT BufferedPaintClear(HPAINTBUFFER hBufferedPaint, const RECT* prc) {
  return ChangePixels(hBufferedPaint, prc, [](DWORD& pixel) { pixel = 0; });
}

HRESULT BufferedPaintSetAlpha(HPAINTBUFFER hBufferedPaint, const RECT* prc, BYTE alpha) {
  const DWORD a = DWORD{alpha} << 24;
  return ChangePixels(hBufferedPaint, prc, [a](DWORD& pixel) { pixel = (pixel & 0x00FFFFFFu) | a; });
}

HRESULT EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget) {
  const auto it = FindBuffer(hBufferedPaint);
  if (it == Buffers().end()) return E_HANDLE;
  const std::unique_ptr<TPaintBuffer> buffer = std::move(*it);
  Buffers().erase(it);
  if (fUpdateTarget) {
    const RECT& r = buffer->Area;
    if (buffer->Blend)
      AlphaBlend(buffer->Target, r.Left, r.Top, buffer->Width(), buffer->Height(), buffer->DC, r.Left, r.Top,
                 buffer->Width(), buffer->Height(), buffer->BlendFunction);
    else
      BitBlt(buffer->Target, r.Left, r.Top, buffer->Width(), buffer->Height(), buffer->DC, r.Left, r.Top, SRCCOPY);
  }
  return S_OK;
}

}  // namespace UxTheme
