#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/FontFace.h"
#include "platform/GdiObjects.h"

namespace {

// Tab stops of tabbed output, in logical units from Origin.
struct TTabStops {
  int Count = 0;
  const INT* Stops = nullptr;
  int Origin = 0;
};

bool IsHighSurrogate(WCHAR c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(WCHAR c) { return c >= 0xDC00 && c < 0xE000; }

// The character whose units start at i; units receives 1 or 2.
char32_t CharAt(const WCHAR* s, int n, int i, int& units) {
  if (IsHighSurrogate(s[i]) && i + 1 < n && IsLowSurrogate(s[i + 1])) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(s[i]) - 0xD800) << 10) + (static_cast<char32_t>(s[i + 1]) - 0xDC00);
  }
  units = 1;
  return s[i];
}

LONG Saturate(long long v) { return static_cast<LONG>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

long long NextTabStop(long long pos, const TTabStops& tabs, int defaultWidth) {
  int width = defaultWidth;
  if (tabs.Count == 1 && tabs.Stops && tabs.Stops[0] != 0) width = std::abs(tabs.Stops[0]);
  if (tabs.Count > 1 && tabs.Stops) {
    for (int k = 0; k < tabs.Count; ++k) {
      const long long stop = static_cast<long long>(tabs.Origin) + std::abs(tabs.Stops[k]);
      if (stop > pos) return stop;
    }
  }
  width = std::max(width, 1);
  const long long from = pos - tabs.Origin;
  const long long cells = from >= 0 ? from / width + 1 : -((-from) / width) + ((-from) % width == 0 ? 1 : 0);
  return tabs.Origin + cells * width;
}

// Each unit's advance: a pair's first unit takes 0, break characters their
// justification share, tabs (when tabs is given) the way to the next stop
// from startX. Returns the total.
long long Advances(TFontObject& font, const TDCState& state, const WCHAR* s, int n, const INT* dx,
                   const TTabStops* tabs, int startX, std::vector<int>& out) {
  out.assign(static_cast<size_t>(n), 0);
  TFontFace& face = *font.Face;
  const WCHAR breakChar = font.Metrics.tmBreakChar;
  const int tabWidth = 8 * font.Metrics.tmAveCharWidth;
  long long total = 0;
  int breaks = 0;
  for (int i = 0; i < n;) {
    int units;
    const char32_t c = CharAt(s, n, i, units);
    const int last = i + units - 1;
    int advance;
    if (dx) {
      advance = dx[i] + (units == 2 ? dx[i + 1] : 0);
    } else if (c == u'\t' && tabs) {
      advance = Saturate(NextTabStop(startX + total, *tabs, tabWidth) - (startX + total));
    } else {
      advance = face.Advance(c);
    }
    if (c == breakChar && state.JustifyCount > 0 && breaks < state.JustifyCount) {
      const long long extra = state.JustifyExtra;
      advance += static_cast<int>(extra * (breaks + 1) / state.JustifyCount - extra * breaks / state.JustifyCount);
      ++breaks;
    }
    out[static_cast<size_t>(last)] = advance;
    total += advance;
    i += units;
  }
  return total;
}

std::vector<int>& Scratch() {
  static std::vector<int> advances;  // GDI is used from one thread
  return advances;
}

// The colour over the pixel at coverage a of 255; alpha 0 as all GDI output.
DWORD Mix(DWORD pixel, DWORD color, DWORD a) {
  DWORD mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const DWORD dst = (pixel >> shift) & 0xFF, src = (color >> shift) & 0xFF;
    mixed |= ((dst * (255 - a) + src * a + 127) / 255) << shift;
  }
  return mixed;
}

