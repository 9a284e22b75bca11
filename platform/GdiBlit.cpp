#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/GdiObjects.h"

namespace {

// On a monochrome target every operand is all ones or all zeros, and the
// result's low bit is the new pixel bit.
DWORD MonoMask(bool set) { return set ? 0xFFFFFFFF : 0; }

bool Bright(DWORD bgra) {
  const int sum = static_cast<int>(bgra & 0xFF) + static_cast<int>((bgra >> 8) & 0xFF) + static_cast<int>((bgra >> 16) & 0xFF);
  return sum >= 3 * 128;
}

bool PixelBit(const TBitmapObject& bitmap, LONG x, LONG y) {
  return (bitmap.Row(y)[x >> 3] >> (7 - (x & 7))) & 1;
}

void WriteBit(TBitmapObject& bitmap, LONG x, LONG y, bool set) {
  BYTE& byte = bitmap.Row(y)[x >> 3];
  const BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
  byte = set ? (byte | mask) : (byte & ~mask);
}

// Writes a result: a colour, or a bit on a monochrome target.
void Store(TBitmapObject& target, LONG x, LONG y, DWORD value) {
  if (target.BitsPerPixel == 1) WriteBit(target, x, y, value & 1);
  else WritePixel(target, x, y, value);
}

// The destination operand as the operation sees it.
DWORD Destination(const TBitmapObject& target, LONG x, LONG y) {
  return target.BitsPerPixel == 1 ? MonoMask(PixelBit(target, x, y)) : ReadPixel(target, x, y);
}

// A pattern colour on a monochrome target: the background colour is 1,
// other colours by brightness.
DWORD PatternOperand(const TBitmapObject& target, const TDCState& state, DWORD p) {
  if (target.BitsPerPixel != 1) return p;
  return MonoMask((p & 0x00FFFFFF) == ColorToBGRA(state.BkColor) || Bright(p));
}

// Result bits of the ternary operation T for pattern, source and destination.
DWORD Rop3(BYTE t, DWORD p, DWORD s, DWORD d) {
  switch (t) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFF;
    case 0x55: return ~d;
    case 0xAA: return d;
    default: break;
  }
  DWORD r = 0;
  for (int i = 0; i < 8; ++i)
    if (t >> i & 1) r |= (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
  return r;
}

bool UsesPattern(BYTE t) { return ((t >> 4) & 0x0F) != (t & 0x0F); }
bool UsesSource(BYTE t) { return ((t >> 2) & 0x33) != (t & 0x33); }

constexpr BYTE HatchBits[6][8] = {
    {0, 0, 0, 0xFF, 0, 0, 0, 0},                              // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},         // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},         // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},         // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},         // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}};        // diagonal cross

// The brush's pixel at a device point; false where a hatch gap is left
// alone because the background mode is transparent.
struct TPattern {
  const TBrushObject* Brush = nullptr;
  const TDCState* State = nullptr;
  DWORD Solid = 0;

  bool At(LONG x, LONG y, DWORD& p) const {
    if (!Brush) {
      p = 0;
      return true;
    }
    switch (Brush->Description.lbStyle) {
      case BS_SOLID: p = Solid; return true;
      case BS_HATCHED: {
        const LONG ox = State->BrushOrg.X + State->DCOrigin.X, oy = State->BrushOrg.Y + State->DCOrigin.Y;
        const LONG px = ((x - ox) % 8 + 8) % 8, py = ((y - oy) % 8 + 8) % 8;
        if (HatchBits[Brush->Description.lbHatch][py] >> (7 - px) & 1) {
          p = Solid;
          return true;
        }
        p = ColorToBGRA(State->BkColor);
        return State->BkMode == OPAQUE;
      }
      case BS_PATTERN: {
        const TBitmapObject& pattern = *Brush->Pattern;
        if (pattern.Width == 0 || pattern.Height == 0) return false;
        const LONG ox = State->BrushOrg.X + State->DCOrigin.X, oy = State->BrushOrg.Y + State->DCOrigin.Y;
        const LONG px = ((x - ox) % pattern.Width + pattern.Width) % pattern.Width;
        const LONG py = ((y - oy) % pattern.Height + pattern.Height) % pattern.Height;
        const DWORD v = ReadPixel(pattern, px, py);
        // Monochrome device patterns take the DC's colours; patterns carry no alpha.
        if (pattern.BitsPerPixel == 1 && !pattern.IsDIBSection)
          p = ColorToBGRA(v ? State->BkColor : State->TextColor);
        else
          p = v & 0x00FFFFFF;
        return true;
      }
      default: return false;
    }
  }
};

TPattern PatternOf(TDeviceContext* dc, HBRUSH brush) {
  TPattern pattern;
  pattern.State = &dc->State;
  pattern.Brush = GdiLookupAs<TBrushObject>(brush, OBJ_BRUSH);
  if (pattern.Brush) {
    const COLORREF color = pattern.Brush->IsDCBrush ? dc->State.DCBrushColor : pattern.Brush->Description.lbColor;
    pattern.Solid = ColorToBGRA(color);
  }
  return pattern;
}

bool IsNullBrush(const TPattern& pattern) {
  return !pattern.Brush || pattern.Brush->Description.lbStyle == BS_NULL;
}

// Applies rop with pattern only over a device rectangle.
bool PatternFill(TDeviceContext* dc, const TPattern& pattern, LONG l, LONG t, LONG r, LONG b, DWORD rop) {
  TBitmapObject* surface = DCSurface(dc);
  if (!surface) return false;
  const BYTE code = static_cast<BYTE>(rop >> 16);
  if (UsesPattern(code) && IsNullBrush(pattern)) return true;
  const bool solid = pattern.Brush && pattern.Brush->Description.lbStyle == BS_SOLID;
  if (surface->BitsPerPixel == 32 && ((code == 0xF0 && solid) || code == 0x00 || code == 0xFF)) {
    // Whole rows of one value.
    const DWORD value = code == 0xF0 ? pattern.Solid : code == 0x00 ? 0 : 0xFFFFFFFF;
    ForRows(dc, *surface, l, t, r, b, [&](LONG y, LONG x1, LONG x2) {
      std::fill_n(reinterpret_cast<DWORD*>(surface->Row(y)) + x1, x2 - x1, value);
    });
    return true;
  }
  ForTarget(dc, *surface, l, t, r, b, [&](LONG x, LONG y) {
    DWORD p = 0;
    if (UsesPattern(code) && !pattern.At(x, y, p)) return;
    Store(*surface, x, y, Rop3(code, PatternOperand(*surface, dc->State, p), 0, Destination(*surface, x, y)));
  });
  return true;
}

HBRUSH ResolveBrush(HBRUSH hbr) {
  const auto value = reinterpret_cast<uintptr_t>(hbr);
  if (value >= 1 && value <= SystemColorCount) return GetSysColorBrush(static_cast<int>(value) - 1);
  return hbr;
}

// A source pixel as the destination sees it.
DWORD SourcePixel(const TBitmapObject& source, const TDCState& sourceState, const TBitmapObject& target,
                  const TDCState& targetState, LONG x, LONG y) {
  const bool monoTarget = target.BitsPerPixel == 1;
  if (source.BitsPerPixel == 1 && (monoTarget || !source.IsDIBSection)) {
    const bool bit = PixelBit(source, x, y);
    if (monoTarget) return MonoMask(bit);
    return ColorToBGRA(bit ? targetState.BkColor : targetState.TextColor);
  }
  const DWORD v = ReadPixel(source, x, y);
  if (!monoTarget) return v;
  if (target.IsDIBSection) return MonoMask(NearestMonoIndex(target, v & 0x00FFFFFF) == 1);
  return MonoMask((v & 0x00FFFFFF) == ColorToBGRA(sourceState.BkColor));
}

// Averages the source pixels a destination pixel covers.
DWORD AreaAverage(const TBitmapObject& source, double x0, double y0, double x1, double y1) {
  LONG ax = static_cast<LONG>(x0), bx = std::max(ax + 1, static_cast<LONG>(x1 + 0.999999));
  LONG ay = static_cast<LONG>(y0), by = std::max(ay + 1, static_cast<LONG>(y1 + 0.999999));
  ax = std::clamp<LONG>(ax, 0, source.Width - 1);
  ay = std::clamp<LONG>(ay, 0, source.Height - 1);
  bx = std::clamp<LONG>(bx, ax + 1, source.Width);
  by = std::clamp<LONG>(by, ay + 1, source.Height);
  uint64_t sum[4] = {};
  for (LONG y = ay; y < by; ++y)
    for (LONG x = ax; x < bx; ++x) {
      const DWORD v = ReadPixel(source, x, y);
      for (int c = 0; c < 4; ++c) sum[c] += (v >> (8 * c)) & 0xFF;
    }
  const uint64_t n = static_cast<uint64_t>(bx - ax) * static_cast<uint64_t>(by - ay);
  DWORD v = 0;
  for (int c = 0; c < 4; ++c) v |= static_cast<DWORD>((sum[c] + n / 2) / n) << (8 * c);
  return v;
}

// A negative extent reaches back from, and includes, the start pixel.
void Normalise(int& start, int& extent) {
  if (extent >= 0) return;
  start += extent + 1;
  extent = -extent;
}

}  // namespace

void TargetRegion(TDeviceContext* dc, const TBitmapObject& surface, LONG l, LONG t, LONG r, LONG b,
                  pixman_region32_t& out) {
  l = std::max<LONG>(l, 0);
  t = std::max<LONG>(t, 0);
  r = std::min<LONG>(r, surface.Width);
  b = std::min<LONG>(b, surface.Height);
  if (l >= r || t >= b) {
    pixman_region32_init(&out);
    return;
  }
  pixman_region32_init_rect(&out, l, t, static_cast<unsigned>(r - l), static_cast<unsigned>(b - t));
  if (dc->State.HasClip) pixman_region32_intersect(&out, &out, const_cast<pixman_region32_t*>(dc->State.Clip.get()));
  if (dc->Visible) pixman_region32_intersect(&out, &out, const_cast<pixman_region32_t*>(dc->Visible.get()));
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  Normalise(x, w);
  Normalise(y, h);
  const POINT p = DeviceOf(dc->State, x, y);
  return PatternFill(dc, PatternOf(dc, dc->State.Brush), p.X, p.Y, p.X + w, p.Y + h, rop) ? TRUE : FALSE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  TDeviceContext* dc = DCLookup(hDC);
  hbr = ResolveBrush(hbr);
  if (!dc || !lprc || !GdiLookupAs<TBrushObject>(hbr, OBJ_BRUSH)) return 0;
  if (lprc->Right <= lprc->Left || lprc->Bottom <= lprc->Top) return 1;
  const POINT a = DeviceOf(dc->State, lprc->Left, lprc->Top), b = DeviceOf(dc->State, lprc->Right, lprc->Bottom);
  return PatternFill(dc, PatternOf(dc, hbr), a.X, a.Y, b.X, b.Y, PATCOPY) ? 1 : 0;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) return 0;
  const RECT& r = *lprc;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return 1;
  const RECT sides[4] = {{r.Left, r.Top, r.Right, r.Top + 1},
                         {r.Left, r.Bottom - 1, r.Right, r.Bottom},
                         {r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1},
                         {r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}};
  for (const RECT& side : sides)
    if (!FillRect(hDC, &side, hbr)) return 0;
  return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
  TDeviceContext* dc = DCLookup(hDC);
  if (!dc || !lprc) return FALSE;
  if (lprc->Right <= lprc->Left || lprc->Bottom <= lprc->Top) return TRUE;
  const POINT a = DeviceOf(dc->State, lprc->Left, lprc->Top), b = DeviceOf(dc->State, lprc->Right, lprc->Bottom);
  return PatternFill(dc, TPattern{}, a.X, a.Y, b.X, b.Y, DSTINVERT) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
  TDeviceContext* dst = DCLookup(hdcDest);
  if (!dst) return FALSE;
  TBitmapObject* target = DCSurface(dst);
  if (!target) return FALSE;
  const BYTE code = static_cast<BYTE>(rop >> 16);
  if (!UsesSource(code)) return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
  TDeviceContext* src = DCLookup(hdcSrc);
  TBitmapObject* source = DCSurface(src);
  if (!source || wSrc == 0 || hSrc == 0 || wDest == 0 || hDest == 0) return FALSE;
  // Mirroring: a negative size on one side only flips the picture.
  const bool flipX = (wDest < 0) != (wSrc < 0), flipY = (hDest < 0) != (hSrc < 0);
  Normalise(xDest, wDest);
  Normalise(yDest, hDest);
  if (wSrc < 0) xSrc += wSrc, wSrc = -wSrc;
  if (hSrc < 0) ySrc += hSrc, hSrc = -hSrc;
  const POINT d = DeviceOf(dst->State, xDest, yDest);
  const POINT s = DeviceOf(src->State, xSrc, ySrc);
  const TPattern pattern = PatternOf(dst, dst->State.Brush);
  const bool halftone =
      dst->State.StretchMode == HALFTONE && (wSrc != wDest || hSrc != hDest) && target->BitsPerPixel != 1;
  // A copy of the source when it is the target, so reads see the old pixels.
  TBitmapObject snapshot;
  const TBitmapObject* from = source;
  if (source == target) {
    snapshot = *source;
    from = &snapshot;
  }
  if (code == 0xCC && !flipX && !flipY && wSrc == wDest && hSrc == hDest && target->BitsPerPixel == 32 &&
      from->BitsPerPixel == 32) {
    // Row copies, the source clipped to its bitmap.
    ForRows(dst, *target, std::max<LONG>(d.X, d.X - s.X), std::max<LONG>(d.Y, d.Y - s.Y),
            std::min<LONG>(d.X + wDest, d.X + from->Width - s.X), std::min<LONG>(d.Y + hDest, d.Y + from->Height - s.Y),
            [&](LONG y, LONG x1, LONG x2) {
              std::memcpy(target->Row(y) + 4 * x1, from->Row(y - d.Y + s.Y) + 4 * (x1 - d.X + s.X),
                          static_cast<size_t>(x2 - x1) * 4);
            });
    return TRUE;
  }
  if (code == 0xCC && !halftone && target->BitsPerPixel == 32 && from->BitsPerPixel == 32) {
    // Nearest pixels in whole rows, each column's source worked out once.
    std::vector<LONG> columns(static_cast<size_t>(wDest));
    for (LONG i = 0; i < wDest; ++i)
      columns[i] = s.X + static_cast<LONG>(static_cast<int64_t>(flipX ? wDest - 1 - i : i) * wSrc / wDest);
    ForRows(dst, *target, d.X, d.Y, d.X + wDest, d.Y + hDest, [&](LONG y, LONG x1, LONG x2) {
      const LONG j = flipY ? hDest - 1 - (y - d.Y) : y - d.Y;
      const LONG sy = s.Y + static_cast<LONG>(static_cast<int64_t>(j) * hSrc / hDest);
      if (sy < 0 || sy >= from->Height) return;
      const auto* in = reinterpret_cast<const DWORD*>(from->Row(sy));
      auto* out = reinterpret_cast<DWORD*>(target->Row(y));
      for (LONG x = x1; x < x2; ++x) {
        const LONG sx = columns[x - d.X];
        if (sx >= 0 && sx < from->Width) out[x] = in[sx];
      }
    });
    return TRUE;
  }
  ForTarget(dst, *target, d.X, d.Y, d.X + wDest, d.Y + hDest, [&](LONG x, LONG y) {
    LONG i = x - d.X, j = y - d.Y;
    if (flipX) i = wDest - 1 - i;
    if (flipY) j = hDest - 1 - j;
    DWORD sv;
    if (halftone) {
      const double sx = static_cast<double>(wSrc) / wDest, sy = static_cast<double>(hSrc) / hDest;
      sv = AreaAverage(*from, s.X + i * sx, s.Y + j * sy, s.X + (i + 1) * sx, s.Y + (j + 1) * sy);
    } else {
      const LONG sx = s.X + static_cast<LONG>(static_cast<int64_t>(i) * wSrc / wDest);
      const LONG sy = s.Y + static_cast<LONG>(static_cast<int64_t>(j) * hSrc / hDest);
      if (sx < 0 || sy < 0 || sx >= from->Width || sy >= from->Height) return;
      sv = SourcePixel(*from, src->State, *target, dst->State, sx, sy);
    }
    DWORD p = 0;
    if (UsesPattern(code) && (IsNullBrush(pattern) || !pattern.At(x, y, p))) return;
    Store(*target, x, y, Rop3(code, PatternOperand(*target, dst->State, p), sv, Destination(*target, x, y)));
  });
  return TRUE;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  if (cx <= 0 || cy <= 0) return cx == 0 || cy == 0 ? TRUE : FALSE;
  return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
  TDeviceContext* dc = DCLookup(hdc);
  auto* region = GdiLookupAs<TRegionObject>(hrgn, OBJ_REGION);
  hbr = ResolveBrush(hbr);
  TBitmapObject* surface = DCSurface(dc);
  if (!dc || !region || !GdiLookupAs<TBrushObject>(hbr, OBJ_BRUSH) || !surface) return FALSE;
  const TPattern pattern = PatternOf(dc, hbr);
  if (IsNullBrush(pattern)) return TRUE;
  pixman_region32_t area;
  pixman_region32_init(&area);
  pixman_region32_copy(&area, &region->Region);
  const POINT origin = DeviceOf(dc->State, 0, 0);
  pixman_region32_translate(&area, origin.X, origin.Y);
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&area, &n);
  for (int i = 0; i < n; ++i)
    PatternFill(dc, pattern, boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2, PATCOPY);
  pixman_region32_fini(&area);
  return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
  auto* region = GdiLookupAs<TRegionObject>(hrgn, OBJ_REGION);
  if (!region || w <= 0 || h <= 0) return FALSE;
  // The frame is what the region loses when shrunk by w and h on every side.
  HRGN inner = CreateRectRgn(0, 0, 0, 0);
  HRGN moved = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(inner, hrgn, nullptr, RGN_COPY);
  const POINT shifts[4] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
  for (const POINT& shift : shifts) {
    CombineRgn(moved, hrgn, nullptr, RGN_COPY);
    OffsetRgn(moved, shift.X, shift.Y);
    CombineRgn(inner, inner, moved, RGN_AND);
  }
  CombineRgn(moved, hrgn, inner, RGN_DIFF);
  const BOOL result = FillRgn(hdc, moved, hbr);
  DeleteObject(inner);
  DeleteObject(moved);
  return result;
}
