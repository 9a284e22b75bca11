#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/GdiObjects.h"

namespace {

// The ROP2 truth table: bit 2P + D of (mode - 1) gives the result bit.
DWORD Rop2(int mode, DWORD p, DWORD d) {
  const unsigned t = static_cast<unsigned>(mode - 1);
  DWORD r = 0;
  for (unsigned i = 0; i < 4; ++i)
    if (t >> i & 1) r |= (i & 2 ? p : ~p) & (i & 1 ? d : ~d);
  return r;
}

// Dash patterns of styled cosmetic pens: on and off runs in pixels.
const std::vector<int>& DashPattern(UINT style) {
  static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return none;
  }
}

struct TPen {
  TDeviceContext* DC;
  TBitmapObject* Surface;
  UINT Style = PS_NULL;
  int Width = 1;
  DWORD Color = 0;
  size_t DashStep = 0;  // pixels drawn so far, for the dash phase

  TPen(TDeviceContext* dc) : DC(dc), Surface(DCSurface(dc)) {
    if (const auto* pen = GdiLookupAs<TPenObject>(dc->State.Pen, OBJ_PEN)) {
      Style = pen->Description.lopnStyle;
      Width = std::max<LONG>(pen->Description.lopnWidth.X, 1);
      Color = ColorToBGRA(pen->IsDCPen ? dc->State.DCPenColor : pen->Description.lopnColor);
    }
  }
  bool Visible() const { return Surface && Style != PS_NULL; }

  void Plot(LONG x, LONG y, DWORD color) {
    const LONG half = Width / 2;
    ForTarget(DC, *Surface, x - half, y - half, x - half + Width, y - half + Width, [&](LONG px, LONG py) {
      WritePixel(*Surface, px, py, Rop2(DC->State.Rop2, color, ReadPixel(*Surface, px, py)));
    });
  }

  // One pixel of a line, in device coordinates, following the dash pattern.
  void Step(LONG x, LONG y) {
    const std::vector<int>& dashes = Width == 1 ? DashPattern(Style) : DashPattern(PS_SOLID);
    bool on = true;
    if (!dashes.empty()) {
      int period = 0;
      for (int d : dashes) period += d;
      int phase = static_cast<int>(DashStep % static_cast<size_t>(period));
      size_t i = 0;
      while (phase >= dashes[i]) phase -= dashes[i++];
      on = i % 2 == 0;
    }
    ++DashStep;
    if (on) Plot(x, y, Color);
    else if (DC->State.BkMode == OPAQUE) Plot(x, y, ColorToBGRA(DC->State.BkColor));
  }

  // From a to b, leaving out b.
  void Line(POINT a, POINT b) {
    const LONG dx = std::abs(b.X - a.X), dy = std::abs(b.Y - a.Y);
    const LONG sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    LONG x = a.X, y = a.Y;
    if (dx >= dy) {
      LONG error = 2 * dy - dx;
      for (LONG i = 0; i < dx; ++i) {
        Step(x, y);
        if (error > 0) {  // ties stay on the row
          y += sy;
          error -= 2 * dx;
        }
        error += 2 * dy;
        x += sx;
      }
    } else {
      LONG error = 2 * dx - dy;
      for (LONG i = 0; i < dy; ++i) {
        Step(x, y);
        if (error > 0) {
          x += sx;
          error -= 2 * dy;
        }
        error += 2 * dx;
        y += sy;
      }
    }
  }
};

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->State.CurrentPos;
  PathMoveTo(dc, x, y);
  dc->State.CurrentPos = {x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* lppt) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->State.CurrentPos;
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  if (RecordingPath(dc)) {
    PathLineTo(dc, x, y);
  } else if (TPen pen(dc); pen.Visible()) {
    const POINT from = dc->State.CurrentPos;
    pen.Line(DeviceOf(dc->State, from.X, from.Y), DeviceOf(dc->State, x, y));
  }
  dc->State.CurrentPos = {x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !apt || cpt < 2) return FALSE;
  if (RecordingPath(dc)) {
    PathAddFigure(dc, apt, cpt, false);
    return TRUE;
  }
  TPen pen(dc);
  if (pen.Visible())
    for (int i = 0; i + 1 < cpt; ++i)
      pen.Line(DeviceOf(dc->State, apt[i].X, apt[i].Y), DeviceOf(dc->State, apt[i + 1].X, apt[i + 1].Y));
  return TRUE;
}