// 8-bit coverage over a span of a row, in the text colour; 1-bit targets
// take the pixels at least half covered.
void BlendSpan(TBitmapObject& surface, LONG y, LONG x1, LONG x2, const BYTE* cov, DWORD color) {
  if (surface.BitsPerPixel == 32) {
    DWORD* p = reinterpret_cast<DWORD*>(surface.Row(y)) + x1;
    auto blend = [&](LONG i) {
      if (cov[i]) p[i] = cov[i] == 255 ? color : Mix(p[i], color, cov[i]);
    };
    const LONG n = x2 - x1;
    LONG i = 0;
    // Big glyphs are mostly empty or solid: take those eight at a time.
    for (; i + 8 <= n; i += 8) {
      uint64_t eight;
      std::memcpy(&eight, cov + i, 8);
      if (eight == 0) continue;
      if (eight == ~uint64_t{0}) {
        std::fill_n(p + i, 8, color);
        continue;
      }
      for (LONG k = i; k < i + 8; ++k) blend(k);
    }
    for (; i < n; ++i) blend(i);
    return;
  }
  for (LONG i = 0; i < x2 - x1; ++i) {
    const DWORD a = cov[i];
    if (a == 0) continue;
    if (a == 255 || surface.BitsPerPixel == 1) {
      if (a >= 128) WritePixel(surface, x1 + i, y, color);
      continue;
    }
    WritePixel(surface, x1 + i, y, Mix(ReadPixel(surface, x1 + i, y), color, a));
  }
}

void Composite(TBitmapObject& surface, const pixman_region32_t& clip, const TGlyphCoverage& g, long long left,
               long long top, DWORD color) {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&clip), &count);
  for (int b = 0; b < count; ++b) {
    const long long x1 = std::max<long long>(boxes[b].x1, left), x2 = std::min<long long>(boxes[b].x2, left + g.Width);
    const long long y1 = std::max<long long>(boxes[b].y1, top), y2 = std::min<long long>(boxes[b].y2, top + g.Height);
    for (long long y = y1; y < y2 && x1 < x2; ++y)
      BlendSpan(surface, static_cast<LONG>(y), static_cast<LONG>(x1), static_cast<LONG>(x2),
                g.Data + (y - top) * g.Pitch + (x1 - left), color);
  }
}

void FillThrough(TBitmapObject& surface, const pixman_region32_t& clip, long long l, long long t, long long r,
                 long long b, DWORD color) {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&clip), &count);
  for (int i = 0; i < count; ++i) {
    const LONG x1 = static_cast<LONG>(std::max<long long>(boxes[i].x1, l));
    const LONG x2 = static_cast<LONG>(std::min<long long>(boxes[i].x2, r));
    const LONG y1 = static_cast<LONG>(std::max<long long>(boxes[i].y1, t));
    const LONG y2 = static_cast<LONG>(std::min<long long>(boxes[i].y2, b));
    for (LONG y = y1; y < y2 && x1 < x2; ++y) {
      if (surface.BitsPerPixel == 32) {
        std::fill_n(reinterpret_cast<DWORD*>(surface.Row(y)) + x1, x2 - x1, color);
      } else {
        for (LONG x = x1; x < x2; ++x) WritePixel(surface, x, y, color);
      }
    }
  }
}

// The glyphs with their pens from penX on the baseline, skipping tabs that
// tabbed output expands.
void DrawGlyphs(TBitmapObject& surface, const pixman_region32_t& clip, TFontObject& font, const WCHAR* s, int n,
                const std::vector<int>& advances, long long penX, long long baseline, bool tabsExpanded, DWORD color) {
  TFontFace& face = *font.Face;
  const pixman_box32_t* extents = pixman_region32_extents(const_cast<pixman_region32_t*>(&clip));
  // Ink may reach this far from its pen.
  const long long reach = 2LL * font.Metrics.tmHeight + font.Metrics.tmMaxCharWidth;
  if (baseline + reach < extents->y1 || baseline - reach > extents->y2) return;
  static std::vector<BYTE> scratch;
  for (int i = 0; i < n;) {
    int units;
    const char32_t c = CharAt(s, n, i, units);
    const long long pen = penX;
    penX += advances[static_cast<size_t>(i + units - 1)];
    i += units;
    if ((c == u'\t' && tabsExpanded) || pen + reach < extents->x1) continue;
    if (pen - reach > extents->x2) break;
    if (face.CachesGlyphs()) {
      if (const TGlyphCoverage* g = face.Glyph(c)) Composite(surface, clip, *g, pen + g->Left, baseline - g->Top, color);
    } else {
      const RECT area{extents->x1, extents->y1, extents->x2, extents->y2};
      TGlyphCoverage g;
      if (face.RenderClipped(c, static_cast<int>(pen), static_cast<int>(baseline), area, scratch, g))
        Composite(surface, clip, g, pen + g.Left, baseline - g.Top, color);
    }
  }
}