int SetPolyFillMode(HDC hdc, int mode) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
  const int old = dc->State.PolyFillMode;
  dc->State.PolyFillMode = mode;
  return old;
}

int GetPolyFillMode(HDC hdc) {
  TDeviceContext* dc = DCLookup(hdc);
  return dc ? dc->State.PolyFillMode : 0;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc || !apt || cpt < 2) return FALSE;
  if (RecordingPath(dc)) {
    PathAddFigure(dc, apt, cpt, true);
    return TRUE;
  }
  // The brush on the pixels whose centres lie inside.
  if (HRGN area = CreatePolygonRgn(apt, cpt, dc->State.PolyFillMode)) {
    FillRgn(hdc, area, dc->State.Brush);
    DeleteObject(area);
  }
  std::vector<POINT> device;
  for (int i = 0; i < cpt; ++i) device.push_back(DeviceOf(dc->State, apt[i].X, apt[i].Y));
  TPen pen(dc);
  if (pen.Visible()) {
    // Each edge leaves out its end, which the next edge starts with.
    for (size_t i = 0; i < device.size(); ++i) pen.Line(device[i], device[(i + 1) % device.size()]);
  }
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  TDeviceContext* dc = DCLookup(hdc);
  if (!dc) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (RecordingPath(dc)) {
    const POINT corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    PathAddFigure(dc, corners, 4, true);
    return TRUE;
  }
  TPen pen(dc);
  const RECT inside = pen.Visible() ? RECT{left + 1, top + 1, right - 1, bottom - 1} : RECT{left, top, right - 1, bottom - 1};
  const auto* brush = GdiLookupAs<TBrushObject>(dc->State.Brush, OBJ_BRUSH);
  if (brush && brush->Description.lbStyle != BS_NULL) FillRect(hdc, &inside, dc->State.Brush);
  if (pen.Visible() && right - left >= 1 && bottom - top >= 1) {
    const POINT corners[4] = {DeviceOf(dc->State, left, top), DeviceOf(dc->State, right - 1, top),
                              DeviceOf(dc->State, right - 1, bottom - 1), DeviceOf(dc->State, left, bottom - 1)};
    for (int i = 0; i < 4; ++i) pen.Line(corners[i], corners[(i + 1) % 4]);
    if (right - left == 1 && bottom - top == 1) pen.Plot(corners[0].X, corners[0].Y, pen.Color);
  }
  return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
  TDeviceContext* dc = DCLookup(hDC);
  TBitmapObject* surface = DCSurface(dc);
  if (!surface || !lprc) return FALSE;
  if (lprc->Right <= lprc->Left || lprc->Bottom <= lprc->Top) return TRUE;
  const POINT a = DeviceOf(dc->State, lprc->Left, lprc->Top);
  const POINT b = DeviceOf(dc->State, lprc->Right, lprc->Bottom);
  const DWORD even = ColorToBGRA(dc->State.BkColor), odd = ColorToBGRA(dc->State.TextColor);
  ForTarget(dc, *surface, a.X, a.Y, b.X, b.Y, [&](LONG x, LONG y) {
    if (x != a.X && x != b.X - 1 && y != a.Y && y != b.Y - 1) return;
    WritePixel(*surface, x, y, ReadPixel(*surface, x, y) ^ ((x + y) % 2 == 0 ? even : odd));
  });
  return TRUE;
}