// The core of every text output: x and y are logical and follow the DC's
// text alignment; tabs, when given, are expanded.
BOOL OutputText(HDC hdc, int x, int y, UINT options, const RECT* rect, const WCHAR* s, int n, const INT* dx,
                const TTabStops* tabs, long long* width) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || n < 0 || (n > 0 && !s)) return FALSE;
  TFontObject* font = DCFont(dc);
  if (!font) return n == 0 && !(options & ETO_OPAQUE) ? TRUE : FALSE;
  TDCState& state = dc->State;
  const bool updateCP = state.TextAlign & TA_UPDATECP;
  if (updateCP) x = state.CurrentPos.X, y = state.CurrentPos.Y;
  std::vector<int>& advances = Scratch();
  const long long total = Advances(*font, state, s, n, dx, tabs, x, advances);
  if (width) *width = total;
  const TEXTMETRICW& tm = font->Metrics;
  long long left = x;
  switch (state.TextAlign & TA_CENTER) {
    case TA_RIGHT: left = x - total; break;
    case TA_CENTER: left = x - total / 2; break;
    default: break;
  }
  long long baseline = y + tm.tmAscent;
  if ((state.TextAlign & TA_BASELINE) == TA_BASELINE) baseline = y;
  else if (state.TextAlign & TA_BOTTOM) baseline = y - tm.tmDescent;

  if (TBitmapObject* surface = DCSurface(dc)) {
    const DWORD text = ColorToBGRA(state.TextColor), background = ColorToBGRA(state.BkColor);
    const POINT origin = DeviceOf(state, 0, 0);
    pixman_region32_t clip;
    TargetRegion(dc, *surface, 0, 0, surface->Width, surface->Height, clip);
    if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
      const long long l = std::min(rect->Left, rect->Right) + origin.X, r = std::max(rect->Left, rect->Right) + origin.X;
      const long long t = std::min(rect->Top, rect->Bottom) + origin.Y, b = std::max(rect->Top, rect->Bottom) + origin.Y;
      if (options & ETO_OPAQUE) FillThrough(*surface, clip, l, t, r, b, background);
      if (options & ETO_CLIPPED) {
        pixman_region32_t box;
        pixman_region32_init_rect(&box, static_cast<int>(std::clamp<long long>(l, INT_MIN / 2, INT_MAX / 2)),
                                  static_cast<int>(std::clamp<long long>(t, INT_MIN / 2, INT_MAX / 2)),
                                  static_cast<unsigned>(std::clamp<long long>(r - l, 0, INT_MAX / 2)),
                                  static_cast<unsigned>(std::clamp<long long>(b - t, 0, INT_MAX / 2)));
        pixman_region32_intersect(&clip, &clip, &box);
        pixman_region32_fini(&box);
      }
    }
    const long long penX = left + origin.X, base = baseline + origin.Y;
    if (state.BkMode == OPAQUE && n > 0) FillThrough(*surface, clip, penX, base - tm.tmAscent, penX + total, base + tm.tmDescent, background);
    DrawGlyphs(*surface, clip, *font, s, n, advances, penX, base, tabs != nullptr, text);
    const int thickness = font->Face->StrokeThickness();
    if (font->Description.lfUnderline) {
      const long long top = base + font->Face->UnderlineOffset();
      FillThrough(*surface, clip, penX, top, penX + total, top + thickness, text);
    }
    if (font->Description.lfStrikeOut) {
      const long long top = base - font->Face->StrikeoutOffset();
      FillThrough(*surface, clip, penX, top, penX + total, top + thickness, text);
    }
    pixman_region32_fini(&clip);
  }
  if (updateCP) {
    if ((state.TextAlign & TA_CENTER) == TA_LEFT) state.CurrentPos.X = Saturate(x + total);
    else if ((state.TextAlign & TA_CENTER) == TA_RIGHT) state.CurrentPos.X = Saturate(x - total);
  }
  return TRUE;
}

DWORD PackExtent(long long width, LONG height) {
  return (static_cast<DWORD>(width) & 0xFFFF) | ((static_cast<DWORD>(height) & 0xFFFF) << 16);
}

}  // namespace

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent, int* lpnFit, int* lpnDx,
                           SIZE* lpSize) {
  TDeviceContext* dc = DCLookup(hdc);
  TFontObject* font = DCFont(dc);
  if (!font || cchString < 0 || (cchString > 0 && !lpszString)) return FALSE;
  std::vector<int>& advances = Scratch();
  const long long total = Advances(*font, dc->State, lpszString, cchString, nullptr, nullptr, 0, advances);
  long long sum = 0;
  int fit = 0;
  bool fitting = true;
  for (int i = 0; i < cchString; ++i) {
    sum += advances[static_cast<size_t>(i)];
    if (lpnDx) lpnDx[i] = Saturate(sum);
    fitting = fitting && sum <= nMaxExtent;
    if (fitting) fit = i + 1;
  }
  if (lpnFit) *lpnFit = fit;
  if (lpSize) *lpSize = {Saturate(total), font->Metrics.tmHeight};
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, SIZE* psizl) {
  return GetTextExtentExPointW(hdc, lpString, c, 0, nullptr, nullptr, psizl);
}

DWORD GetTabbedTextExtentW(HDC hdc, LPCWSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions) {
  TDeviceContext* dc = DCLookup(hdc);
  TFontObject* font = DCFont(dc);
  if (!font || chCount < 0 || (chCount > 0 && !lpString)) return 0;
  const TTabStops tabs{nTabPositions, lpnTabStopPositions, 0};
  const long long total = Advances(*font, dc->State, lpString, chCount, nullptr, &tabs, 0, Scratch());
  return PackExtent(total, font->Metrics.tmHeight);
}

UINT SetTextAlign(HDC hdc, UINT align) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return GDI_ERROR;
  const UINT previous = dc->State.TextAlign;
  dc->State.TextAlign = align & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
  return previous;
}

UINT GetTextAlign(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  return dc ? dc->State.TextAlign : GDI_ERROR;
}

BOOL SetTextJustification(HDC hdc, int extra, int count) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  const bool reset = count <= 0;
  dc->State.JustifyExtra = reset ? 0 : extra;
  dc->State.JustifyCount = reset ? 0 : count;
  return TRUE;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
  return OutputText(hdc, x, y, 0, nullptr, lpString, c, nullptr, nullptr, nullptr);
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c, const INT* lpDx) {
  if (c > static_cast<UINT>(INT_MAX)) return FALSE;
  return OutputText(hdc, x, y, options, lprect, lpString, static_cast<int>(c), lpDx, nullptr, nullptr);
}

LONG TabbedTextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int chCount, int nTabPositions,
                    const INT* lpnTabStopPositions, int nTabOrigin) {
  const TTabStops tabs{nTabPositions, lpnTabStopPositions, nTabOrigin};
  long long width = 0;
  if (!OutputText(hdc, x, y, 0, nullptr, lpString, chCount, nullptr, &tabs, &width)) return 0;
  TEXTMETRICW tm;
  GetTextMetricsW(hdc, &tm);
  return static_cast<LONG>(PackExtent(width, tm.tmHeight));
}
